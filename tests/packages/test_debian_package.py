"""The Debian package that scripts/package.sh makes: clean by lintian, holding what the install
rules put down plus what Debian asks for, and depending only on what the program links.

    ZORVIN_DIST        the folder with the packages
    ZORVIN_AUTHOR_HEADER  the about/author.h of the build it was made from
"""

import email.utils
import glob
import os
import subprocess
import unittest

from author_settings import author

APP_ID = "org.example.zorvin"
EXTENSION = "pointer@zorvin.example.org"


class DebianPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        found = glob.glob(os.path.join(os.environ["ZORVIN_DIST"], "zorvin_*.deb"))
        if len(found) != 1:
            raise AssertionError("one zorvin_*.deb in %s expected, found %s; run scripts/package.sh"
                                 % (os.environ["ZORVIN_DIST"], found))
        cls.deb = found[0]

    def field(self, name):
        return subprocess.run(["dpkg-deb", "--field", self.deb, name], capture_output=True,
                              text=True, check=True).stdout.strip()

    def test_is_named_for_its_version_and_architecture(self):
        self.assertEqual(os.path.basename(self.deb), "zorvin_1.00-1_amd64.deb")
        self.assertEqual(self.field("Package"), "zorvin")
        self.assertEqual(self.field("Version"), "1.00-1")
        self.assertEqual(self.field("Architecture"), "amd64")

    def test_names_the_author_as_its_maintainer_and_home_page(self):
        self.assertEqual(email.utils.parseaddr(self.field("Maintainer")),
                         (author("ZORVIN_AUTHOR_NAME"), author("ZORVIN_AUTHOR_EMAIL")))
        self.assertEqual(self.field("Homepage"), author("ZORVIN_HOMEPAGE"))

    def test_lintian_finds_no_error_and_no_warning(self):
        result = subprocess.run(["lintian", "--fail-on", "error,warning", self.deb],
                                capture_output=True, text=True)
        problems = [line for line in result.stdout.splitlines() if line[:2] in ("E:", "W:")]
        self.assertEqual((result.returncode, problems), (0, []), result.stdout + result.stderr)

    def test_depends_on_the_libraries_the_program_links_and_nothing_for_building(self):
        depends = [part.strip().split(" ")[0] for part in self.field("Depends").split(",")]
        for library in ("libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6",
                        "libxcb1"):
            self.assertIn(library, depends)
        self.assertEqual([name for name in depends if name.endswith("-dev")], [])
        self.assertNotIn("libgtest-dev", depends)

    def test_holds_the_program_its_desktop_files_and_debian_documents(self):
        listing = subprocess.run(["dpkg-deb", "--contents", self.deb], capture_output=True,
                                 text=True, check=True).stdout
        files = {line.split()[-1].lstrip(".") for line in listing.splitlines()
                 if not line.startswith("d")}
        expected = {
            "/usr/bin/zorvin",
            "/usr/share/applications/%s.desktop" % APP_ID,
            "/usr/share/metainfo/%s.metainfo.xml" % APP_ID,
            "/usr/share/man/man6/zorvin.6.gz",
            "/usr/share/doc/zorvin/copyright",
            "/usr/share/doc/zorvin/changelog.Debian.gz",
            "/usr/share/doc/zorvin/README.md",
            "/usr/share/lintian/overrides/zorvin",
            "/usr/share/gnome-shell/extensions/%s/metadata.json" % EXTENSION,
            "/usr/share/gnome-shell/extensions/%s/extension.js" % EXTENSION,
        } | {"/usr/share/icons/hicolor/%dx%d/apps/%s.png" % (n, n, APP_ID)
             for n in (16, 24, 32, 48, 64, 128, 256)}
        self.assertEqual(files, expected)


if __name__ == "__main__":
    unittest.main()
