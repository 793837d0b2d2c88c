"""The Windows program's packages that scripts/package.sh makes: the portable zip, and the
installer, installed, run and removed again under Wine in a prefix of its own; and replaced by an
installer made again of the same version, or of a later one.

    ZORVIN_DIST        the folder with the packages
    ZORVIN_EXECUTABLE  the Zorvin.exe they were made from
    ZORVIN_AUTHOR_HEADER  the about/author.h of the build they were made from
"""

import os
import re
import shutil
import subprocess
import tempfile
import unittest
import zipfile

from tests.harness import programs, session, wine_prefix
from tests.harness.author_settings import author

VERSION = "1.00"
UNINSTALL_KEYS = [root + r"\Software\Microsoft\Windows\CurrentVersion\Uninstall"
                  for root in ("HKCU", "HKLM")]
# A string value of a registry export: "name"="data", quotes and backslashes escaped.
STRING_VALUE = re.compile(r'^"((?:[^"\\]|\\.)*)"="((?:[^"\\]|\\.)*)"$')


def package(name):
    return os.path.join(os.environ["ZORVIN_DIST"], name)


class PortableZip(unittest.TestCase):
    def test_holds_the_program_its_readme_and_licence(self):
        with zipfile.ZipFile(package("Zorvin-%s-win64.zip" % VERSION)) as archive:
            self.assertEqual(sorted(archive.namelist()), ["LICENSE.txt", "README.txt", "Zorvin.exe"])
            with open(os.environ["ZORVIN_EXECUTABLE"], "rb") as built:
                self.assertEqual(archive.read("Zorvin.exe"), built.read())
            # Notepad's line ends.
            for text in ("LICENSE.txt", "README.txt"):
                content = archive.read(text)
                self.assertEqual(content.count(b"\n"), content.count(b"\r\n"), text)
            self.assertIn(b"MIT License", archive.read("LICENSE.txt"))


