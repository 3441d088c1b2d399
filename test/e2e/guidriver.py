"""Shared helpers of the GUI tests: run the program under Wine through the test driver, find its
windows, read their texts, press their buttons. Each wait ends on what it waits for (a window
shown or gone, the program's end); its time limit only matters when that never comes."""
import os
import re
import shutil
import subprocess
import tempfile
import time

from scan import windows_path  # noqa: F401  (the tests take it from here too)

VEK_BIN = os.environ['VEK_BIN']
VEK_BUILD = os.environ.get('VEK_BUILD', os.path.dirname(VEK_BIN))
DRIVER = os.path.join(VEK_BIN, 'VekDriver.exe')
# The folder of this run of the tools (tools/wine-session), else the build folder.
SCRATCH = os.environ.get('VEK_RUN') or VEK_BUILD
TIMEOUT = 120
WINE_PREFIX_TOOL = os.path.join(os.environ.get('VEK_SOURCE') or os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                                            '..', '..'), 'tools', 'wine-prefix')


class OwnPrefix:
    """A Wine prefix of a test's own: a fresh clone of the build's template (tools/wine-prefix)
    with its own wineserver, so that no other test's program sees its windows (the unit tests
    that run beside it look for boxes by their caption) and it sees none of theirs."""

    def __init__(self, path, arch='win32'):
        self.path = path
        self.env = dict(os.environ, WINEPREFIX=path, WINEARCH=arch, WINEDEBUG='-all')
        self.arch = arch

    def start(self):
        shutil.rmtree(self.path, ignore_errors=True)
        os.makedirs(os.path.dirname(self.path), exist_ok=True)
        quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([WINE_PREFIX_TOOL, self.path, self.arch], env=self.env, timeout=600, check=True,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
        # Should the test be killed, the server lingers no more than 10 s after the last process.
        subprocess.run(['wineserver', '-p10'], env=self.env, timeout=60, check=True, **quiet)
        # The first program of a new prefix starts Wine's own services alone.
        subprocess.run(['wine', 'cmd.exe', '/c', 'exit'], env=self.env, timeout=120, **quiet)
        return self

    def stop(self):
        quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(['wineserver', '-k'], env=self.env, timeout=60, **quiet)
        subprocess.run(['wineserver', '-w'], env=self.env, timeout=60, **quiet)


def wine_env(**extra):
    env = dict(os.environ)
    env.setdefault('WINEDEBUG', '-all')
    # The top right corner of the shared display is where message boxes go for their icon to be
    # read (see the driver); the 64-bit test has a corner of its own.
    env.setdefault('VEK_ICON_SPOT', '760,0')
    env.update(extra)
    return env


def driver(*args, env=None, timeout=TIMEOUT):
    # Output through a file, not a pipe: a Wine helper process started meanwhile (the desktop
    # window's process) inherits the pipe and would keep it open long after the driver ends.
    with tempfile.TemporaryFile() as out:
        result = subprocess.run(['wine', DRIVER] + list(args), stdin=subprocess.DEVNULL, stdout=out,
                                stderr=subprocess.DEVNULL, env=env or wine_env(), timeout=timeout)
        out.seek(0)
        return result.returncode, out.read().decode('utf-8', 'replace')


def system_text(code):
    return driver('errtext', str(code))[1].rstrip('\r\n')


class Window:
    def __init__(self, hwnd, cls, title):
        self.hwnd, self.cls, self.title = hwnd, cls, title
        self.controls = {}   # id -> (class, text)
        self.icons = {}      # id -> kind
        self.progress = {}   # id -> (pos, low, high)

    def text(self, control_id):
        return self.controls.get(control_id, (None, None))[1]

    def message(self):
        """A message box's text: its static control without an id."""
        return self.text(65535)

    def icon(self):
        return next(iter(self.icons.values()), None)

    def __repr__(self):
        return 'Window(%r, %r, %r)' % (self.title, self.controls, self.icons)


def unescape(text):
    """The driver writes a backslash as two and line ends as \\n and \\r."""
    return re.sub(r'\\(.)', lambda m: {'n': '\n', 'r': '\r'}.get(m.group(1), m.group(1)), text)


class Program:
    """One start of a copy of the program in its own folder (so its windows are told apart from
    those of any other test by the image path)."""

    def __init__(self, folder, with_library=True):
        os.makedirs(folder, exist_ok=True)
        self.folder = folder
        self.exe = os.path.join(folder, 'VekQuorvel.exe')
        shutil.copy(os.path.join(VEK_BIN, 'VekQuorvel.exe'), self.exe)
        if with_library:
            shutil.copy(os.path.join(VEK_BIN, 'VekTiv.dll'), folder)
        self.image = windows_path(self.exe)
        self.process = None
        self.env = wine_env()

    def start(self, args='', cwd=None, env=None):
        self.env = env or wine_env()
        command = '"%s" %s' % (self.image, args)
        self.output = tempfile.TemporaryFile()
        self.process = subprocess.Popen(['wine', DRIVER, 'run', command], cwd=cwd or self.folder,
                                        stdin=subprocess.DEVNULL, stdout=self.output,
                                        stderr=subprocess.DEVNULL, env=self.env)
        return self

    def exit_code(self, timeout=TIMEOUT):
        self.process.wait(timeout=timeout)
        self.output.seek(0)
        out = self.output.read()
        self.output.close()
        match = re.search(r'EXIT (\d+)', out.decode('utf-8', 'replace'))
        assert match, 'no exit code: %r' % out
        return int(match.group(1))

    def run(self, args='', cwd=None, env=None, timeout=TIMEOUT):
        return self.start(args, cwd, env).exit_code(timeout)

    def windows(self):
        _, out = driver('list', self.image, env=self.env)
        found = []
        for line in out.splitlines():
            kind, _, rest = line.partition(' ')
            if kind == 'W':
                head, _, title = rest.partition('|')
                hwnd, _, cls = head.partition(' ')
                found.append(Window(hwnd, cls, unescape(title)))
            elif kind == 'C' and found:
                head, _, text = rest.partition('|')
                cid, _, cls = head.partition(' ')
                found[-1].controls[int(cid) & 0xFFFF] = (cls, unescape(text))
            elif kind == 'I' and found:
                cid, _, icon = rest.partition(' ')
                found[-1].icons[int(cid) & 0xFFFF] = icon
            elif kind == 'P' and found:
                cid, pos, low, high = rest.split(' ')
                found[-1].progress[int(cid) & 0xFFFF] = (int(pos), int(low), int(high))
        return found

    def wait_window(self, predicate, what, timeout=TIMEOUT):
        """The first window for which predicate holds, polling until the time limit."""
        end = time.time() + timeout
        while time.time() < end:
            for w in self.windows():
                if predicate(w):
                    return w
            if self.process is not None and self.process.poll() is not None:
                raise AssertionError('program ended while waiting for %s' % what)
            time.sleep(0.2)
        raise AssertionError('no %s within %d s; windows: %r' % (what, timeout, self.windows()))

    def wait_message(self, text_part, timeout=TIMEOUT):
        return self.wait_window(lambda w: w.message() is not None and text_part in w.message(),
                                'message box with "%s"' % text_part, timeout)

    def wait_gone(self, window, timeout=TIMEOUT):
        end = time.time() + timeout
        while time.time() < end:
            if all(w.hwnd != window.hwnd for w in self.windows()):
                return
            time.sleep(0.2)
        raise AssertionError('window still there: %r' % window)

    def still_there(self, window):
        """The window is still shown once its thread has answered a message, that is after it
        has handled what came before (for "the dialog stays")."""
        code, _ = driver('alive', window.hwnd, env=self.env)
        return code == 0

    def click(self, window, control_id):
        driver('click', window.hwnd, str(control_id), env=self.env)

    def set_text(self, window, control_id, text):
        code, _ = driver('settext', window.hwnd, str(control_id), text, env=self.env)
        assert code == 0, 'could not set the text of control %d' % control_id

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
