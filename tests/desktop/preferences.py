#!/usr/bin/python3
"""Black-box checks of the Preferences dialog on a real X server: opened by
Ctrl+P on every keyboard layout and by the context menu's last item, driven
by keys, closed by the window manager. Run one case by name, or all:
preferences.py [CASE ...]."""

import sys
import time

from desktop import PROGRAM_TITLE, Desktop, run_cases, wait_until
from windows_and_keys import centre_of, changes_the_lcd, lcd_picture, menu_item, start_windowed

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


def grey_levels(picture):
    """The ZPixmap bytes (blue, green, red, pad) as one grey level a pixel."""
    return [sum(picture[i:i + 3]) // 3 for i in range(0, len(picture), 4)]


def shadows_and_a_response_through_preferences(install_dir):
    """"Segment shadows" (Alt+H) darkens thousands of pixels beside the lit
    segments and lightens none; "Realistic LCD" (Alt+L) stores shadows on,
    120 ms of response and unlit segments at 8 %; with the slowest response
    a change of the LCD is caught half-way in the pixels the window shows."""
    with Desktop(install_dir, window_manager=True) as desk:
        window = start_windowed(desk)
        desk.click(*centre_of(desk, window))
        desk.tap(desk.keycode("5"), after_s=0.5)  # ACL: every segment lit, nothing moves
        flat = grey_levels(lcd_picture(desk, window))
        ctrl(desk, desk.keycode("p"))
        desk.wait_window("Preferences", timeout_s=10)
        desk.chord(desk.keycode("Alt_L"), desk.keycode("h"))
        desk.tap(desk.keycode("Return"))
        desk.wait_gone("Preferences")
        wait_until("SegmentShadows=1 on disk", lambda: desk.settings().get("SegmentShadows") == "1", 5)
        desk.settle(0.5)
        shaded = grey_levels(lcd_picture(desk, window))
        darker = sum(1 for a, b in zip(flat, shaded) if b < a)
        lighter = sum(1 for a, b in zip(flat, shaded) if b > a)
        assert darker > 1000 and lighter == 0, "darker %d, lighter %d" % (darker, lighter)

        desk.click(*centre_of(desk, window))
        ctrl(desk, desk.keycode("p"))
        desk.wait_window("Preferences", timeout_s=10)
        desk.chord(desk.keycode("Alt_L"), desk.keycode("l"))
        desk.tap(desk.keycode("Return"))
        desk.wait_gone("Preferences")
        wait_until("the realistic LCD on disk", lambda: (desk.settings().get("LcdResponse"),
                   desk.settings().get("GhostSegments")) == ("120", "8"), 5)
        # The slowest crystal (Alt+R, End) gives the pictures time to catch it.
        desk.click(*centre_of(desk, window))
        ctrl(desk, desk.keycode("p"))
        desk.wait_window("Preferences", timeout_s=10)
        desk.chord(desk.keycode("Alt_L"), desk.keycode("r"))
        desk.tap(desk.keycode("End"))
        desk.tap(desk.keycode("Return"))
        desk.wait_gone("Preferences")
        wait_until("LcdResponse=250 on disk", lambda: desk.settings().get("LcdResponse") == "250", 5)
        desk.click(*centre_of(desk, window))
        desk.settle(0.5)
        before = grey_levels(lcd_picture(desk, window))
        desk.tap(desk.keycode("3"), hold_s=0.02, after_s=0)  # TIME: the LCD changes
        frames, started = [], time.monotonic()
        while time.monotonic() - started < 0.4:
            frames.append(grey_levels(lcd_picture(desk, window)))
        desk.settle(1.0)
        after = grey_levels(lcd_picture(desk, window))
        assert after != before, "TIME changed nothing"
        # A pixel half-way lies between its start and its end (a button's
        # pressed picture, or any state of the handheld, lies on one side).
        half_way = max(sum(1 for a, m, b in zip(before, frame, after) if min(a, b) + 12 < m < max(a, b) - 12)
                       for frame in frames)
        assert half_way > 50, "no frame caught a fade (%d frames, best %d pixels)" % (len(frames), half_way)


CASES = [
    preferences_dialog_under_a_window_manager,
    ctrl_p_on_every_layout,
    shadows_and_a_response_through_preferences,
]

if __name__ == "__main__":
    sys.exit(run_cases(CASES, sys.argv))
