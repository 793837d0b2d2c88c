"""Zorvin installed on a Linux desktop: what `cmake --install` puts down, checked with the
desktop's own validators, against the artwork, and against the running program.

    ZORVIN_BUILD_DIR   the build tree to install from
"""

import os
import shutil
import subprocess
import tempfile
import unittest
from xml.etree import ElementTree

from tests.harness import artwork, programs, session, x11
from tests.packages import png_reader
from tests.harness.author_settings import author

APP_ID = "org.example.zorvin"
EXTENSION = "pointer@zorvin.example.org"
COMMENT = ("He comes up on your desktop and his eyes follow your cursor as you move it around the "
           "desktop.")
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


def read_desktop_entry(path):
    entry = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            if "=" in line and not line.startswith("#"):
                key, value = line.rstrip("\n").split("=", 1)
                entry[key] = value
    return entry


class DesktopInstall(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.prefix = tempfile.mkdtemp(prefix="zorvin-install-")
        subprocess.run(["cmake", "--install", os.environ["ZORVIN_BUILD_DIR"], "--prefix",
                        cls.prefix], check=True, stdout=subprocess.DEVNULL)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.prefix, ignore_errors=True)

    def installed(self, *path):
        return os.path.join(self.prefix, *path)

    def test_installs_the_program_and_what_a_desktop_needs_of_it(self):
        found = {os.path.relpath(os.path.join(directory, name), self.prefix)
                 for directory, _, names in os.walk(self.prefix) for name in names}
        expected = {
            "bin/zorvin",
            "libexec/zorvin/zorvin-look",
            "share/applications/%s.desktop" % APP_ID,
            "share/metainfo/%s.metainfo.xml" % APP_ID,
            "share/man/man6/zorvin.6",
            "share/doc/zorvin/LICENSE",
            "share/doc/zorvin/README.md",
            "share/gnome-shell/extensions/%s/metadata.json" % EXTENSION,
            "share/gnome-shell/extensions/%s/extension.js" % EXTENSION,
        } | {"share/icons/hicolor/%dx%d/apps/%s.png" % (n, n, APP_ID) for n in ICON_SIZES}
        self.assertEqual(found, expected)
        self.assertTrue(os.access(self.installed("bin", "zorvin"), os.X_OK))

    def test_desktop_entry_is_valid_and_starts_the_program_with_its_icon(self):
        path = self.installed("share", "applications", APP_ID + ".desktop")
        result = subprocess.run(["desktop-file-validate", path], capture_output=True, text=True)
        self.assertEqual((result.returncode, result.stdout + result.stderr), (0, ""))
        entry = read_desktop_entry(path)
        self.assertEqual(entry["Name"], "Zorvin")
        self.assertEqual(entry["Comment"], COMMENT)
        self.assertEqual(entry["Exec"], "zorvin")
        self.assertEqual(entry["Icon"], APP_ID)
        self.assertIn("Game", entry["Categories"].split(";"))

    def test_metainfo_is_valid_and_points_at_the_desktop_entry_and_program(self):
        path = self.installed("share", "metainfo", APP_ID + ".metainfo.xml")
        result = subprocess.run(["appstreamcli", "validate", "--no-net", path],
                                capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        problems = [line for line in result.stdout.splitlines() if line[:2] in ("E:", "W:")]
        self.assertEqual(problems, [])
        with open(path, encoding="utf-8") as f:
            text = f.read()
        for part in ("<id>%s</id>" % APP_ID,
                     '<launchable type="desktop-id">%s.desktop</launchable>' % APP_ID,
                     "<binary>zorvin</binary>", '<release version="1.00"',
                     "<project_license>MIT</project_license>", '<content_rating type="oars-1.1"'):
            self.assertIn(part, text)

    def test_metainfo_and_manual_page_name_the_author_as_the_build_sets_them(self):
        header = os.path.join(os.environ["ZORVIN_BUILD_DIR"], "generated", "about", "author.h")
        name, email, homepage = (author(setting, header) for setting in
                                 ("ZORVIN_AUTHOR_NAME", "ZORVIN_AUTHOR_EMAIL", "ZORVIN_HOMEPAGE"))
        metainfo = ElementTree.parse(
            self.installed("share", "metainfo", APP_ID + ".metainfo.xml")).getroot()
        self.assertEqual(metainfo.findtext("developer/name"), name)
        self.assertEqual(metainfo.findtext("developer_name"), name)
        self.assertEqual(metainfo.findtext("url[@type='homepage']"), homepage)
        page = subprocess.run(["man", "-P", "cat", "-l",
                               self.installed("share", "man", "man6", "zorvin.6")],
                              env=dict(os.environ, MANWIDTH="200", LC_ALL="C.UTF-8"),
                              capture_output=True, text=True, check=True)
        self.assertEqual(page.stderr, "")
        lines = [line.strip() for line in page.stdout.splitlines()]
        self.assertEqual(lines[lines.index("AUTHORS") + 1], "%s <%s>" % (name, email))
        self.assertEqual(lines[lines.index("SEE ALSO") + 1], homepage)

    def test_large_icons_are_the_face_in_whole_pixel_blocks_on_a_transparent_square(self):
        picture = artwork.face()
        outline = artwork.face_pixels()
        pupil_colours = set(artwork.pupil_template().values())
        width, height = len(picture[0]), len(picture)
        for size in (128, 256):
            rows = png_reader.read_rgba(
                self.installed("share", "icons", "hicolor", "%dx%d" % (size, size), "apps",
                               APP_ID + ".png"))
            self.assertEqual((len(rows[0]), len(rows)), (size, size))
            scale = size // width
            left, top = (size - width * scale) // 2, (size - height * scale) // 2
            wrong = []
            for y in range(size):
                for x in range(size):
                    px, py = (x - left) // scale, (y - top) // scale
                    r, g, b, a = rows[y][x]
                    if (px, py) not in outline or not (0 <= x - left and 0 <= y - top):
                        if a != 0:
                            wrong.append((x, y))
                    elif a != 255 or ((r, g, b) != picture[py][px]
                                      and (r, g, b) not in pupil_colours):
                        wrong.append((x, y))
            self.assertEqual(wrong[:10], [], "size %d" % size)

    def test_every_icon_is_square_and_sharp(self):
        for size in ICON_SIZES:
            rows = png_reader.read_rgba(
                self.installed("share", "icons", "hicolor", "%dx%d" % (size, size), "apps",
                               APP_ID + ".png"))
            self.assertEqual((len(rows[0]), len(rows)), (size, size))
            alphas = {pixel[3] for row in rows for pixel in row}
            self.assertEqual(alphas, {0, 255}, "size %d: no blended edges" % size)

    def test_running_program_is_tied_to_its_desktop_entry_and_looks_with_its_helper(self):
        entry = read_desktop_entry(self.installed("share", "applications", APP_ID + ".desktop"))
        program = programs.LinuxProgram(self.installed("bin", "zorvin"))
        helper = os.path.realpath(self.installed("libexec", "zorvin", "zorvin-look"))

        def helpers_running():
            return helper in {os.path.realpath("/proc/%d/exe" % child)
                              for child in running.children()}

        with session.XSession() as x:
            running, window = programs.start_shown(program, x.display)
            try:
                self.assertIn(entry["StartupWMClass"], window.get_wm_class())
                x11.wait_until(helpers_running, 30, message="the installed helper to run")
            finally:
                running.stop()


if __name__ == "__main__":
    unittest.main()
