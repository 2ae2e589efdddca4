#!/usr/bin/env python3
"""Checks the packed skin package: its entries, their compression, the pixel
sizes and frames of the images, and that the markup only refers to what the
package holds.

usage: skin_package_unittest.py PATH/TO/skin.zip
"""
import re
import struct
import sys
import unittest
import xml.etree.ElementTree as ET
import zipfile
import zlib

ZIP_PATH = None

# Every entry of the package with the pixel size of its image (None for markup).
EXPECTED_ENTRIES = {
    'xml/msgbox.xml': None,
    'xml/common/Font.xml': None,
    'xml/common/Style.xml': None,
    'xml/inst/wnd.xml': None,
    'xml/inst/panel/check.xml': None,
    'xml/inst/panel/step0.xml': None,
    'xml/inst/panel/step1.xml': None,
    'xml/inst/panel/step2.xml': None,
    'xml/inst/panel/step3.xml': None,
    'img/common/bg.png': (819, 574),
    'img/common/bg_white.png': (767, 398),
    'img/common/btn_blue_228x62.png': (912, 62),
    'img/common/btn_blue_border_radius4.png': (352, 30),
    'img/common/btn_blue_radius4.png': (240, 34),
    'img/common/btn_close.png': (96, 24),
    'img/common/btn_min.png': (96, 24),
    'img/common/chk_14x14.png': (56, 14),
    'img/common/chk_16x16.png': (64, 16),
    'img/common/logo.png': (24, 24),
    'img/common/prog_bg.png': (659, 12),
    'img/common/prog_fg.png': (659, 12),
    'img/common/title.png': (98, 21),
    'img/inst/bg_dropdown.png': (819, 698),
    'img/inst/btn_blue_border_100x34.png': (400, 34),
    'img/inst/btn_re_check.png': (352, 30),
    'img/inst/btn_red_border_radisu4.png': (352, 30),
    'img/inst/check.gif': (766, 12),
    'img/inst/chk_custom_install.png': (112, 14),
    'img/inst/chk_lic.png': (64, 16),
    'img/inst/cpu_icon.png': (18, 18),
    'img/inst/ctr_connect.png': (18, 18),
    'img/inst/graphics_card_icon.png': (18, 18),
    'img/inst/hdd_icon.png': (18, 18),
    'img/inst/memory_icon.png': (18, 18),
    'img/inst/os_icon.png': (18, 18),
    'img/inst/edit_install_path.png': (573, 38),
    'img/inst/h_line.png': (719, 1),
    'img/inst/opt_model.png': (1272, 108),
    'img/inst/prog_err_fg.png': (659, 12),
    'img/inst/seq_inst.png': (36816, 12),
    'img/inst/seq_introduce.png': (3835, 398),
    'img/inst/seq_mini_introduce.png': (1320, 350),
    'img/inst/v_line.png': (1, 287),
    'img/msgbox/bg.png': (152, 152),
    'img/msgbox/btn_blue.png': (240, 34),
    'img/msgbox/btn_white.png': (240, 34),
    'img/msgbox/icon_warning.png': (16, 16),
}

