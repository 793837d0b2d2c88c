"""The test command's and the package script's questions to apt, asked of stand-ins for dpkg and apt
that log what they were asked: what the release has is read from fresh lists only, Wine's tests
skip only where the build says the release has no Wine, and a package never guesses its Shell."""

import os
import pathlib
import subprocess
import tempfile
import unittest

SOURCE = pathlib.Path(__file__).resolve().parents[2]

# dpkg-query takes every package but the MISSING ones as installed, at version 1:44.2-1; apt-cache
# knows the RELEASE's packages only once apt-get update has refreshed the lists; apt's calls are
# logged.
STAND_INS = {
    "dpkg-query": """
        grep -qx -- "${@: -1}" "$STAND_INS/missing" && exit 1
        case "$*" in
            *db:Status-Status*) echo installed ;;
            *Status*) echo install ok installed ;;
            *) echo 1:44.2-1 ;;
        esac""",
    "apt-get": 'echo "apt-get $*" >>"$STAND_INS/log"; [ "$*" != "update -qq" ] || touch "$STAND_INS/fresh"',
    "apt-cache": """
        echo "apt-cache $*" >>"$STAND_INS/log"
        [ -e "$STAND_INS/fresh" ] && grep -q "^${@: -1} " "$STAND_INS/release" &&
            echo "  Candidate: $(grep "^${@: -1} " "$STAND_INS/release" | cut -d' ' -f2)"
        true""",
    "sudo": 'exec "$@"',
    "cmake": 'echo "cmake $*" >>"$STAND_INS/log"; exit 3',
    "wine": "true",
}


class StandIns:
    """A folder of stand-ins first on PATH, the installed packages and the release's lists."""

    def __init__(self, missing, release):
        self._folder = tempfile.TemporaryDirectory()
        self.path = pathlib.Path(self._folder.name)
        for name, body in STAND_INS.items():
            program = self.path / name
            program.write_text("#!/bin/bash\n" + body + "\n")
            program.chmod(0o755)
        (self.path / "missing").write_text("".join(p + "\n" for p in missing))
        (self.path / "release").write_text("".join(p + " 1.0\n" for p in release))
        (self.path / "log").write_text("")

    def run(self, *command, path=None):
        environment = dict(os.environ, STAND_INS=str(self.path),
                           PATH=path or "%s:/usr/bin:/bin" % self.path)
        return subprocess.run(command, env=environment, capture_output=True, text=True, timeout=60)

    def log(self):
        return (self.path / "log").read_text().splitlines()

    def close(self):
        self._folder.cleanup()


class InstallerTest(unittest.TestCase):
    def installer(self, missing, release):
        stand_ins = StandIns(missing, release)
        self.addCleanup(stand_ins.close)
        return stand_ins, stand_ins.run(str(SOURCE / "scripts/install-deps.sh"), "test")

    def test_wine_is_installed_where_the_release_has_it_though_the_lists_were_deleted(self):
        stand_ins, run = self.installer(["wine", "wine64"], ["wine", "wine64"])
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        log = stand_ins.log()
        self.assertEqual(log[0], "apt-get update -qq", log)
        self.assertEqual(log[-1], "apt-get install -y -qq wine wine64", log)

    def test_a_release_without_wine_installs_nothing_and_says_so(self):
        stand_ins, run = self.installer(["wine", "wine64"], [])
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        self.assertIn("no package for wine wine64", run.stdout)
        self.assertEqual(stand_ins.log(), ["apt-get update -qq", "apt-cache policy wine",
                                           "apt-cache policy wine64"])

    def test_a_machine_with_everything_asks_nothing(self):
        stand_ins, run = self.installer([], [])
        self.assertEqual((run.returncode, stand_ins.log()), (0, []))


class WineLauncherTest(unittest.TestCase):
    def launch(self, expected, path=None):
        stand_ins = StandIns([], [])
        self.addCleanup(stand_ins.close)
        return stand_ins.run("/bin/sh", str(SOURCE / "tests/under_wine.sh"), expected, "true",
                             path=path)

    def test_a_missing_wine_fails_where_it_is_expected(self):
        run = self.launch("ON", path="/nonexistent")
        self.assertEqual(run.returncode, 1)
        self.assertIn("expects Wine", run.stderr)

    def test_the_tests_skip_only_where_the_build_says_the_release_has_no_wine(self):
        self.assertEqual(self.launch("ON").returncode, 0)
        self.assertEqual(self.launch("OFF").returncode, 77)


class PackageScriptTest(unittest.TestCase):
    def package(self, missing):
        stand_ins = StandIns(missing, [])
        self.addCleanup(stand_ins.close)
        build = tempfile.TemporaryDirectory()
        self.addCleanup(build.cleanup)
        run = stand_ins.run("/usr/bin/env", "ZORVIN_BUILD_DIR=" + build.name,
                            str(SOURCE / "scripts/package.sh"))
        return stand_ins, run

    def test_a_shell_it_cannot_tell_makes_no_package(self):
        stand_ins, run = self.package(["gnome-shell"])
        self.assertEqual(run.returncode, 1, run.stdout + run.stderr)
        self.assertIn("cannot tell which GNOME Shell", run.stderr)
        self.assertIn("apt-get update -qq", stand_ins.log())
        self.assertFalse([line for line in stand_ins.log() if line.startswith("cmake")])

    def test_the_installed_shell_names_the_format(self):
        stand_ins, _ = self.package([])
        build = [line for line in stand_ins.log() if line.startswith("cmake -S")][0]
        self.assertIn("-DZORVIN_GNOME_SHELL_VERSIONS=44 -DZORVIN_GNOME_SHELL_FORMAT=43", build)


if __name__ == "__main__":
    unittest.main()
