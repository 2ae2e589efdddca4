#!/usr/bin/env python3
"""Packs the skin package: every entry of the manifest, in manifest order,
deflate-compressed, with fixed dates and attributes so that the same sources
always give the same bytes.

usage: pack_skin.py --root DIR --manifest FILE --output ZIP
"""
import argparse
import os
import sys
import zipfile

# A fixed date for every entry: the archive must not change with file times.
ENTRY_DATE = (2024, 1, 1, 0, 0, 0)


def read_manifest(path):
    names = []
    with open(path, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            name = line.strip()
            if not name or name.startswith('#'):
                continue
            problem = None
            if '\\' in name:
                problem = 'backslash in entry name'
            elif name.startswith('/') or '..' in name.split('/'):
                problem = 'entry name outside the package'
            elif len(name) >= 256:
                problem = 'entry name of 256 characters or more'
            elif name.lower() in (n.lower() for n in names):
                problem = 'duplicate entry (names compare case-insensitively)'
            if problem:
                raise SystemExit(f'{path}:{number}: {problem}: {name}')
            names.append(name)
    if not names:
        raise SystemExit(f'{path}: no entries')
    return names


def pack(root, names, output):
    tmp = output + '.tmp'
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    with zipfile.ZipFile(tmp, 'w') as z:
        for name in names:
            source = os.path.join(root, *name.split('/'))
            try:
                with open(source, 'rb') as f:
                    data = f.read()
            except OSError as e:
                os.unlink(tmp)
                raise SystemExit(f'cannot read {source}: {e.strerror}')
            info = zipfile.ZipInfo(name, ENTRY_DATE)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0
            info.external_attr = 0x20  # archive bit, as a Windows tool writes it
            z.writestr(info, data, compress_type=zipfile.ZIP_DEFLATED, compresslevel=9)
    os.replace(tmp, output)


def main(argv):
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument('--root', required=True)
    p.add_argument('--manifest', required=True)
    p.add_argument('--output', required=True)
    a = p.parse_args(argv)
    names = read_manifest(a.manifest)
    pack(a.root, names, a.output)
    print(f'{a.output}: {len(names)} entries, {os.path.getsize(a.output)} bytes')


if __name__ == '__main__':
    main(sys.argv[1:])