# Named controls of the installer window: name -> (element, file it is written in).
WINDOW_CONTROLS = {
    'btn_min': ('Button', 'xml/inst/wnd.xml'),
    'btn_close': ('Button', 'xml/inst/wnd.xml'),
    'tab_main': ('TabLayout', 'xml/inst/wnd.xml'),
    'seq_introduce_check': ('FadeSequence', 'xml/inst/panel/check.xml'),
    'tab_check_bottom': ('TabLayout', 'xml/inst/panel/check.xml'),
    'btn_recheck': ('Button', 'xml/inst/panel/check.xml'),
    'btn_recheck2': ('Button', 'xml/inst/panel/check.xml'),
    'btn_contact': ('Button', 'xml/inst/panel/check.xml'),
    'vl_models': ('VerticalLayout', 'xml/inst/panel/step0.xml'),
    'lbl_models_title': ('Label', 'xml/inst/panel/step0.xml'),
    'seq_introduce0': ('FadeSequence', 'xml/inst/panel/step0.xml'),
    'btn_go_step1': ('Button', 'xml/inst/panel/step0.xml'),
    'seq_introduce1': ('FadeSequence', 'xml/inst/panel/step1.xml'),
    'chk_lic': ('CheckBox', 'xml/inst/panel/step1.xml'),
    'txt_lic': ('Text', 'xml/inst/panel/step1.xml'),
    'btn_go_step2': ('Button', 'xml/inst/panel/step1.xml'),
    'chk_custom_install': ('CheckBox', 'xml/inst/panel/step1.xml'),
    'vl_custom_install': ('VerticalLayout', 'xml/inst/panel/step1.xml'),
    'edit_install_path': ('RichEdit', 'xml/inst/panel/step1.xml'),
    'btn_browser': ('Button', 'xml/inst/panel/step1.xml'),
    'lbl_space': ('Label', 'xml/inst/panel/step1.xml'),
    'chk_desktop_shortcut': ('CheckBox', 'xml/inst/panel/step1.xml'),
    'chk_startmenu_shortcut': ('CheckBox', 'xml/inst/panel/step1.xml'),
    'chk_auto_start': ('CheckBox', 'xml/inst/panel/step1.xml'),
    'seq_introduce2': ('FadeSequence', 'xml/inst/panel/step3.xml'),
    'tab_bottom': ('TabLayout', 'xml/inst/panel/step3.xml'),
    'lbl_dl_stat': ('Label', 'xml/inst/panel/step3.xml'),
    'lbl_dl_precent': ('Label', 'xml/inst/panel/step3.xml'),
    'prog_download': ('Progress', 'xml/inst/panel/step3.xml'),
    'lbl_dl_speed': ('Label', 'xml/inst/panel/step3.xml'),
    'lbl_dl_size': ('Label', 'xml/inst/panel/step3.xml'),
    'tab_dl_op': ('TabLayout', 'xml/inst/panel/step3.xml'),
    'btn_dl_pause': ('Button', 'xml/inst/panel/step3.xml'),
    'btn_dl_resume': ('Button', 'xml/inst/panel/step3.xml'),
    'btn_dl_re-download': ('Button', 'xml/inst/panel/step3.xml'),
    'lbl_inst_stat': ('Label', 'xml/inst/panel/step3.xml'),
    'lbl_inst_precent': ('Label', 'xml/inst/panel/step3.xml'),
    'seq_inst': ('Sequence', 'xml/inst/panel/step3.xml'),
    'btn_launch': ('Button', 'xml/inst/panel/step3.xml'),
}

MSGBOX_CONTROLS = {
    'lbl_caption': 'Label', 'btn_close': 'Button', 'lbl_text': 'Label', 'btn0': 'Button', 'btn1': 'Button',
}

# Styles the program applies at run time, per window file.
RUNTIME_STYLES = {
    'xml/inst/wnd.xml': ['lbl_dl_stat', 'lbl_dl_stat_err', 'lbl_inst_stat', 'lbl_inst_stat_err', 'lbl_space',
                         'lbl_space_err', 'bg', 'bg_dropdown', 'opt_model'],
    'xml/msgbox.xml': ['btn_msgbox_def'],
}

# The attributes each element may carry.
CONTROL_ATTRS = {'name', 'text', 'width', 'height', 'minwidth', 'padding', 'bkcolor', 'bkimage', 'statusimage',
                 'visible', 'enable', 'mouse', 'style', 'defaulattr'}
CONTAINER_ATTRS = CONTROL_ATTRS | {'inset', 'childpadding'}
TEXT_ATTRS = CONTROL_ATTRS | {'font', 'textcolor', 'hottextcolor', 'pushedtextcolor', 'disabledtextcolor',
                              'selectedtextcolor', 'align', 'textpadding', 'multiline', 'autowidth', 'autoheight',
                              'showhtml', 'linkcursor'}