class Installer(unittest.TestCase):
    """One install, run and uninstall, in order, in a fresh prefix."""

    def setUp(self):
        self.prefix = wine_prefix.WinePrefix()
        self.prefix.make()
        self.addCleanup(self.prefix.remove)
        self.env = self.prefix.environment({k: v for k, v in os.environ.items() if k != "DISPLAY"})
        user = os.path.join(self.prefix.path, "drive_c", "users", os.environ.get("USER", "root"))
        if not os.path.isdir(user):
            user = os.path.join(self.prefix.path, "drive_c", "users",
                                next(name for name in os.listdir(os.path.dirname(user))
                                     if name != "Public"))
        self.programs = os.path.join(user, "AppData", "Local", "Programs")
        self.shortcut = os.path.join(user, "AppData", "Roaming", "Microsoft", "Windows",
                                     "Start Menu", "Programs", "Zorvin.lnk")

    def wine(self, *args, check=True):
        result = subprocess.run(["wine", *args], env=self.env, capture_output=True, text=True,
                                timeout=180)
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=180)
        if check:
            self.assertEqual(result.returncode, 0, " ".join(args) + ": " + result.stderr)
        return result

    def uninstall_entries(self):
        """The installed-apps entries named Zorvin, as {key: {value name: string data}}. Read from
        an export of the keys, which is UTF-16 whatever the text holds."""
        entries = {}
        export = os.path.join(self.prefix.path, "drive_c", "uninstall.reg")
        for key in UNINSTALL_KEYS:
            if self.wine("reg", "export", key, "C:\\uninstall.reg", "/y", check=False).returncode:
                continue
            with open(export, encoding="utf-16") as f:
                current = None
                for line in f.read().splitlines():
                    if line.startswith("[") and line.endswith("]"):
                        current = entries.setdefault(line[1:-1], {})
                    elif current is not None and (value := STRING_VALUE.match(line)):
                        name, data = (re.sub(r"\\(.)", r"\1", part) for part in value.groups())
                        current[name] = data
            os.remove(export)
        return {key: values for key, values in entries.items()
                if values.get("DisplayName") == "Zorvin"}

    def test_installs_for_the_user_runs_and_uninstalls_cleanly(self):
        msi = package("Zorvin-%s-win64.msi" % VERSION)
        self.wine("msiexec", "/i", msi, "/qn")

        folder = os.path.join(self.programs, "Zorvin")
        self.assertEqual(sorted(os.listdir(folder)), ["LICENSE.txt", "README.txt", "Zorvin.exe"])
        self.assertTrue(os.path.isfile(self.shortcut))
        entries = self.uninstall_entries()
        self.assertEqual(len(entries), 1, entries)
        entry = next(iter(entries.values()))
        self.assertEqual(entry.get("DisplayVersion"), VERSION)
        self.assertEqual((entry.get("Publisher"), entry.get("Contact"), entry.get("URLInfoAbout")),
                         (author("ZORVIN_AUTHOR_NAME"), author("ZORVIN_AUTHOR_EMAIL"),
                          author("ZORVIN_HOMEPAGE")))

        self.assert_shows_its_face(os.path.join(folder, "Zorvin.exe"))

        self.wine("msiexec", "/x", msi, "/qn")
        self.assert_nothing_left()

    def test_an_installer_made_again_replaces_the_installed_one(self):
        self.wine("msiexec", "/i", package("Zorvin-%s-win64.msi" % VERSION), "/qn")
        first = self.uninstall_entries()
        rebuilt = self.make_installer(VERSION)
        self.wine("msiexec", "/i", rebuilt, "/qn")
        entries = self.uninstall_entries()
        self.assertEqual(len(entries), 1, entries)
        self.assertNotEqual(entries.keys(), first.keys(), "the new product code")
        self.wine("msiexec", "/x", rebuilt, "/qn")
        self.assert_nothing_left()

    def test_a_later_version_replaces_the_installed_one_and_its_files(self):
        self.wine("msiexec", "/i", package("Zorvin-%s-win64.msi" % VERSION), "/qn")
        later = self.make_installer("1.01", readme="The later version.\r\n")
        self.wine("msiexec", "/i", later, "/qn")
        entries = self.uninstall_entries()
        self.assertEqual([entry.get("DisplayVersion") for entry in entries.values()], ["1.01"])
        folder = os.path.join(self.programs, "Zorvin")
        self.assertEqual(sorted(os.listdir(folder)), ["LICENSE.txt", "README.txt", "Zorvin.exe"])
        with open(os.path.join(folder, "README.txt"), newline="") as readme:
            self.assertEqual(readme.read(), "The later version.\r\n")
        self.wine("msiexec", "/x", later, "/qn")
        self.assert_nothing_left()

    def make_installer(self, version, readme=None):
        """An installer made again with wixl from what the build put together for it, with a new
        product code, at `version`, and with another README if given."""
        folder = tempfile.mkdtemp(prefix="zorvin-msi-")
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        source = os.path.join(os.path.dirname(os.environ["ZORVIN_EXECUTABLE"]), "package")
        shutil.copytree(source, folder, dirs_exist_ok=True)
        description = os.path.join(folder, "Zorvin.wxs")
        with open(description, encoding="utf-8") as f:
            text = f.read()
        text, count = re.subn(r'(<Product [^>]*Version=")%s"' % re.escape(VERSION),
                              r'\g<1>%s"' % version, text)
        self.assertEqual(count, 1)
        with open(description, "w", encoding="utf-8") as f:
            f.write(text)
        if readme is not None:
            with open(os.path.join(folder, "README.txt"), "w", newline="") as f:
                f.write(readme)
        msi = os.path.join(folder, "Zorvin-%s-win64.msi" % version)
        subprocess.run(["wixl", "--arch", "x64", "--output", msi, "Zorvin.wxs"], cwd=folder,
                       check=True)
        return msi

    def assert_nothing_left(self):
        self.assertFalse(os.path.exists(os.path.join(self.programs, "Zorvin")))
        self.assertFalse(os.path.exists(self.shortcut))
        self.assertEqual(self.uninstall_entries(), {})
        self.assertNotEqual(self.wine("reg", "query", r"HKCU\Software\Zorvin", check=False)
                            .returncode, 0, "the installer's own key is left")

    def assert_shows_its_face(self, executable):
        program = programs.WineProgram(executable)
        program.prefix = self.prefix
        with session.XSession() as x:
            programs.start_shown(program, x.display, timeout=30)[0].stop()


if __name__ == "__main__":
    unittest.main()
