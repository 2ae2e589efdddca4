#!/usr/bin/python3
"""The resources the installer executable carries: usage resources_test.py QIRASetup.exe"""
import sys

import pefile

pe = pefile.PE(sys.argv[1])
found = {}
for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
    kind_name = str(kind.name) if kind.name else kind.id
    for item in kind.directory.entries:
        item_name = str(item.name) if item.name else item.id
        for lang in item.directory.entries:
            found[(kind_name, item_name)] = lang.id
            if kind_name == 24:  # RT_MANIFEST
                data = pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size).decode()
                found["manifest"] = data

checks = [
    ("32-bit GUI program", pe.FILE_HEADER.Machine == 0x14C and pe.OPTIONAL_HEADER.Subsystem == 2),
    ("icon group 102 in language 2052", found.get((14, 102)) == 2052),
    ("version block 1 in language 2052", found.get((16, 1)) == 2052),
    ("manifest 1 in language 1033", found.get((24, 1)) == 1033),
    ("manifest asks for administrator",
     'level="requireAdministrator"' in found.get("manifest", "") and 'uiAccess="false"' in found.get("manifest", "")),
    ("manifest depends on Common Controls 6",
     "Microsoft.Windows.Common-Controls" in found.get("manifest", "") and 'version="6.0.0.0"' in found.get("manifest", "")),
]
if len(sys.argv) > 2 and sys.argv[2] == "--with-skin":
    checks.append(("skin package ZIPRES 101 in language 2052", found.get(("ZIPRES", 101)) == 2052))
failed = 0
for name, ok in checks:
    print(("ok   " if ok else "FAIL ") + name)
    failed += not ok
print(f"{len(checks) - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
