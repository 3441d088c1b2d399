#!/usr/bin/env python3
"""The program's windows under Wine and Xvfb, driven through test/driver: report-file dialog,
progress dialog, final question, usage, overwrite and error boxes, exit codes."""
import os
import re
import shutil
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guidriver import (SCRATCH, DRIVER, Prefix, Program, system_text,  # noqa: E402
                       windows_path, wine_env)

IDOK, IDCANCEL, IDYES, IDNO, IDHELP = 1, 2, 6, 7, 9
IDC_PROGRESS, IDC_STATUS_TEXT, IDC_REPORT_FILE = 1000, 1003, 1005
TITLE = 'Vek Quorvel'
VERSION_TITLE = re.compile(r'^Vek Quorvel V\d+\.\d\d$')
ROOT = os.path.join(SCRATCH, 'gui-tests')
PREFIX = Prefix(os.path.join(SCRATCH, 'gui-prefix'))

FINAL_QUESTION = 'Vek Quorvel has completed the scanning operation. Open the report file?'
NO_NAME = 'You need to specify a report file name.'
USAGE_START = 'This program analyzes your device and creates a report file.'


def is_complete_report(path):
    with open(path, 'rb') as f:
        text = f.read().decode('utf-16')
    return text.startswith('<?xml') and text.endswith('</VekQuorvelReport>\r\n')


def setUpModule():
    unittest.addModuleCleanup(PREFIX.stop)
    PREFIX.start()
    # Every Wine start of this test (the program, the driver, reg) goes to the test's prefix.
    os.environ['WINEPREFIX'] = PREFIX.path


