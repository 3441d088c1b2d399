"""The GUI tests' side of the driver (test/driver): run the program under Wine, find its windows,
read their texts, press their buttons. Each wait ends on what it waits for (a window shown or
gone, the program's end); its time limit only matters when that never comes."""
import os
import re
import shutil
import subprocess
import tempfile
import time

from scan import BIN, BUILD, Prefix, windows_path  # noqa: F401  (the tests take them from here too)

DRIVER = os.path.join(BIN, 'VekDriver.exe')
# The folder of this run of the tools (tools/wine-session), else the build folder.
SCRATCH = os.environ.get('VEK_RUN') or BUILD
TIMEOUT = 120


def wine_env(**extra):
    # The top right corner of the shared display is where message boxes go for their icon to be
    # read (see the driver); tests that run beside the GUI test have corners of their own.
    return {**os.environ, 'WINEDEBUG': '-all', 'VEK_ICON_SPOT': '760,0', **extra}


def driver(*args, env=None):
    # Output through a file, not a pipe: a Wine helper process started meanwhile (the desktop
    # window's process) inherits the pipe and would keep it open long after the driver ends.
    with tempfile.TemporaryFile() as out:
        result = subprocess.run(['wine', DRIVER, *args], stdin=subprocess.DEVNULL, stdout=out,
                                stderr=subprocess.DEVNULL, env=env or wine_env(), timeout=TIMEOUT)
        out.seek(0)
        return result.returncode, out.read().decode('utf-8', 'replace')


def system_text(code):
    return driver('errtext', str(code))[1].rstrip('\r\n')


def unescape(text):
    """The driver writes a backslash as two and line ends as \\n and \\r."""
    return re.sub(r'\\(.)', lambda m: {'n': '\n', 'r': '\r'}.get(m.group(1), m.group(1)), text)


class Window:
    """A top-level window as the driver lists it: its controls' texts by id, a message box's
    icon and progress bars as (pos, low, high) by id."""

    def __init__(self, hwnd, title):
        self.hwnd, self.title = hwnd, title
        self.controls, self.icons, self.progress = {}, {}, {}

    def text(self, control_id):
        return self.controls.get(control_id)

    def message(self):
        """A message box's text: its static control without an id."""
        return self.text(65535)

    def icon(self):
        return next(iter(self.icons.values()), None)

    def __repr__(self):
        return 'Window(%r, %r, %r)' % (self.title, self.controls, self.icons)


class Program:
    """Starts of a copy of the program in its own folder (so its windows are told apart from
    those of any other test by the image path)."""

    def __init__(self, folder, with_library=True):
        os.makedirs(folder, exist_ok=True)
        self.folder, self.exe = folder, os.path.join(folder, 'VekQuorvel.exe')
        shutil.copy(os.path.join(BIN, 'VekQuorvel.exe'), self.exe)
        if with_library:
            shutil.copy(os.path.join(BIN, 'VekTiv.dll'), folder)
        self.image, self.process, self.env = windows_path(self.exe), None, wine_env()

    def start(self, args='', cwd=None, env=None, **popen):
        """Starts the program through the driver, which reports its whole 32-bit exit code."""
        self.env = env or wine_env()
        self.output = tempfile.TemporaryFile()
        self.process = subprocess.Popen(['wine', DRIVER, 'run', '"%s" %s' % (self.image, args)], cwd=cwd or self.folder,
                                        stdin=subprocess.DEVNULL, stdout=self.output, stderr=subprocess.DEVNULL,
                                        env=self.env, **popen)
        return self

    def exit_code(self, timeout=TIMEOUT):
        self.process.wait(timeout=timeout)
        self.output.seek(0)
        out = self.output.read().decode('utf-8', 'replace')
        self.output.close()
        match = re.search(r'EXIT (\d+)', out)
        assert match, 'no exit code: %r' % out
        return int(match.group(1))

    def run(self, args='', cwd=None, env=None):
        return self.start(args, cwd, env).exit_code()

    def windows(self):
        found = []
        for line in driver('list', self.image, env=self.env)[1].splitlines():
            kind, _, rest = line.partition(' ')
            head, _, text = rest.partition('|')
            if kind == 'W':
                found.append(Window(head.split(' ')[0], unescape(text)))
            elif found and kind in 'CIP':
                fields = head.split(' ')
                cid = int(fields[0]) & 0xFFFF
                if kind == 'C':
                    found[-1].controls[cid] = unescape(text)
                elif kind == 'I':
                    found[-1].icons[cid] = fields[1]
                else:
                    found[-1].progress[cid] = tuple(int(f) for f in fields[1:])
        return found

    def wait_window(self, predicate, what, timeout=TIMEOUT):
        """The first window for which predicate holds, asking the driver until the time limit."""
        end = time.time() + timeout
        while time.time() < end:
            match = next((w for w in self.windows() if predicate(w)), None)
            if match:
                return match
            if self.process is not None and self.process.poll() is not None:
                raise AssertionError('program ended while waiting for %s' % what)
            time.sleep(0.2)
        raise AssertionError('no %s within %d s; windows: %r' % (what, timeout, self.windows()))

    def wait_message(self, text_part, timeout=TIMEOUT):
        return self.wait_window(lambda w: text_part in (w.message() or ''), 'message box with "%s"' % text_part,
                                timeout)

    def wait_gone(self, window):
        end = time.time() + TIMEOUT
        while any(w.hwnd == window.hwnd for w in self.windows()):
            assert time.time() < end, 'window still there: %r' % window
            time.sleep(0.2)

    def still_there(self, window):
        """The window is still shown once its thread has answered a message, that is after it
        has handled what came before (for "the dialog stays")."""
        return driver('alive', window.hwnd, env=self.env)[0] == 0

    def click(self, window, control_id):
        driver('click', window.hwnd, str(control_id), env=self.env)

    def set_text(self, window, control_id, text):
        assert driver('settext', window.hwnd, str(control_id), text, env=self.env)[0] == 0, \
            'could not set the text of control %d' % control_id

    def post_close(self, window):
        driver('close', window.hwnd, env=self.env)

    def stop(self):
        """Ends whatever is left of this start (also after a failed check)."""
        if self.process is not None and self.process.poll() is None:
            driver('kill', self.image, env=self.env)
            try:
                self.process.wait(timeout=20)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        if self.process is not None and not self.output.closed:
            self.output.close()
