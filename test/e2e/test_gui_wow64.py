#!/usr/bin/env python3
"""On 64-bit Windows (a WINEARCH=win64 prefix of this run's own) the program shows only its
refusal box, whatever the arguments, and ends with exit code 216."""
import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guidriver import SCRATCH, Prefix, Program, wine_env, windows_path  # noqa: E402

FOLDER = os.path.join(SCRATCH, 'wow64')
PREFIX = Prefix(FOLDER, 'win64')
# The bottom left corner of the shared display is this test's own for reading icons.
ENV = wine_env(WINEPREFIX=PREFIX.path, WINEARCH='win64', VEK_ICON_SPOT='0,760')
REFUSAL = ('This version of Vek Quorvel can be executed only on 32-bit editions of Windows.\n\r'
           'Use the 64-bit version of Vek Quorvel instead.')


class Wow64Test(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # The prefix's wineserver goes at the end, also when the set-up fails half way.
        cls.addClassCleanup(PREFIX.stop)
        PREFIX.start()

    def setUp(self):
        self.folder = os.path.join(FOLDER, 'test')
        shutil.rmtree(self.folder, ignore_errors=True)
        self.program = Program(os.path.join(self.folder, 'bin'))

    def tearDown(self):
        self.program.stop()

    def test_only_the_refusal_box(self):
        report = os.path.join(self.folder, 'report.xml')
        for args in ['', '-f="%s" -o' % windows_path(report), '-x']:
            self.program.start(args, env=ENV)
            box = self.program.wait_window(lambda w: w.message() is not None, 'refusal box', timeout=120)
            # The framework's own box: captioned with the executable's base name.
            self.assertEqual(box.title, 'VekQuorvel')
            self.assertEqual(box.message(), REFUSAL)
            self.assertEqual(box.icon(), 'error')
            self.assertEqual(len(self.program.windows()), 1)
            self.program.click(box, 1)  # OK
            self.assertEqual(self.program.exit_code(timeout=120), 216, args)
            self.assertFalse(os.path.exists(report))


if __name__ == '__main__':
    unittest.main(verbosity=2)
