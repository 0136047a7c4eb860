#!/usr/bin/python3
"""Black-box check of what a screen reader finds, on a real X server under
openbox with a D-Bus session and the AT-SPI bus of its own: the handheld's
seven hot areas are push buttons named as the handheld prints them with
their keys in the description, GAME A pressed through the accessibility
tree starts a game and the handheld's description says so, the context
menu's items and the Preferences' controls read by name, in the desktop's
language. Run:
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


def needs_the_bus():
    """Skips the case where the AT-SPI bus or its Python bindings are not
    installed."""
    missing = [tool for tool in ("dbus-daemon", BUS_LAUNCHER) if not os.path.exists(tool) and
               subprocess.run(["which", tool], capture_output=True).returncode != 0]
    if importlib.util.find_spec("pyatspi") is None:
        missing.append("python3-pyatspi")
    if missing:
        print("skipped: missing " + ", ".join(missing))
        sys.exit(SKIP)


def start_read(desk, bus, language="en"):
    """The windowed program started on the bus in a language; its window and
    its node in the accessibility tree."""
    import pyatspi
    desk.write_settings(WINDOWED)
    desk.start_program(env={"DBUS_SESSION_BUS_ADDRESS": bus.address, "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
                            "LANGUAGE": language})
    window = desk.wait_window(PROGRAM_TITLE)
    desk.settle(0.5)
    return window, wait_until("the program on the AT-SPI bus", lambda: application(pyatspi), 20)


def context_menu_items(desk, window):
    """The names of the context menu's items, as a screen reader meets them:
    a popup menu is no child of the application; the reader finds it
    through the focus of its items, and reads the menu from there."""
    import pyatspi
    from gi.repository import GLib
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
    desk.tap(desk.keycode("Escape"))
    wait_until("the menu to close", lambda: not desk.popup_open(), 5)
    return items


def preferences_controls(desk, window, app, title):
    """The Preferences dialog's controls by name, opened with Ctrl+P."""
    desk.click(*centre_of(desk, window))
    desk.chord(desk.keycode("Control_L"), desk.keycode("p"))
    desk.wait_window(title, timeout_s=10)
    desk.settle(0.5)
    controls = {n[1]: n[2] for n in tree(app)}
    desk.tap(desk.keycode("Escape"))
    return controls


def a_screen_reader_finds_names_and_presses_game_a(install_dir):
    needs_the_bus()
    with Desktop(install_dir, window_manager=True) as desk:
        bus = AccessibilityBus(desk.name)
        try:
            os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.address
            window, app = start_read(desk, bus)
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

            items = context_menu_items(desk, window)
            for name in ("About...", "View manual", "Key settings", "Reset Hiscores", "Exit", "Preferences...",
                         "Best games", "Zoom"):
                assert name in items, "%s not among %r" % (name, items)

            controls = preferences_controls(desk, window, app, "Preferences")
            for name in ("Volume", "Mute the beeps", "Unlit segments", "Zoom", "Game speed", "Accept", "Cancel"):
                assert name in controls, "%s not among the dialog's controls %r" % (name, sorted(controls))
        finally:
            bus.close()


def catalogue(language):
    """A shipped language's texts, by their context and English text."""
    import xml.etree.ElementTree as ElementTree
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "translations",
                        "hero50_%s.ts" % language)
    texts = {}
    for context in ElementTree.parse(path).iter("context"):
        for message in context.iter("message"):
            texts[(context.findtext("name"), message.findtext("source"))] = message.findtext("translation")
    return texts


def menus_and_dialogs_speak_the_desktops_language(install_dir):
    """With LANGUAGE=de the context menu's items, the Preferences' title and
    controls and the handheld's buttons' descriptions are read in German, as
    the German catalogue has them; with a language the program does not ship
    they are the program's own English texts, byte for byte."""
    needs_the_bus()
    menu = ("About...", "View manual", "Key settings", "Reset Hiscores", "Exit", "Preferences...", "Best games")
    dialog = ("&Volume", "Mute the beeps", "Game &speed", "Accept", "Cancel")
    with Desktop(install_dir, window_manager=True) as desk:
        # One bus for both runs: the bindings stay with the bus they met first.
        bus = AccessibilityBus(desk.name)
        try:
            os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.address
            for language, texts in (("de", catalogue("de")), ("xx", None)):
                def said(context, text):
                    return (texts[(context, text)] if texts else text).replace("&", "")
                window, app = start_read(desk, bus, language)
                game_a = named(tree(app), "GAME A", "push button")
                hint = said("hero::KeyBindings", "click or press %1 to start game A (hold to view highscore)")
                assert game_a and game_a[0][3] == hint.replace("%1", "'1'"), (language, game_a[0][3:], hint)
                items = context_menu_items(desk, window)
                for text in menu:
                    assert said("hero::GameMenu", text) in items, (language, said("hero::GameMenu", text), items)
                controls = preferences_controls(desk, window, app, said("hero::TPreferencesForm", "Preferences"))
                for text in dialog:
                    name = said("hero::TPreferencesForm", text)
                    assert name in controls, (language, name, sorted(controls))
                desk.settle(0.3)
                desk.tap(desk.keycode("Escape"))
                assert desk.program.wait(20) == 0, "the program did not end on Esc"
        finally:
            bus.close()


CASES = [a_screen_reader_finds_names_and_presses_game_a, menus_and_dialogs_speak_the_desktops_language]

if __name__ == "__main__":
    sys.exit(run_cases(CASES, sys.argv))
