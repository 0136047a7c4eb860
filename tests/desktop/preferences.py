#!/usr/bin/python3
"""Black-box checks of the Preferences dialog on a real X server: opened by
Ctrl+P on every keyboard layout and by the context menu's last item, driven
by keys, closed by the window manager. Run one case by name, or all:
preferences.py [CASE ...]."""

import sys

from desktop import PROGRAM_TITLE, Desktop, run_cases, wait_until
from windows_and_keys import centre_of, changes_the_lcd, menu_item, start_windowed

# Preferences as the Down key reaches it in the context menu: About, Readme,
# Whatsnew, manual, configuration, Key settings, Reset Hiscores, full screen,
# splash screen, Zoom, Preferences (then Exit, the last item).
MENU_PREFERENCES = 11


def ctrl(desk, code):
    desk.chord(desk.keycode("Control_L"), code)


def preferences_dialog_under_a_window_manager(install_dir):
    """Keys reach the dialog, Enter stores, Alt+F4 and Esc give the handheld
    its input back, and the menu's item above Exit opens it again."""
    with Desktop(install_dir, window_manager=True) as desk:
        window = start_windowed(desk)
        desk.click(*centre_of(desk, window))
        ctrl(desk, desk.keycode("p"))
        dialog = desk.wait_window("Preferences", timeout_s=10)
        wait_until("the dialog to have the keyboard", lambda: desk.has_focus(dialog), 5)
        # The volume slider has the keyboard: seven pages down from 100 %.
        for _ in range(7):
            desk.tap(desk.keycode("Page_Down"), after_s=0.05)
        desk.tap(desk.keycode("Return"))
        desk.wait_gone("Preferences")
        wait_until("Volume=30 on disk", lambda: desk.settings().get("Volume") == "30", 5)
        # Mute was left as it was and never stored: it stays unstored.
        assert "Mute" not in desk.settings(), desk.settings()

        desk.click(*centre_of(desk, window))
        ctrl(desk, desk.keycode("p"))
        desk.wait_window("Preferences", timeout_s=5)
        desk.chord(desk.keycode("Alt_L"), desk.keycode("F4"))
        desk.wait_gone("Preferences")
        desk.click(*centre_of(desk, window))
        assert changes_the_lcd(desk, window, lambda: desk.tap(desk.keycode("3"))), "TIME did nothing"

        menu_item(desk, window, MENU_PREFERENCES)
        dialog = desk.wait_window("Preferences", timeout_s=5)
        wait_until("the dialog to have the keyboard", lambda: desk.has_focus(dialog), 5)
        desk.tap(desk.keycode("Page_Down"), after_s=0.05)
        desk.tap(desk.keycode("Escape"))
        desk.wait_gone("Preferences")
        assert desk.settings().get("Volume") == "30", "Esc stored: %r" % desk.settings()
        desk.click(*centre_of(desk, window))
        desk.tap(desk.keycode("5"), after_s=0.3)
        assert changes_the_lcd(desk, window, lambda: desk.tap(desk.keycode("3"))), "TIME did nothing after Esc"


def ctrl_p_on_every_layout(install_dir):
    """Ctrl with the key where a US keyboard has P opens the dialog whatever
    the layout prints on it (on Russian, the letter at P's place)."""
    with Desktop(install_dir, window_manager=False, layout="us") as desk:
        p_place = desk.keycode("p")
        for layout in ("fr", "de", "ru"):
            desk.set_layout(layout)
            window = start_windowed(desk)
            desk.click(*centre_of(desk, window))
            ctrl(desk, p_place)
            desk.wait_window("Preferences", timeout_s=10)
            desk.settle(0.3)
            desk.tap(desk.keycode("Escape"))
            desk.wait_gone("Preferences")
            assert desk.window_named(PROGRAM_TITLE) is not None, "%s: Esc ended the program" % layout
            desk.program.kill()
            desk.program.wait()


CASES = [
    preferences_dialog_under_a_window_manager,
    ctrl_p_on_every_layout,
]

if __name__ == "__main__":
    sys.exit(run_cases(CASES, sys.argv))
