"""The Debian package that scripts/package.sh makes: clean by lintian, holding what the install
rules put down plus what Debian asks for, named for the Debian release it was made on, and
depending on the packages of the libraries the program links, whatever they are called there.

    ZORVIN_DIST        the folder with the packages
    ZORVIN_AUTHOR_HEADER  the about/author.h of the build it was made from
"""

import email.utils
import glob
import os
import re
import subprocess
import tempfile
import unittest

from tests.harness.author_settings import author

APP_ID = "org.example.zorvin"
EXTENSION = "pointer@zorvin.example.org"
PROGRAMS = ("/usr/bin/zorvin", "/usr/libexec/zorvin/zorvin-look")


def debian_release():
    """The major version of the Debian release the tests run on (and the package was made on),
    or None elsewhere. Testing names none in os-release; its base-files package's version begins
    with it."""
    fields = {}
    with open("/etc/os-release") as f:
        for line in f:
            key, _, value = line.strip().partition("=")
            fields[key] = value.strip('"')
    if fields.get("ID") != "debian":
        return None
    version = fields.get("VERSION_ID")
    if version is None:
        base_files = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "base-files"],
                                    capture_output=True, text=True).stdout
        version = re.match(r"\d*", base_files).group()
    return version if version.isdigit() else None


def needed_libraries(program):
    """The shared libraries the program names in its dynamic section."""
    dynamic = subprocess.run(["readelf", "--dynamic", program], capture_output=True, text=True,
                             check=True).stdout
    return re.findall(r"\(NEEDED\)\s+Shared library: \[([^\]]+)\]", dynamic)


def package_of_library(soname):
    """The installed package that holds the library the dynamic linker finds for `soname`."""
    cache = subprocess.run(["ldconfig", "-p"], capture_output=True, text=True,
                           check=True).stdout
    found = re.search(r"^\s*%s \(libc6,x86-64\) => (\S+)$" % re.escape(soname), cache,
                      re.MULTILINE)
    if not found:
        raise AssertionError("the dynamic linker does not find " + soname)
    path = found.group(1)
    # Merged /usr: the linker may name /lib where the package installed /usr/lib, or the other
    # way round.
    for candidate in (path, os.path.realpath(path), re.sub(r"^/usr/", "/", path),
                      "/usr" + path):
        owner = subprocess.run(["dpkg-query", "--search", candidate], capture_output=True,
                               text=True)
        if owner.returncode == 0:
            return owner.stdout.split(":")[0]
    raise AssertionError("no installed package holds " + path)


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

    def test_is_named_for_its_version_release_and_architecture(self):
        release = debian_release()
        version = "1.00-1~deb%s" % release if release else "1.00-1"
        self.assertEqual(os.path.basename(self.deb), "zorvin_%s_amd64.deb" % version)
        self.assertEqual(self.field("Package"), "zorvin")
        self.assertEqual(self.field("Version"), version)
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

    def test_depends_on_the_packages_of_the_libraries_the_programs_link(self):
        depends = {part.strip().split(" ")[0] for part in self.field("Depends").split(",")}
        with tempfile.TemporaryDirectory() as unpacked:
            subprocess.run(["dpkg-deb", "--extract", self.deb, unpacked], check=True)
            linked = [soname for program in PROGRAMS
                      for soname in needed_libraries(os.path.join(unpacked, program.lstrip("/")))]
        self.assertTrue({"libc.so.6", "libstdc++.so.6", "libQt6Widgets.so.6",
                         "libxcb-sync.so.1"} <= set(linked), linked)
        for soname in linked:
            self.assertIn(package_of_library(soname), depends, soname)
        self.assertEqual([name for name in depends if name.endswith("-dev")], [])

    def test_holds_the_program_its_desktop_files_and_debian_documents(self):
        listing = subprocess.run(["dpkg-deb", "--contents", self.deb], capture_output=True,
                                 text=True, check=True).stdout
        files = {line.split()[-1].lstrip(".") for line in listing.splitlines()
                 if not line.startswith("d")}
        expected = set(PROGRAMS) | {
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