class GuiTest(unittest.TestCase):
    def setUp(self):
        self.folder = os.path.join(ROOT, self.id().split('.')[-1])
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        self.program = Program(os.path.join(self.folder, 'bin'))

    def tearDown(self):
        self.program.stop()

    def report_path(self, name='report.xml'):
        return os.path.join(self.folder, name)

    def open_dialog(self, args=''):
        self.program.start(args)
        dialog = self.program.wait_window(lambda w: w.text(IDC_REPORT_FILE) is not None,
                                          'report-file dialog')
        self.assertRegex(dialog.title, VERSION_TITLE)
        return dialog

    def finish_scan(self, answer):
        """From the progress dialog to the end: checks the dialog and the final question."""
        question = self.program.wait_message(FINAL_QUESTION)
        self.assertEqual(question.title, TITLE)
        self.assertEqual(question.icon(), 'question')
        progress = self.program.wait_window(lambda w: IDC_PROGRESS in w.progress, 'progress dialog')
        self.assertRegex(progress.title, VERSION_TITLE)
        self.assertEqual(progress.text(IDC_STATUS_TEXT), 'Scanning the device...')
        self.assertEqual(progress.progress[IDC_PROGRESS], (17, 1, 17))
        # Enter and Esc while the scan thread still runs leave the dialog alone.
        self.program.click(progress, IDCANCEL)
        self.program.click(progress, IDOK)
        self.program.post_close(progress)
        self.assertTrue(self.program.still_there(progress))
        self.program.click(question, answer)
        code = self.program.exit_code()
        self.assertEqual(self.program.windows(), [])
        return code

    def box_keeps_dialog(self, dialog, text, icon):
        """The box over the dialog: its title and icon; OK closes it, the dialog stays; Cancel ends."""
        box = self.program.wait_message(text)
        self.assertEqual(box.title, TITLE)
        self.assertEqual(box.icon(), icon)
        self.program.click(box, IDOK)
        self.program.wait_gone(box)
        self.assertTrue(self.program.still_there(dialog))
        self.program.click(dialog, IDCANCEL)
        self.assertEqual(self.program.exit_code(), 1223)
        return box

    # Report-file dialog ---------------------------------------------------------------------

    def test_default_name_in_the_documents_folder(self):
        # The numbering after existing reports is a unit test's (DefaultReportName).
        dialog = self.open_dialog()
        name = dialog.text(IDC_REPORT_FILE)
        self.program.click(dialog, IDCANCEL)
        self.assertEqual(self.program.exit_code(), 1223)
        computer = subprocess.run(['wine', 'cmd', '/c', 'echo %COMPUTERNAME%'], capture_output=True,
                                  env=wine_env(), timeout=60).stdout.decode().strip()
        self.assertRegex(name, r'(?i)^C:\\users\\[^\\]+\\Documents\\VekQuorvel%s(_\d+)?\.xml$' % re.escape(computer))

    def test_switches_without_a_report_name_open_the_dialog(self):
        for args in ['-o', '-f=', '/o -f=']:
            dialog = self.open_dialog(args)
            self.program.click(dialog, IDCANCEL)
            self.assertEqual(self.program.exit_code(), 1223, args)

    def test_browse_opens_the_save_as_box(self):
        dialog = self.open_dialog()
        name = dialog.text(IDC_REPORT_FILE)
        self.program.click(dialog, 1007)
        save_as = self.program.wait_window(lambda w: w.title == 'Define a report file name', 'Save As box')
        self.program.click(save_as, IDCANCEL)
        self.program.wait_gone(save_as)
        self.assertEqual(self.program.windows()[0].text(IDC_REPORT_FILE), name)
        self.program.click(dialog, IDCANCEL)
        self.assertEqual(self.program.exit_code(), 1223)

    def test_ok_with_empty_name_keeps_the_dialog(self):
        dialog = self.open_dialog()
        self.program.set_text(dialog, IDC_REPORT_FILE, '')
        self.program.click(dialog, IDOK)
        self.box_keeps_dialog(dialog, NO_NAME, 'error')

    def test_help_shows_usage_with_information_icon(self):
        dialog = self.open_dialog()
        self.program.click(dialog, IDHELP)
        box = self.box_keeps_dialog(dialog, USAGE_START, 'information')
        self.assertIn('\n\r-f=<report file>\n\r', box.message())

    def test_existing_file_question_no_stays_yes_runs_the_scan(self):
        report = self.report_path()
        with open(report, 'w') as f:
            f.write('old report')
        name = windows_path(report)
        dialog = self.open_dialog()
        self.program.set_text(dialog, IDC_REPORT_FILE, name)
        self.program.click(dialog, IDOK)
        question = self.program.wait_message('already exists')
        self.assertEqual(question.message(),
                         'The report file %s already exists. Overwrite this file?' % name)
        self.assertEqual(question.icon(), 'question')
        self.program.click(question, IDNO)
        self.program.wait_gone(question)
        self.assertTrue(self.program.still_there(dialog))
        self.assertEqual(self.program.windows()[0].text(IDC_REPORT_FILE), name)
        with open(report) as f:
            self.assertEqual(f.read(), 'old report')

        self.program.click(dialog, IDOK)
        question = self.program.wait_message('already exists')
        self.program.click(question, IDYES)
        self.assertEqual(self.finish_scan(IDNO), 0)
        self.assertTrue(is_complete_report(report))
        self.assertTrue(os.path.exists(self.report_path('report.xsl')))

    # Progress dialog and final question ------------------------------------------------------

    def test_final_question_yes_opens_the_report_through_the_shell(self):
        record = os.path.join(self.folder, 'opened.txt')
        prog_id = 'VekGuiTestXml'
        handler = '"%s" record "%s" "%%1"' % (windows_path(DRIVER), windows_path(record))
        keys = [['add', r'HKCR\.xml', '/ve', '/d', prog_id, '/f'],
                ['add', r'HKCR\%s\shell\open\command' % prog_id, '/ve', '/d', handler, '/f']]
        old = subprocess.run(['wine', 'reg', 'query', r'HKCR\.xml', '/ve'], capture_output=True,
                             env=wine_env(), timeout=60).stdout.decode('utf-8', 'replace')
        old_prog = re.search(r'REG_SZ\s+(\S.*?)\s*$', old, re.MULTILINE)
        for key in keys:
            subprocess.run(['wine', 'reg'] + key, capture_output=True, env=wine_env(), timeout=60, check=True)
        try:
            report = self.report_path()
            dialog = self.open_dialog()
            self.program.set_text(dialog, IDC_REPORT_FILE, windows_path(report))
            self.program.click(dialog, IDOK)
            self.assertEqual(self.finish_scan(IDYES), 0)
            self.assertTrue(is_complete_report(report))
            with open(record, encoding='utf-8') as f:
                opened = f.read().strip()
            self.assertEqual(opened.lower(), windows_path(report).lower())
        finally:
            restore = (['add', r'HKCR\.xml', '/ve', '/d', old_prog.group(1), '/f'] if old_prog
                       else ['delete', r'HKCR\.xml', '/f'])
            subprocess.run(['wine', 'reg'] + restore, capture_output=True, env=wine_env(), timeout=60)
            subprocess.run(['wine', 'reg', 'delete', r'HKCR\%s' % prog_id, '/f'], capture_output=True,
                           env=wine_env(), timeout=60)

    # Automatic mode and refusals ------------------------------------------------------------

    def test_automatic_mode_existing_report_declined(self):
        report = self.report_path()
        with open(report, 'wb') as f:
            f.write(b'old report')
        self.program.start('-f="%s"' % windows_path(report))
        question = self.program.wait_message('already exists')
        self.assertEqual(question.title, TITLE)
        self.program.click(question, IDNO)
        self.assertEqual(self.program.exit_code(), 80)
        with open(report, 'rb') as f:
            self.assertEqual(f.read(), b'old report')
        self.assertFalse(os.path.exists(self.report_path('report.xsl')))

    def test_invalid_argument_shows_usage_and_writes_nothing(self):
        report = self.report_path()
        self.program.start('-f="%s" -x' % windows_path(report))
        box = self.program.wait_message(USAGE_START)
        self.assertEqual(box.title, TITLE)
        self.assertEqual(box.icon(), 'error')
        self.program.click(box, IDOK)
        self.assertEqual(self.program.exit_code(), 87)
        self.assertEqual(os.listdir(self.folder), ['bin'])

    def test_report_that_cannot_be_opened_shows_the_system_text(self):
        report = os.path.join(self.folder, 'missing', 'report.xml')
        self.program.start('-f="%s"' % windows_path(report))
        box = self.program.wait_window(lambda w: w.message() is not None, 'error box')
        self.assertEqual(box.title, TITLE)
        self.assertEqual(box.icon(), 'error')
        self.assertEqual(box.message(), system_text(82))
        self.program.click(box, IDOK)
        self.assertEqual(self.program.exit_code(), 82)


if __name__ == '__main__':
    unittest.main(verbosity=2)
