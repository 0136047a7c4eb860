#!/usr/bin/python3
"""Black-box check of what a screen reader finds, on a real X server under
openbox with a D-Bus session and the AT-SPI bus of its own: the handheld's
seven hot areas are push buttons named as the handheld prints them with
their keys in the description, GAME A pressed through the accessibility
tree starts a game and the handheld's description says so, the context
menu's items and the Preferences' controls read by name. Run:
accessibility.py [CASE ...]."""

import os
import importlib.util
import signal
import subprocess
import sys

from desktop import PROGRAM_TITLE, Desktop, run_cases, wait_until
from windows_and_keys import WINDOWED, centre_of

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
SKIP = 77


class AccessibilityBus:
    """A D-Bus session of the case's own, with the AT-SPI bus on it."""

    def __init__(self, display):
        answer = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"],
                                capture_output=True, text=True, check=True)
        lines = answer.stdout.split()
        self.address, self.pid = lines[0], int(lines[1])
        self.env = dict(os.environ, DBUS_SESSION_BUS_ADDRESS=self.address, DISPLAY=display)
        self.launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], env=self.env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)

    def close(self):
        self.launcher.terminate()
        try:
            self.launcher.wait(5)
        except subprocess.TimeoutExpired:
            self.launcher.kill()
        try:
            os.kill(self.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass


def tree(node, depth=0):
    """Every node under `node` as (node, name, role name, description), read
    afresh (windows that came up since are among them)."""
    if depth == 0:
        node.clearCache()
    found = []
    try:
        found.append((node, node.name or "", node.getRoleName(), node.description or ""))
        if depth < 12:
            for child in node:
                if child is not None:
                    found.extend(tree(child, depth + 1))
    except Exception:  # a node that went away while it was read
        pass
    return found


def application(pyatspi):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "hero50":
            return app
    return None


def named(nodes, name, role=None):
    return [n for n in nodes if n[1] == name and (role is None or n[2] == role)]


def a_screen_reader_finds_names_and_presses_game_a(install_dir):
    missing = [tool for tool in ("dbus-daemon", BUS_LAUNCHER) if not os.path.exists(tool) and
               subprocess.run(["which", tool], capture_output=True).returncode != 0]
    if importlib.util.find_spec("pyatspi") is None:
        missing.append("python3-pyatspi")
    if missing:
        print("skipped: missing " + ", ".join(missing))
        sys.exit(SKIP)
    with Desktop(install_dir, window_manager=True) as desk:
        bus = AccessibilityBus(desk.name)
        try:
            os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.address
            import pyatspi
            from gi.repository import GLib
            desk.write_settings(WINDOWED)
            desk.start_program(env={"DBUS_SESSION_BUS_ADDRESS": bus.address,
                                    "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
            window = desk.wait_window(PROGRAM_TITLE)
            desk.settle(0.5)
            app = wait_until("the program on the AT-SPI bus", lambda: application(pyatspi), 20)
            nodes = tree(app)
            handheld = named(nodes, PROGRAM_TITLE)
            assert handheld, "no node named for the handheld: %r" % [n[1:] for n in nodes[:20]]
            for name, key in (("LEFT", "left arrow"), ("RIGHT", "right arrow"), ("ALARM", ""),
                              ("GAME A", "'1'"), ("GAME B", "'2'"), ("TIME", "'3'"), ("ACL", "'5'")):
                buttons = named(nodes, name, "push button")
                assert len(buttons) == 1, "%s: %r" % (name, [n[1:] for n in named(nodes, name)])
                assert key in buttons[0][3], "%s's description %r names no key %s" % (name, buttons[0][3], key)

            # GAME A pressed through the tree, as a screen reader presses it.
            game_a = named(nodes, "GAME A", "push button")[0][0]
            action = game_a.queryAction()
            assert action.getName(0).lower() == "press", action.getName(0)
            action.doAction(0)
            wait_until("the handheld to say a game runs",
                       lambda: handheld[0][0].description.startswith("Game A, score 0"), 10)

            # The context menu's items, by name: a popup menu is no child of
            # the application; a screen reader meets it through the focus of
            # its items, and reads the menu from there.
            focused = []
            pyatspi.Registry.registerEventListener(lambda event: focused.append(event.source),
                                                   "object:state-changed:focused")
            desk.click(*centre_of(desk, window), button=3, after_s=0.5)
            wait_until("the context menu", desk.popup_open, 10)
            desk.tap(desk.keycode("Down"), after_s=0.3)

            def menu_items():
                context = GLib.MainContext.default()
                while context.iteration(False):
                    pass
                for source in focused:
                    try:
                        if source.getRoleName() == "menu item":
                            return {n[1].split("\t")[0] for n in tree(source.parent) if n[2] == "menu item"}
                    except Exception:  # noqa: BLE001 - gone meanwhile
                        continue
                return None
            items = wait_until("a menu item to take the focus", menu_items, 10)
            for name in ("About...", "View manual", "Key settings", "Reset Hiscores", "Exit", "Preferences...",
                         "Best games", "Zoom"):
                assert name in items, "%s not among %r" % (name, items)
            desk.tap(desk.keycode("Escape"))
            wait_until("the menu to close", lambda: not desk.popup_open(), 5)

            # The Preferences' controls, by name.
            desk.click(*centre_of(desk, window))
            desk.chord(desk.keycode("Control_L"), desk.keycode("p"))
            desk.wait_window("Preferences", timeout_s=10)
            desk.settle(0.5)
            controls = {n[1]: n[2] for n in tree(app)}
            for name in ("Volume", "Mute the beeps", "Unlit segments", "Zoom", "Game speed", "Accept", "Cancel"):
                assert name in controls, "%s not among the dialog's controls %r" % (name, sorted(controls))
            desk.tap(desk.keycode("Escape"))
        finally:
            bus.close()


CASES = [a_screen_reader_finds_names_and_presses_game_a]

if __name__ == "__main__":
    sys.exit(run_cases(CASES, sys.argv))
