"""Zorvin.exe as Windows sees it before running it: its version block, its resources and the DLLs
it needs, read from the file with pefile.

    /usr/bin/python3 test_zorvin_exe.py <Zorvin.exe> <project root> <about/author.h>

The last is the header the build made of its author settings.
"""
import os
import re
import sys
import unittest

import pefile

from tests.harness.author_settings import author

EXE = None
ROOT = None
AUTHOR_HEADER = None
# A release is built for size and stripped; what it holds beyond that should be noticed.
MAX_SIZE = 300 * 1024

ALLOWED_DLLS = re.compile(
    r"^(kernel32|user32|gdi32|shell32|msimg32|ole32|comctl32|advapi32|msvcrt|"
    r"api-ms-win-crt-[a-z-]+-l1-1-0|vcruntime140)\.dll$",
    re.IGNORECASE)

RT_CURSOR = pefile.RESOURCE_TYPE["RT_CURSOR"]
RT_BITMAP = pefile.RESOURCE_TYPE["RT_BITMAP"]
RT_ICON = pefile.RESOURCE_TYPE["RT_ICON"]
RT_GROUP_CURSOR = pefile.RESOURCE_TYPE["RT_GROUP_CURSOR"]
RT_GROUP_ICON = pefile.RESOURCE_TYPE["RT_GROUP_ICON"]
RT_MANIFEST = pefile.RESOURCE_TYPE["RT_MANIFEST"]


class ZorvinExe(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pe = pefile.PE(EXE)

    def resources(self, type_id):
        """{resource id: bytes} of one resource type."""
        found = {}
        for type_entry in self.pe.DIRECTORY_ENTRY_RESOURCE.entries:
            if type_entry.id != type_id:
                continue
            for name_entry in type_entry.directory.entries:
                for language in name_entry.directory.entries:
                    data = language.data.struct
                    found[name_entry.id] = self.pe.get_data(data.OffsetToData, data.Size)
        return found

    def version_strings(self):
        strings = {}
        for info in self.pe.FileInfo[0]:
            if info.Key == b"StringFileInfo":
                for table in info.StringTable:
                    for key, value in table.entries.items():
                        strings[key.decode()] = value.decode()
        return strings

    def test_version_block_names_the_program_and_its_author(self):
        self.assertEqual(self.version_strings(), {
            "FileVersion": "1.00",
            "ProductVersion": "1.00",
            "FileDescription": "Zorvin",
            "ProductName": "Zorvin",
            "OriginalFilename": "Zorvin.exe",
            "InternalName": "Zorvin",
            "Comments": "He comes up on your desktop and his eyes follow your cursor as you "
                        "move it around the desktop.",
            "CompanyName": author("ZORVIN_AUTHOR_NAME", AUTHOR_HEADER),
            "Homepage": author("ZORVIN_HOMEPAGE", AUTHOR_HEADER),
        })

    def test_is_a_windows_gui_program_for_x64(self):
        self.assertEqual(self.pe.OPTIONAL_HEADER.Subsystem,
                         pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"])
        self.assertEqual(self.pe.FILE_HEADER.Machine, pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"])

    def test_needs_only_dlls_that_windows_ships(self):
        dlls = [entry.dll.decode() for entry in self.pe.DIRECTORY_ENTRY_IMPORT]
        self.assertTrue(dlls)
        for dll in dlls:
            self.assertRegex(dll, ALLOWED_DLLS)

    def test_calls_the_window_functions_from_their_libraries(self):
        imported = {}
        for entry in self.pe.DIRECTORY_ENTRY_IMPORT:
            for function in entry.imports:
                if function.name:
                    imported[function.name.decode()] = entry.dll.decode().lower()
        for function, dll in [("CreatePolygonRgn", "gdi32.dll"), ("SetWindowRgn", "user32.dll"),
                              ("SetWindowPos", "user32.dll"), ("GetCursorPos", "user32.dll"),
                              ("ScreenToClient", "user32.dll"), ("ShellExecuteW", "shell32.dll")]:
            self.assertEqual(imported.get(function), dll, function)

    def test_pictures_are_the_artwork(self):
        bitmaps = sorted(self.resources(RT_BITMAP).values(), key=len)
        expected = []
        for name in ["pupil.bmp", "face.bmp"]:
            with open(os.path.join(ROOT, "assets", name), "rb") as picture:
                expected.append(picture.read()[14:])  # a bitmap resource has no file header
        self.assertEqual(bitmaps, expected)

    def test_icon_is_the_face_at_every_size_the_first_icon_in_the_file(self):
        groups = self.resources(RT_GROUP_ICON)
        self.assertEqual(min(groups), 1)  # the lowest identifier is the one Explorer shows
        sizes = []
        for image in self.resources(RT_ICON).values():
            if image.startswith(b"\x89PNG"):
                sizes.append((int.from_bytes(image[16:20], "big"), "png"))
            else:
                width, height_twice, bits = image[4], image[8], image[14]
                self.assertEqual((height_twice, bits), (2 * width, 8))
                sizes.append((width, "bitmap"))
        self.assertEqual(sorted(sizes), [(16, "bitmap"), (24, "bitmap"), (32, "bitmap"),
                                         (48, "bitmap"), (64, "bitmap"), (256, "png")])

    def test_release_is_small(self):
        self.assertLessEqual(os.path.getsize(EXE), MAX_SIZE)
        self.assertFalse([section for section in self.pe.sections
                          if section.Name.rstrip(b"\0").startswith(b".debug")])

    def test_hand_pointer_points_with_its_fingertip(self):
        self.assertEqual(len(self.resources(RT_GROUP_CURSOR)), 1)
        cursors = list(self.resources(RT_CURSOR).values())
        self.assertEqual(len(cursors), 1)
        hot_x, hot_y = int.from_bytes(cursors[0][0:2], "little"), int.from_bytes(cursors[0][2:4], "little")
        self.assertEqual((hot_x, hot_y), (5, 1))

    def test_manifest_declares_per_monitor_dpi_awareness_with_fallbacks(self):
        manifest = self.resources(RT_MANIFEST)[1].decode()
        self.assertRegex(manifest, r"<dpiAware[^>]*>true/pm</dpiAware>")
        self.assertRegex(manifest, r"<dpiAwareness[^>]*>PerMonitorV2, PerMonitor</dpiAwareness>")

    def test_starts_on_windows_older_than_its_dpi_functions(self):
        # Windows before 10 (1607) lacks these: imported, they would stop the program loading.
        newer = {"GetDpiForWindow", "GetDpiForSystem", "GetSystemMetricsForDpi",
                 "AdjustWindowRectExForDpi", "SetProcessDpiAwarenessContext",
                 "SetThreadDpiAwarenessContext", "EnableNonClientDpiScaling"}
        imported = {function.name.decode() for entry in self.pe.DIRECTORY_ENTRY_IMPORT
                    for function in entry.imports if function.name}
        self.assertEqual(imported & newer, set())

if __name__ == "__main__":
    EXE, ROOT, AUTHOR_HEADER = sys.argv[1:4]
    unittest.main(argv=sys.argv[:1])
