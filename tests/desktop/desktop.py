"""A desktop for black-box tests of the simulator: its own Xvfb server,
optionally the openbox window manager, a keyboard layout, the installed
program started from its folder with a private settings folder, and the
player's hands (physical keys and mouse through the XTEST extension).

Everything here looks at the program from outside, as a player would: the
windows the X server has, their names and places, the pixels on the screen
and the settings file the program wrote.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from xserver import XServer  # noqa: E402 - the tests' one X server harness

SKIP = 77  # CTest's skip code: the desktop tools are not installed

try:
    from Xlib import X, XK, Xatom, display as xdisplay, error as xerror
    from Xlib.ext import xtest
except ImportError:  # pragma: no cover - reported as a skip
    X = None

PROGRAM_TITLE = "Hero (Vantro, Handclock Wide Screen) Simulator"


def tools_missing():
    missing = [tool for tool in ("Xvfb", "setxkbmap") if shutil.which(tool) is None]
    if X is None:
        missing.append("python3-xlib")
    return missing


def wait_until(what, condition, timeout_s=20.0, step_s=0.05):
    """Polls `condition` until it returns something true; fails naming `what`."""
    deadline = time.monotonic() + timeout_s
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(step_s)


class Desktop:
    def __init__(self, install_dir, window_manager=False, layout="us", size=(1600, 1000)):
        self.install_dir = install_dir
        self.size = size
        self.processes = []
        self.server = None
        self.wm = None
        self.work = tempfile.mkdtemp(prefix="hero-desktop-")
        self.config_home = os.path.join(self.work, "config")
        os.makedirs(os.path.join(self.config_home, "Quillon"))
        self.d = self._start_server()
        self.root = self.d.screen().root
        self.set_layout(layout)
        self.wm = None
        if window_manager:
            self._start_window_manager()
        self.program = None

    # ---- the server, the window manager, the keyboard layout ----------------

    def _start_server(self):
        """An Xvfb of the desktop's own (the tests' one harness), and a
        connection to it."""
        self.server = XServer(self.size).start()
        self.name = self.server.name
        return xdisplay.Display(self.name)

    def env(self, **extra):
        env = dict(os.environ)
        for name in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "QT_SCALE_FACTOR"):
            env.pop(name, None)
        # The program's texts are English, whatever the tester's desktop
        # speaks, unless a case asks for a language.
        env.update(DISPLAY=self.name, XDG_CONFIG_HOME=self.config_home, SDL_AUDIODRIVER="dummy",
                   HOME=self.work, XDG_DATA_HOME=os.path.join(self.work, "data"), LANGUAGE="en")
        # Under the sanitizers: the X keyboard library reads strings in a way
        # the strict string checks take for a fault of ours.
        if "ASAN_OPTIONS" in env:
            env["ASAN_OPTIONS"] = env["ASAN_OPTIONS"].replace("strict_string_checks=1", "strict_string_checks=0")
        env.update(extra)
        return env

    def _start_window_manager(self):
        self.wm_log = os.path.join(self.work, "openbox.log")
        with open(self.wm_log, "w") as log:
            self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env(), stdout=log, stderr=log)
        self.processes.append(self.wm)
        check = self.d.intern_atom("_NET_SUPPORTING_WM_CHECK")
        wait_until("openbox", lambda: self.root.get_full_property(check, Xatom.WINDOW))

    def set_layout(self, layout):
        subprocess.run(["setxkbmap", "-display", self.name, layout], check=True)
        # A new connection reads the new key map.
        self.d.close()
        self.d = xdisplay.Display(self.name)
        self.root = self.d.screen().root
        self.layout = layout

    # ---- the program -----------------------------------------------------------

    def write_settings(self, values):
        with open(self.settings_path(), "w") as f:
            f.write("[General]\n")
            for name, value in values.items():
                f.write("%s=%s\n" % (name, value))

    def settings_path(self):
        return os.path.join(self.config_home, "Quillon", "Hero50.conf")

    def settings(self):
        values = {}
        try:
            with open(self.settings_path()) as f:
                for line in f:
                    if "=" in line:
                        name, value = line.rstrip("\n").split("=", 1)
                        values[name] = value
        except FileNotFoundError:
            pass
        return values

    def start_program(self, *args, env=None):
        self.program_log = open(os.path.join(self.work, "program.log"), "w")
        self.program = subprocess.Popen([os.path.join(self.install_dir, "hero50"), *args], cwd=self.install_dir,
                                        env=self.env(**(env or {})), stdout=self.program_log,
                                        stderr=subprocess.STDOUT)
        self.processes.append(self.program)
        return self.program

    def program_output(self):
        with open(os.path.join(self.work, "program.log")) as f:
            return f.read()

    # ---- windows -----------------------------------------------------------------

    def _name_of(self, window):
        try:
            name = window.get_full_property(self.d.intern_atom("_NET_WM_NAME"), self.d.intern_atom("UTF8_STRING"))
            if name:
                return name.value.decode("utf-8", "replace")
            wm_name = window.get_wm_name()
            if isinstance(wm_name, bytes):
                wm_name = wm_name.decode("latin-1")
            return wm_name
        except xerror.XError:
            return None

    def _walk(self, window, found):
        try:
            children = window.query_tree().children
        except xerror.XError:
            return
        for child in children:
            found.append((child, self._name_of(child) or ""))
            self._walk(child, found)

    def windows(self):
        """Every window of the server as (window, name), the program's own
        ones and those of openbox's frames alike; "" for a window without a
        name."""
        found = []
        self._walk(self.root, found)
        return found

    def program_windows(self):
        """The program's top-level windows (its process id on them)."""
        pid_atom = self.d.intern_atom("_NET_WM_PID")
        result = []
        for window, name in self.windows():
            try:
                pid = window.get_full_property(pid_atom, Xatom.CARDINAL)
            except xerror.XError:
                continue
            if pid and self.program and pid.value[0] == self.program.pid:
                result.append((window, name))
        return result

    def is_viewable(self, window):
        try:
            return window.get_attributes().map_state == X.IsViewable
        except xerror.XError:
            return False

    def window_named(self, name, viewable=True):
        """The program's window with caption `name` (or `name` with a suffix
        after a dash: the caption checks look at exact names themselves)."""
        for window, window_name in self.program_windows():
            if window_name == name or window_name.startswith(name + " \u2014 "):
                if not viewable or self.is_viewable(window):
                    return window
        return None

    def popup_open(self):
        """One of the program's pop-up windows (a menu) is on the screen."""
        for window, _ in self.program_windows():
            try:
                if window.get_attributes().override_redirect and self.is_viewable(window):
                    return window
            except xerror.XError:
                continue
        return None

    def wait_window(self, name, timeout_s=20.0):
        return wait_until("a window named %r" % name, lambda: self.window_named(name), timeout_s)

    def wait_gone(self, name, timeout_s=10.0):
        wait_until("the window %r to go" % name, lambda: self.window_named(name) is None, timeout_s)

    def geometry(self, window):
        """The window's place and size on the screen."""
        g = window.get_geometry()
        at = window.translate_coords(self.root, 0, 0)
        return (-at.x, -at.y, g.width, g.height)

    def active_window(self):
        active = self.root.get_full_property(self.d.intern_atom("_NET_ACTIVE_WINDOW"), Xatom.WINDOW)
        return active.value[0] if active and len(active.value) else None

    def focused_window(self):
        return self.d.get_input_focus().focus

    def has_focus(self, window):
        """The keyboard is on `window` or on one of its children."""
        focus = self.focused_window()
        if not hasattr(focus, "id"):
            return False
        while focus and focus.id != self.root.id:
            if focus.id == window.id:
                return True
            try:
                focus = focus.query_tree().parent
            except xerror.XError:
                return False
        return False

    # ---- the player's hands ------------------------------------------------------

    def keycode(self, keysym_name):
        """The physical key that gives `keysym_name` on the current layout."""
        code = self.d.keysym_to_keycode(XK.string_to_keysym(keysym_name))
        if not code:
            raise AssertionError("no key gives %s on the %s layout" % (keysym_name, self.layout))
        return code

    def key_down(self, code):
        xtest.fake_input(self.d, X.KeyPress, code)
        self.d.sync()

    def key_up(self, code):
        xtest.fake_input(self.d, X.KeyRelease, code)
        self.d.sync()

    def tap(self, code, hold_s=0.05, after_s=0.15):
        self.key_down(code)
        time.sleep(hold_s)
        self.key_up(code)
        time.sleep(after_s)

    def chord(self, modifier_code, code):
        self.key_down(modifier_code)
        self.tap(code)
        self.key_up(modifier_code)
        time.sleep(0.15)

    def move(self, x, y):
        xtest.fake_input(self.d, X.MotionNotify, x=x, y=y)
        self.d.sync()
        time.sleep(0.1)

    def click(self, x, y, button=1, after_s=0.2):
        xtest.fake_input(self.d, X.MotionNotify, x=x, y=y)
        self.d.sync()
        time.sleep(0.05)
        xtest.fake_input(self.d, X.ButtonPress, button)
        self.d.sync()
        time.sleep(0.05)
        xtest.fake_input(self.d, X.ButtonRelease, button)
        self.d.sync()
        time.sleep(after_s)

    # ---- the screen ----------------------------------------------------------------

    def pixels(self, x, y, width, height):
        return self.root.get_image(x, y, width, height, X.ZPixmap, 0xffffffff).data

    def settle(self, seconds=0.3):
        time.sleep(seconds)
        self.d.sync()

    # ---- the end --------------------------------------------------------------------

    def __enter__(self):
        return self

    def __exit__(self, kind, value, trace):
        # A failed case shows what the server said, alive or not.
        if kind is not None and self.server is not None:
            self.server.report("the case failed: %s" % value)
            if self.wm is not None:
                with open(self.wm_log, errors="replace") as log:
                    print("desktop: openbox said:\n%s" % (log.read().rstrip() or "(nothing)"), file=sys.stderr)
        self.close()
        return False

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.send_signal(signal.SIGKILL)
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    pass
        try:
            self.d.close()
        except Exception:
            pass
        if self.server is not None:
            self.server.stop()
        shutil.rmtree(self.work, ignore_errors=True)


def run_cases(functions, argv):
    """Runs the named case (or every case) and reports each by name; exit
    status 0 when all pass, 1 when one fails, SKIP without the tools."""
    cases = {function.__name__: function for function in functions}
    missing = tools_missing()
    if missing:
        print("skipped: missing " + ", ".join(missing))
        return SKIP
    install_dir = os.environ.get("HERO_INSTALL_DIR")
    if not install_dir or not os.path.exists(os.path.join(install_dir, "hero50")):
        print("HERO_INSTALL_DIR does not hold hero50")
        return 1
    wanted = argv[1:] or list(cases)
    failed = 0
    for name in wanted:
        started = time.monotonic()
        try:
            cases[name](install_dir)
            print("ok   %s (%.1f s)" % (name, time.monotonic() - started))
        except Exception as failure:  # noqa: BLE001 - every failure is reported by name
            failed += 1
            print("FAIL %s: %s" % (name, failure))
    print("%d passed, %d failed" % (len(wanted) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit("a library: run one of the test files")