SEQUENCE_ATTRS = TEXT_ATTRS | {'imagecount', 'elapse', 'loopcount'}
ALLOWED_ATTRS = {
    'Control': CONTROL_ATTRS,
    'VerticalLayout': CONTAINER_ATTRS,
    'HorizontalLayout': CONTAINER_ATTRS,
    'TabLayout': CONTAINER_ATTRS | {'selectedid'},
    'Label': TEXT_ATTRS,
    'Text': TEXT_ATTRS,
    'Button': TEXT_ATTRS,
    'Option': TEXT_ATTRS | {'selected', 'group'},
    'CheckBox': TEXT_ATTRS | {'selected', 'group'},
    'Progress': TEXT_ATTRS | {'value', 'foreimage'},
    'RichEdit': CONTAINER_ATTRS | {'readonly', 'multiline', 'rich', 'wanttab', 'wantreturn', 'wantctrlreturn',
                                   'autohscroll', 'textcolor'},
    'Gif': CONTROL_ATTRS | {'gif'},
    'Sequence': SEQUENCE_ATTRS,
    'FadeSequence': SEQUENCE_ATTRS | {'fadeelapse', 'fadestep'},
}
WINDOW_ATTRS = {'size', 'caption', 'maxinfo', 'bktrans', 'defaultfontcolor', 'linkfontcolor', 'linkhoverfontcolor'}
RESOURCE_ELEMENTS = {'Include', 'Font', 'Style', 'Default', 'Image'}
IMAGE_ATTRS = ('bkimage', 'statusimage', 'foreimage')
BUTTON_STATES = {'normal', 'hot', 'pushed', 'focused', 'disabled'}
OPTION_STATES = BUTTON_STATES | {'selected', 'selectedhot', 'selectedpushed', 'selectedfocused', 'selecteddisabled'}
FONT_COUNT = 7


def normal(path):
    return path.replace('\\', '/').lower()


# -------------------------------------------------------------- image headers

def png_info(data):
    """(width, height, colour type) of a PNG, after walking every chunk and its CRC."""
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError('not a PNG signature')
    pos, header, ended = 8, None, False
    while pos < len(data):
        if pos + 8 > len(data):
            raise ValueError('truncated chunk header')
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        crc = data[pos + 8 + length:pos + 12 + length]
        if len(body) != length or len(crc) != 4:
            raise ValueError('truncated chunk')
        if zlib.crc32(kind + body) != struct.unpack('>I', crc)[0]:
            raise ValueError(f'bad CRC in chunk {kind!r}')
        if kind == b'IHDR':
            width, height, _depth, colour = struct.unpack('>IIBB', body[:10])
            header = (width, height, colour)
        if kind == b'IEND':
            ended = True
            break
        pos += 12 + length
    if header is None or not ended:
        raise ValueError('missing IHDR or IEND')
    return header


def gif_info(data):
    """(width, height, [frame delays in ms]) of a GIF, walking every block."""
    if data[:6] not in (b'GIF87a', b'GIF89a'):
        raise ValueError('not a GIF signature')
    width, height, flags = struct.unpack('<HHB', data[6:11])
    pos = 13
    if flags & 0x80:
        pos += 3 * (2 << (flags & 7))
    delays, pending = [], 0

    def skip_sub_blocks(p):
        while True:
            if p >= len(data):
                raise ValueError('truncated sub-blocks')
            n = data[p]
            p += 1
            if n == 0:
                return p
            p += n

    while True:
        if pos >= len(data):
            raise ValueError('missing trailer')
        kind = data[pos]
        if kind == 0x3B:
            break
        if kind == 0x21:
            label = data[pos + 1]
            if label == 0xF9:
                pending = struct.unpack('<H', data[pos + 4:pos + 6])[0] * 10
            pos = skip_sub_blocks(pos + 2)
        elif kind == 0x2C:
            lflags = data[pos + 9]
            pos += 10
            if lflags & 0x80:
                pos += 3 * (2 << (lflags & 7))
            pos = skip_sub_blocks(pos + 1)  # after the LZW minimum code size
            delays.append(pending)
            pending = 0
        else:
            raise ValueError(f'unknown block {kind:#x}')
    return width, height, delays


# -------------------------------------------------------------- markup model

def parse_attribute_list(text):
    """name="value" pairs of a Style value, in order."""
    pairs = re.findall(r'([A-Za-z][\w-]*)\s*=\s*"([^"]*)"', text)
    rest = re.sub(r'([A-Za-z][\w-]*)\s*=\s*"([^"]*)"', '', text).strip()
    if rest:
        raise ValueError(f'unparsed text in attribute list: {rest!r}')
    return pairs


def parse_image_spec(value):
    """Dictionary of an image specification; a plain value is the file."""
    if '=' not in value:
        return {'file': value}
    pairs = re.findall(r"(\w+)='([^']*)'", value)
    rest = re.sub(r"(\w+)='([^']*)'", '', value).strip()
    if rest or not pairs:
        raise ValueError(f'malformed image specification: {value!r}')
    return dict(pairs)


