"""The Debian package's file modes, whatever the umask of whoever builds it: directories 0755,
the programs 0755, every other file 0644. Made here with CPack from the build tree, once under a
umask that lets the group write and once under one that shuts everyone else out.

    ZORVIN_BUILD_DIR   the Release build tree that scripts/package.sh packs
"""

import glob
import os
import shutil
import subprocess
import tempfile
import unittest

PROGRAMS = ("./usr/bin/zorvin", "./usr/libexec/zorvin/zorvin-look")


def package_under_umask(umask, into):
    subprocess.run(["cpack", "-G", "DEB", "-B", into], cwd=os.environ["ZORVIN_BUILD_DIR"],
                   preexec_fn=lambda: os.umask(umask), check=True, stdout=subprocess.DEVNULL)
    (deb,) = glob.glob(os.path.join(into, "zorvin_*.deb"))
    return deb


def modes(deb):
    """{path: (kind, mode)} from `dpkg-deb -c`'s listing."""
    listing = subprocess.run(["dpkg-deb", "-c", deb], capture_output=True, text=True,
                             check=True).stdout
    found = {}
    for line in listing.splitlines():
        permissions, path = line.split()[0], line.split()[-1]
        mode = 0
        for bit, letter in zip(range(8, -1, -1), permissions[1:]):
            mode |= (letter != "-") << bit
        found[path.rstrip("/") or "."] = (permissions[0], mode)
    return found


class DebianModes(unittest.TestCase):
    maxDiff = None

    def test_modes_do_not_follow_the_builders_umask(self):
        for umask in (0o002, 0o077):
            into = tempfile.mkdtemp(prefix="zorvin-deb-")
            self.addCleanup(shutil.rmtree, into, ignore_errors=True)
            wrong = {}
            for path, (kind, mode) in modes(package_under_umask(umask, into)).items():
                expected = 0o755 if kind == "d" or path in PROGRAMS else 0o644
                if mode != expected:
                    wrong[path] = oct(mode)
            self.assertEqual(wrong, {}, "umask %03o" % umask)


if __name__ == "__main__":
    unittest.main()
