#!/usr/bin/env python3
"""A report that the file system cuts short (a file-size limit a few bytes below the full
report) is no success: the close-error box, then exit code 29."""
import os
import resource
import shutil
import signal
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guidriver import SCRATCH, Program, windows_path, wine_env  # noqa: E402

folder = os.path.join(SCRATCH, 'cut-short-test')
shutil.rmtree(folder, ignore_errors=True)
report = os.path.join(folder, 'report.xml')
# A spot of its own for reading the box's icon: the GUI tests share the display.
program = Program(os.path.join(folder, 'bin'))
env = wine_env(VEK_ICON_SPOT='760,500')
assert program.run('-o "-f=%s"' % windows_path(report), env=env) == 0
# Inside the last line, "</VekQuorvelReport>" and CR LF (42 bytes), whatever the date.
limit = os.path.getsize(report) - 10
os.remove(report)


def limit_files():
    # Ignored, SIGXFSZ lets the write beyond the limit fail instead of killing the process.
    resource.setrlimit(resource.RLIMIT_FSIZE, (limit, resource.getrlimit(resource.RLIMIT_FSIZE)[1]))
    signal.signal(signal.SIGXFSZ, signal.SIG_IGN)


program.start(env=env, preexec_fn=limit_files)
try:
    dialog = program.wait_window(lambda w: w.text(1005) is not None, 'report-file dialog')
    program.set_text(dialog, 1005, windows_path(report))
    program.click(dialog, 1)
    box = program.wait_message('The report file can not be closed.')
    assert (box.title, box.icon()) == ('Vek Quorvel', 'error'), box
    program.click(box, 1)
    assert program.exit_code() == 29
finally:
    program.stop()
assert os.path.getsize(report) == limit
shutil.rmtree(folder)