def parse_rect(text):
    nums = [int(n) for n in re.findall(r'-?\d+', text)]
    return (nums + [0, 0, 0, 0])[:4]


class Control:
    def __init__(self, element, file, attrs):
        self.element, self.file, self.attrs = element, file, attrs  # attrs: effective, in order

    def get(self, name, default=None):
        value = default
        for k, v in self.attrs:
            if k == name:
                value = v
        return value


class WindowBuild:
    """Walks a window file as the framework builds it: includes, style table
    (first definition wins, inherit), controls depth first with their
    attributes after style expansion. Records what it meets."""

    def __init__(self, package, path):
        self.package = package
        self.styles = {}
        self.fonts = 0
        self.controls = []
        self.problems = []
        self.root_attrs = {}
        self.build_file(path, top=True)

    def problem(self, file, text):
        self.problems.append(f'{file}: {text}')

    def build_file(self, path, top=False):
        root = self.package.markup(path)
        if root is None:
            self.problem(path, 'included file is not in the package')
            return
        if root.tag != 'Window':
            self.problem(path, f'root element is {root.tag}, not Window')
            return
        if top:
            self.root_attrs = dict(root.attrib)
            for k in root.attrib:
                if k not in WINDOW_ATTRS:
                    self.problem(path, f'unknown window attribute {k}')
        for child in root:
            if child.tag in RESOURCE_ELEMENTS:
                self.resource(path, child)
        for child in root:
            if child.tag not in RESOURCE_ELEMENTS:
                self.control(path, child)

    def resource(self, path, el):
        if el.tag == 'Include':
            for _ in range(int(el.get('count', '1'))):
                self.build_file(el.get('source', ''))
        elif el.tag == 'Font':
            self.fonts += 1
        elif el.tag == 'Style':
            name, value = el.get('name'), el.get('value', '')
            try:
                parse_attribute_list(value)
            except ValueError as e:
                self.problem(path, f'style {name}: {e}')
            inherit = el.get('inherit')
            if inherit and inherit in self.styles:
                value = self.styles[inherit] + (' ' + value if value else '')
            elif inherit:
                self.problem(path, f'style {name} inherits {inherit}, which is not defined before it')
            if name in self.styles:
                if self.styles[name] != value:
                    self.problem(path, f'style {name} defined again with another value')
            else:
                self.styles[name] = value

    def control(self, path, el):
        if el.tag == 'Include':
            self.build_file(el.get('source', ''))
            return
        if el.tag in RESOURCE_ELEMENTS:
            return
        if el.tag not in ALLOWED_ATTRS:
            self.problem(path, f'unknown element {el.tag}')
            return
        for child in el:
            self.control(path, child)
        attrs = []
        for k, v in el.attrib.items():
            if k == 'style':
                if v not in self.styles:
                    self.problem(path, f'style {v} used before it is defined')
                    continue
                attrs.extend(parse_attribute_list(self.styles[v]))
            else:
                attrs.append((k, v))
        for k, _ in attrs:
            if k not in ALLOWED_ATTRS[el.tag]:
                self.problem(path, f'{el.tag} {el.get("name", "")}: attribute {k} is not one of its attributes')
        self.controls.append(Control(el.tag, path, attrs))

    def named(self):
        out = {}
        for c in self.controls:
            if c.get('name'):
                out.setdefault(c.get('name'), []).append(c)
        return out


class Package:
    def __init__(self, path):
        self.zip = zipfile.ZipFile(path)
        self.by_name = {normal(i.filename): i for i in self.zip.infolist()}

    def read(self, path):
        info = self.by_name.get(normal(path))
        return None if info is None else self.zip.read(info)

    def markup(self, path):
        data = self.read(path)
        return None if data is None else ET.fromstring(data.decode('utf-8'))

    def image_size(self, path):
        data = self.read(path)
        if data is None:
            return None
        if data[:4] == b'GIF8':
            w, h, _ = gif_info(data)
            return w, h
        w, h, _ = png_info(data)
        return w, h


# -------------------------------------------------------------- tests

