# Checks of what Plimset installs: the Debian package CPack makes from the tree that
# `cmake --install` makes. The build passes the facts under test in the environment:
# PLIMSET_BUILD_DIR, PLIMSET_VERSION and PLIMSET_APP_ID. (What the program answers without a
# display is held by the unit test EarlyOptionsTest.)
import configparser
import gzip
import os
import re
import struct
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ET

BUILD_DIR, VERSION, APP_ID = (os.environ.get("PLIMSET_" + n, "") for n in ("BUILD_DIR", "VERSION", "APP_ID"))
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def run(*args, env=None, check=True):
    done = subprocess.run([str(a) for a in args], capture_output=True, text=True, env=env,
                          stdin=subprocess.DEVNULL, timeout=300)
    if check and done.returncode != 0:
        raise AssertionError("%s failed (%d):\n%s%s" % (" ".join(map(str, args)),
                                                      done.returncode, done.stdout, done.stderr))
    return done


EXPECTED_FILES = {
    "bin/plimset", "libexec/plimset/plimset_sound.so", "share/applications/%s.desktop" % APP_ID,
    "share/metainfo/%s.metainfo.xml" % APP_ID, "share/icons/hicolor/scalable/apps/%s.svg" % APP_ID,
    "share/man/man1/plimset.1.gz", "share/man/ja/man1/plimset.1.gz",
    "share/doc/plimset/copyright", "share/doc/plimset/changelog.gz",
} | {"share/icons/hicolor/%dx%d/apps/%s.png" % (s, s, APP_ID) for s in ICON_SIZES}


class DebianPackageTest(unittest.TestCase):
    def check_tree(self, prefix):
        found = {os.path.relpath(os.path.join(d, f), prefix)
                 for d, _, names in os.walk(prefix) for f in names}
        self.assertEqual(found, EXPECTED_FILES)
        for size in ICON_SIZES:
            with open(os.path.join(prefix, "share/icons/hicolor/%dx%d/apps/%s.png" % (size, size, APP_ID)), "rb") as f:
                header = f.read(24)
            self.assertEqual((header[:8], struct.unpack(">II", header[16:24])), (b"\x89PNG\r\n\x1a\n", (size, size)))

        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str  # keys are case-sensitive
        entry.read(os.path.join(prefix, "share/applications/%s.desktop" % APP_ID), encoding="utf-8")
        main = entry["Desktop Entry"]
        # The entry brings the running Plimset forward and starts one only where none runs.
        self.assertEqual((main["Icon"], main["TryExec"], main["Exec"]),
                         (APP_ID, "plimset", "plimset --show"))
        actions = {entry["Desktop Action " + a]["Exec"] for a in main["Actions"].rstrip(";").split(";")}
        self.assertEqual(actions, {"plimset --toggle", "plimset /C", "plimset /A", "plimset /S"})

        # The metainfo names the entry, the binary and this version as its newest release.
        meta = ET.parse(os.path.join(prefix, "share/metainfo/%s.metainfo.xml" % APP_ID)).getroot()
        self.assertEqual([meta.findtext("id"), meta.findtext("launchable"),
                          meta.findtext("provides/binary"), meta.find("releases/release").get("version")],
                         [APP_ID, APP_ID + ".desktop", "plimset", VERSION])
        run("appstreamcli", "validate-tree", "--no-net", os.path.dirname(prefix))

        # Manual pages: compressed, carrying the version, and formatted without a warning.
        for page in ("share/man/man1/plimset.1.gz", "share/man/ja/man1/plimset.1.gz"):
            path = os.path.join(prefix, page)
            with gzip.open(path, "rt", encoding="utf-8") as f:
                self.assertIn('"Plimset %s"' % VERSION, f.readline())
            env = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80")
            self.assertEqual(run("man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", path, env=env).stderr, "")


    def test_package_installs_the_tree_with_its_dependencies_and_passes_lintian(self):
        with tempfile.TemporaryDirectory() as out:
            run("cpack", "--config", os.path.join(BUILD_DIR, "CPackConfig.cmake"), "-B", out)
            debs = [f for f in os.listdir(out) if f.endswith(".deb")]
            self.assertRegex(" ".join(debs), r"^plimset_%s_[a-z0-9]+\.deb$" % re.escape(VERSION))
            deb = os.path.join(out, debs[0])

            # Everything lives below /usr and dpkg owns every file: nothing is made by a
            # maintainer script, so removing the package leaves nothing behind.
            paths = [line.split()[-1] for line in run("dpkg-deb", "-c", deb).stdout.splitlines()]
            self.assertTrue(all(p.startswith("./usr/") for p in paths), paths)
            self.assertNotRegex(run("dpkg-deb", "-I", deb).stdout, r"\b(preinst|postinst|prerm|postrm|conffiles)\b")

            fields = dict(line.split(": ", 1) for line in
                          run("dpkg-deb", "-f", deb, "Package", "Version", "Depends").stdout.splitlines())
            self.assertEqual((fields["Package"], fields["Version"]), ("plimset", VERSION))
            depends = {d.split()[0] for d in fields["Depends"].split(", ")}
            self.assertLessEqual({"libqt6core6", "libqt6gui6", "libqt6widgets6", "qt6-qpa-plugins", "libqt6svg6",
                                  "libsndfile1", "libpulse0", "sound-theme-freedesktop", "qt6-translations-l10n",
                                  "libc6"}, depends)
            self.assertFalse([d for d in depends if "multimedia" in d or "gstreamer" in d], depends)

            root = os.path.join(out, "root")
            run("dpkg-deb", "-x", deb, root)
            self.check_tree(os.path.join(root, "usr"))
            binary = os.path.join(root, "usr/bin/plimset")
            self.assertNotIn("with debug_info", run("file", binary).stdout)
            self.assertEqual(run(binary, "--version").stdout, "Plimset %s\n" % VERSION)

            # Errors and warnings fail; informational tags (hardening flags, which the
            # release build of scripts/package sets) are shown but accepted.
            run("lintian", "--fail-on", "error,warning", deb)


if __name__ == "__main__":
    unittest.main()
