#!/usr/bin/env python3
"""The manifest check passes the program's manifest and fails each mistake."""
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
CHECK = os.path.join(HERE, "check_manifest.py")
MANIFEST = os.path.join(HERE, "..", "..", "res", "Orbiquell.exe.manifest")


def check(text):
    with tempfile.NamedTemporaryFile("w", suffix=".manifest", delete=False) as file:
        file.write(text)
    try:
        run = subprocess.run([sys.executable, CHECK, file.name], capture_output=True, text=True)
    finally:
        os.unlink(file.name)
    return run.returncode, run.stderr


class CheckManifestTest(unittest.TestCase):
    def setUp(self):
        with open(MANIFEST, encoding="utf-8") as file:
            self.good = file.read()

    def mistake(self, old, new, says):
        self.assertIn(old, self.good)
        status, message = check(self.good.replace(old, new, 1))
        self.assertEqual(status, 1, message)
        self.assertIn(says, message)

    def test_the_programs_manifest_passes(self):
        self.assertEqual(check(self.good), (0, ""))

    def test_a_namespace_declared_twice_on_one_element(self):
        self.mistake('<application xmlns="urn:schemas-microsoft-com:asm.v3">',
                     '<application xmlns="urn:schemas-microsoft-com:asm.v3" '
                     'xmlns:asmv3="urn:schemas-microsoft-com:asm.v3">',
                     "declares the namespace urn:schemas-microsoft-com:asm.v3 twice")

    def test_https_in_place_of_http(self):
        self.mistake('"http://schemas.microsoft.com/SMI/2016/WindowsSettings"',
                     '"https://schemas.microsoft.com/SMI/2016/WindowsSettings"',
                     "(http://, not https://)")

    def test_a_misspelt_namespace(self):
        self.mistake('<application xmlns="urn:schemas-microsoft-com:asm.v3">',
                     '<application xmlns="urn:schemas-microsoft-com:asm.v3x">',
                     "unknown namespace urn:schemas-microsoft-com:asm.v3x")

    def test_an_application_without_its_namespace(self):
        # It falls into the assembly's asm.v1, where its settings go unread.
        self.mistake('<application xmlns="urn:schemas-microsoft-com:asm.v3">', "<application>",
                     "<application> is in urn:schemas-microsoft-com:asm.v1; "
                     "Windows reads it only from urn:schemas-microsoft-com:asm.v3")

    def test_a_setting_in_the_other_known_namespace(self):
        self.mistake('<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">',
                     '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">',
                     "Windows reads it only from http://schemas.microsoft.com/SMI/2005/")


if __name__ == "__main__":
    unittest.main()