class PackageEntriesTest(unittest.TestCase):
    def setUp(self):
        self.zip = zipfile.ZipFile(ZIP_PATH)

    def tearDown(self):
        self.zip.close()

    def test_exactly_the_listed_entries_all_deflated(self):
        infos = self.zip.infolist()
        names = [i.filename for i in infos]
        self.assertEqual(len(names), 47)
        self.assertEqual(sorted(names), sorted(EXPECTED_ENTRIES))
        for info in infos:
            self.assertEqual(info.compress_type, zipfile.ZIP_DEFLATED, info.filename)
            self.assertNotIn('\\', info.filename)
            self.assertLess(len(info.filename), 256)
        self.assertIsNone(self.zip.testzip())  # every CRC matches its entry

    def test_markup_comes_first_in_archive_order(self):
        names = [i.filename for i in self.zip.infolist()]
        last_xml = max(i for i, n in enumerate(names) if n.startswith('xml/'))
        first_img = min(i for i, n in enumerate(names) if n.startswith('img/'))
        self.assertLess(last_xml, first_img)

    def test_images_have_their_listed_sizes(self):
        for name, size in EXPECTED_ENTRIES.items():
            if size is None:
                continue
            data = self.zip.read(name)
            with self.subTest(name=name):
                if name.endswith('.gif'):
                    w, h, _ = gif_info(data)
                    self.assertEqual((w, h), size)
                else:
                    w, h, colour = png_info(data)
                    self.assertEqual((w, h), size)
                    self.assertEqual(colour, 6, 'PNG without an alpha channel')

    def test_check_gif_has_31_frames_of_30_ms(self):
        _, _, delays = gif_info(self.zip.read('img/inst/check.gif'))
        self.assertEqual(delays, [30] * 31)

    def test_header_readers_reject_damaged_images(self):
        png = self.zip.read('img/common/logo.png')
        gif = self.zip.read('img/inst/check.gif')
        for bad in (png[:-5], png[:40] + bytes([png[40] ^ 1]) + png[41:], b'\x89PNG'):
            with self.assertRaises(ValueError):
                png_info(bad)
        for bad in (gif[:-1], gif[:len(gif) // 2], b'GIF89a'):
            with self.assertRaises((ValueError, struct.error, IndexError)):
                gif_info(bad)


class MarkupTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.package = Package(ZIP_PATH)
        cls.window = WindowBuild(cls.package, 'Xml\\inst\\wnd.xml')
        cls.msgbox = WindowBuild(cls.package, 'xml\\msgbox.xml')
        # Not included by the window: it is built on its own.
        cls.step2 = WindowBuild(cls.package, 'xml\\inst\\panel\\step2.xml')

    def builds(self):
        return (('wnd.xml', self.window), ('msgbox.xml', self.msgbox), ('step2.xml', self.step2))

    def test_every_file_builds_without_problems(self):
        for label, build in self.builds():
            with self.subTest(file=label):
                self.assertEqual(build.problems, [])
                self.assertEqual(build.fonts, FONT_COUNT)

    def test_every_markup_entry_parses_with_a_window_root(self):
        for name in EXPECTED_ENTRIES:
            if name.endswith('.xml'):
                with self.subTest(name=name):
                    self.assertEqual(self.package.markup(name).tag, 'Window')

    def test_every_referenced_image_is_in_the_package_and_fits(self):
        for label, build in self.builds():
            for c in build.controls:
                for k, v in c.attrs:
                    if k not in IMAGE_ATTRS and k != 'gif':
                        continue
                    with self.subTest(file=label, control=c.get('name', c.element), attribute=k):
                        spec = {'file': v} if k == 'gif' else parse_image_spec(v)
                        size = self.package.image_size(spec['file'])
                        self.assertIsNotNone(size, f'{spec["file"]} is not in the package')
                        if 'source' in spec:
                            l, t, r, b = parse_rect(spec['source'])
                            self.assertTrue(0 <= l < r <= size[0] and 0 <= t < b <= size[1], spec['source'])
                        if k == 'statusimage':
                            self.check_status_image(c, spec, size)

    def check_status_image(self, control, spec, size):
        groups = [g.split() for g in spec['status'].split(',')]
        allowed = OPTION_STATES if control.element in ('Option', 'CheckBox') else BUTTON_STATES
        for g in groups:
            self.assertTrue(g and set(g) <= allowed, spec['status'])
        l, _, r, _ = parse_rect(spec.get('source', f'0,0,{size[0]},{size[1]}'))
        self.assertEqual((r - l) % len(groups), 0, 'states of unequal width')

    def test_strips_split_into_whole_frames(self):
        expected = {'seq_introduce_check': (5, 767), 'seq_introduce0': (4, 330), 'seq_introduce1': (5, 767),
                    'seq_introduce2': (5, 767), 'seq_inst': (48, 767)}
        named = self.window.named()
        for name, (count, frame_width) in expected.items():
            with self.subTest(control=name):
                c = named[name][0]
                self.assertEqual(int(c.get('imagecount')), count)
                spec = parse_image_spec(c.get('bkimage'))
                width, _ = self.package.image_size(spec['file'])
                self.assertEqual(width // count, frame_width)
                self.assertEqual(width % count, 0)

    def test_named_controls_of_the_installer_window(self):
        named = self.window.named()
        for name, (element, file) in WINDOW_CONTROLS.items():
            with self.subTest(name=name):
                self.assertTrue(name in named, f'no control named {name}')
                self.assertEqual(len(named[name]), 1, 'name used more than once')
                self.assertEqual(named[name][0].element, element)
                self.assertEqual(normal(named[name][0].file), normal(file))
        named = self.msgbox.named()
        for name, element in MSGBOX_CONTROLS.items():
            with self.subTest(name=name):
                self.assertEqual([c.element for c in named.get(name, [])], [element])

    def test_runtime_styles_are_defined(self):
        for build, names in ((self.window, RUNTIME_STYLES['xml/inst/wnd.xml']),
                             (self.msgbox, RUNTIME_STYLES['xml/msgbox.xml'])):
            for name in names:
                with self.subTest(style=name):
                    self.assertIn(name, build.styles)

    def test_window_attributes(self):
        self.assertEqual(self.window.root_attrs['size'], '819,574')
        self.assertEqual(self.window.root_attrs['maxinfo'], '819,698')
        self.assertEqual(self.msgbox.root_attrs['size'], '333,203')
        for build in (self.window, self.msgbox):
            self.assertEqual(build.root_attrs.get('bktrans'), 'true')

    def test_fixed_texts_sizes_and_styles(self):
        w = {n: cs[0] for n, cs in self.window.named().items()}
        cases = [
            ('lbl_models_title', 'text', '请选择您需要安装的版本：'),
            ('btn_go_step1', 'text', '确认，下一步'),
            ('btn_go_step1', 'width', '152'),
            ('btn_go_step1', 'padding', '36'),
            ('txt_lic', 'text', '我已仔细阅读并同意{a}《许可协议》{/a}'),
            ('txt_lic', 'mouse', 'true'),
            ('btn_go_step2', 'text', '立即安装'),
            ('chk_lic', 'selected', 'true'),
            ('chk_custom_install', 'text', '自定义安装'),
            ('vl_custom_install', 'visible', 'false'),
            ('edit_install_path', 'readonly', 'true'),
            ('btn_browser', 'text', '浏览'),
            ('lbl_space', 'text', '所需空间：10MB'),
            ('lbl_space', 'textcolor', '#66000000'),
            ('chk_desktop_shortcut', 'text', '创建桌面快捷方式'),
            ('chk_startmenu_shortcut', 'text', '创建开始菜单快捷方式'),
            ('chk_auto_start', 'text', '创建开机启动项'),
            ('btn_contact', 'text', '联系我们'),
            ('vl_models', 'childpadding', '24'),
            ('lbl_dl_stat', 'text', '下载中...'),
            ('lbl_dl_precent', 'text', '1%'),
            ('lbl_dl_precent', 'width', '50'),
            ('lbl_dl_size', 'autowidth', 'true'),
            ('lbl_dl_size', 'textcolor', '#666666'),
            ('prog_download', 'height', '12'),
            ('prog_download', 'bkimage', 'img\\common\\prog_bg.png'),
            ('prog_download', 'foreimage', "file='img\\common\\prog_fg.png' corner='6,0,6,0'"),
            ('tab_dl_op', 'width', '88'),
            ('tab_dl_op', 'height', '30'),
            ('btn_dl_pause', 'text', '暂停'),
            ('btn_dl_resume', 'text', '继续'),
            ('btn_dl_re-download', 'text', '重新下载'),
            ('lbl_inst_stat', 'text', '安装中...'),
            ('seq_inst', 'width', '767'),
            ('seq_inst', 'height', '12'),
            ('seq_inst', 'elapse', '40'),
            ('seq_inst', 'bkcolor', '#E90505'),
            ('btn_launch', 'text', '立即体验'),
            ('seq_introduce1', 'width', '767'),
            ('seq_introduce1', 'height', '398'),
            ('seq_introduce1', 'padding', '16,12,16,0'),
            ('seq_introduce1', 'elapse', '3000'),
            ('seq_introduce0', 'elapse', '3000'),
            ('btn_close', 'width', '24'),
        ]
        for name, attr, value in cases:
            with self.subTest(control=name, attribute=attr):
                self.assertEqual(w[name].get(attr), value)
        m = {n: cs[0] for n, cs in self.msgbox.named().items()}
        for name, attr, value in [('btn_close', 'enable', 'false'), ('btn_close', 'width', '24'),
                                  ('btn_close', 'height', '24'), ('lbl_caption', 'visible', 'false'),
                                  ('lbl_caption', 'textpadding', '38,0,0,0'), ('lbl_text', 'multiline', 'true'),
                                  ('btn0', 'minwidth', '60'), ('btn1', 'autowidth', 'true')]:
            with self.subTest(control=name, attribute=attr):
                self.assertEqual(m[name].get(attr), value)

    def test_status_styles_set_text_and_colour(self):
        expected = {'lbl_dl_stat': ('下载中...', '#333333'), 'lbl_dl_stat_err': ('下载失败', '#E90505'),
                    'lbl_inst_stat': ('安装中...', '#333333'), 'lbl_inst_stat_err': ('安装失败', '#E90505'),
                    'lbl_space_err': (None, '#E90505')}
        for name, (text, colour) in expected.items():
            with self.subTest(style=name):
                attrs = dict(parse_attribute_list(self.window.styles[name]))
                self.assertEqual(attrs.get('text'), text)
                self.assertEqual(attrs.get('textcolor'), colour)

    def test_fonts_and_pages(self):
        for label, build in self.builds():
            for c in build.controls:
                if c.get('font') is not None:
                    with self.subTest(file=label, control=c.get('name', c.element)):
                        self.assertLess(int(c.get('font')), FONT_COUNT)
        # The tab layouts hold their pages as direct children, in order.
        roots = {'tab_main': 4, 'tab_check_bottom': 3, 'tab_bottom': 3, 'tab_dl_op': 3}
        for tab, count in roots.items():
            with self.subTest(tab=tab):
                self.assertEqual(self.page_count(tab), count)

    def children(self, el):
        """Control children of an element, with Includes of the tree expanded."""
        out = []
        for child in el:
            if child.tag == 'Include':
                included = self.package.markup(child.get('source'))
                out.extend(c for c in included if c.tag not in RESOURCE_ELEMENTS)
            elif child.tag not in RESOURCE_ELEMENTS:
                out.append(child)
        return out

    def page_count(self, tab):
        stack = [self.package.markup('xml/inst/wnd.xml')]
        while stack:
            el = stack.pop()
            kids = self.children(el)
            if el.get('name') == tab:
                return len(kids)
            stack.extend(kids)
        return 0


class ImageSpecParsingTest(unittest.TestCase):
    """The helpers above agree with the value syntax of the markup."""

    def test_cases(self):
        self.assertEqual(parse_image_spec('img\\a.png'), {'file': 'img\\a.png'})
        self.assertEqual(parse_image_spec("file='a.png' source='0,0,4,4'"), {'file': 'a.png', 'source': '0,0,4,4'})
        with self.assertRaises(ValueError):
            parse_image_spec("file='a.png' source=0,0,4,4")
        self.assertEqual(parse_rect('36'), [36, 0, 0, 0])
        self.assertEqual(parse_attribute_list('a="1" b="x y"'), [('a', '1'), ('b', 'x y')])
        with self.assertRaises(ValueError):
            parse_attribute_list('a="1" b=2')


if __name__ == '__main__':
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    ZIP_PATH = sys.argv.pop(1)
    unittest.main(verbosity=1)
