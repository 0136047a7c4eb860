#!/usr/bin/python3
"""Black-box checks of the program's windows, focus and keys on a real X
server, under the openbox window manager and on several keyboard layouts.
Run one case by name, or all: windows_and_keys.py [CASE ...]."""

import os
import sys

from desktop import PROGRAM_TITLE, Desktop, Xatom, run_cases, wait_until

# Straight into the windowed handheld, every segment lit, no sound.
WINDOWED = {"Skin": "1", "SoundMode": "2", "SplashScreen": "0", "FullscreenMode": "0"}

# The context menu's items as the Down key reaches them (separators are
# skipped): About, Readme, Whatsnew, manual, configuration, Key settings,
# Reset Hiscores, full screen, splash screen, Exit.
MENU_KEY_SETTINGS = 6
MENU_SPLASH_SCREEN = 9


def start_windowed(desk, extra=None, *args):
    """The program started windowed (with these settings besides, and these
    arguments), its window found and settled."""
    settings = dict(WINDOWED)
    settings.update(extra or {})
    desk.write_settings(settings)
    desk.start_program(*args)
    window = desk.wait_window(PROGRAM_TITLE)
    desk.settle(0.5)
    return window


def lcd_picture(desk, window):
    """The pixels of the handheld's middle band, where the LCD lies."""
    x, y, width, height = desk.geometry(window)
    return desk.pixels(x + width // 4, y + height // 4, width // 2, height // 2)


def hot_area_centre(desk, window, install_dir, section):
    """The screen point at the middle of a skin element of the windowed
    handheld (its place as the large default skin states it)."""
    import configparser
    import os
    skin = configparser.ConfigParser(strict=False, interpolation=None)
    skin.read(os.path.join(install_dir, "Graphics", "Skin1", "Config.ini"))
    element = skin[section]
    x, y, _, _ = desk.geometry(window)
    return (x + int(element["Left"]) + int(element["Width"]) // 2,
            y + int(element["Top"]) + int(element["Height"]) // 2)


def centre_of(desk, window):
    x, y, width, height = desk.geometry(window)
    return x + width // 2, y + height // 2


def menu_item(desk, window, downs):
    """Right click on the handheld, then the item `downs` rows down, Enter."""
    x, y = centre_of(desk, window)
    desk.click(x, y, button=3, after_s=0.1)
    wait_until("the context menu", desk.popup_open, 10)
    down = desk.keycode("Down")
    for _ in range(downs):
        desk.tap(down, after_s=0.05)
    desk.tap(desk.keycode("Return"), after_s=0.4)


def changes_the_lcd(desk, window, press, within_s=3.0):
    """Whether the LCD shows something else after `press`: watched for up to
    `within_s` (a loaded machine repaints late), then taken as unchanged."""
    before = lcd_picture(desk, window)
    press()
    try:
        wait_until("a change", lambda: lcd_picture(desk, window) != before, within_s)
        return True
    except AssertionError:
        return False


# ---- the cases -----------------------------------------------------------------


def key_dialog_closed_by_the_window_manager(install_dir):
    """Alt+F4 on the key settings dialog gives the handheld back its input."""
    with Desktop(install_dir, window_manager=True) as desk:
        window = start_windowed(desk)
        menu_item(desk, window, MENU_KEY_SETTINGS)
        dialog = desk.wait_window("Key settings")
        wait_until("the key dialog to have the keyboard", lambda: desk.has_focus(dialog), 5)
        desk.chord(desk.keycode("Alt_L"), desk.keycode("F4"))
        desk.wait_gone("Key settings")
        # The handheld takes its keys again, and its menu opens the dialog again.
        desk.click(*centre_of(desk, window))
        assert changes_the_lcd(desk, window, lambda: desk.tap(desk.keycode("3"))), "TIME did nothing"
        menu_item(desk, window, MENU_KEY_SETTINGS)
        desk.wait_window("Key settings", timeout_s=5)
        # Esc in an open drop-down list closes the list, the next one the dialog.
        desk.chord(desk.keycode("Alt_L"), desk.keycode("Down"))
        wait_until("the drop-down list", desk.popup_open, 5)
        desk.tap(desk.keycode("Escape"), after_s=0.5)
        assert desk.popup_open() is None, "the list stayed open"
        assert desk.window_named("Key settings") is not None, "Esc in the list closed the dialog"
        desk.tap(desk.keycode("Escape"))
        desk.wait_gone("Key settings")
        # The buttons' hints show again.
        desk.click(*centre_of(desk, window))
        x, y = hot_area_centre(desk, window, install_dir, "Image4")
        desk.move(x, y)
        desk.move(x + 3, y + 2)
        wait_until("the hint of GAME A", desk.popup_open, 8)


def disabled_handheld_takes_no_shortcuts(install_dir):
    """With the key dialog open, F12 and F1 on the handheld do nothing."""
    with Desktop(install_dir, window_manager=True) as desk:
        window = start_windowed(desk)
        place = desk.geometry(window)
        menu_item(desk, window, MENU_KEY_SETTINGS)
        dialog = desk.wait_window("Key settings")
        # A click on the handheld, away from the dialog, then the shortcuts.
        dx, dy, dw, dh = desk.geometry(dialog)
        x, y, width, height = place
        desk.click(x + 40 if x + 40 < dx else x + width - 40, y + height // 2)
        desk.tap(desk.keycode("F12"), after_s=0.6)
        desk.tap(desk.keycode("F1"), after_s=0.6)
        assert desk.settings().get("FullscreenMode") == "0", "F12 switched the mode: %r" % desk.settings()
        assert desk.geometry(window) == place, "the handheld moved"
        assert desk.window_named("About") is None, "F1 opened the about box"
        assert desk.window_named("Key settings") is not None, "the dialog went"


def default_keys_on_every_layout(install_dir):
    """1, 2, 3 and 5 are GAME A, GAME B, TIME and ACL by their place on the
    keyboard, whatever the layout prints on them; letters follow the layout's
    letter, and Cyrillic letters the place of the Latin one."""
    with Desktop(install_dir, window_manager=False, layout="us") as desk:
        digit_row = {digit: desk.keycode(digit) for digit in "1235"}
        q_place = desk.keycode("q")
        a_place = desk.keycode("a")
        y_place = desk.keycode("y")
        for layout, letter_place, letter_choice in (("us", a_place, 11), ("fr", q_place, 11),
                                                    ("de", y_place, 36), ("ru", a_place, 11)):
            desk.set_layout(layout)
            # TIME bound to a letter: A (choice 11), or Z on the German layout.
            window = start_windowed(desk, {"Key3": str(letter_choice)})
            for digit, name in (("1", "GAME A"), ("2", "GAME B"), ("5", "ACL")):
                code = digit_row[digit]
                assert changes_the_lcd(desk, window, lambda: desk.key_down(code)), \
                    "%s: the %s key (%s) showed nothing" % (layout, name, digit)
                desk.key_up(code)
                desk.settle(0.2)
                # Back to every segment lit for the next key.
                desk.tap(digit_row["5"])
            assert changes_the_lcd(desk, window, lambda: desk.key_down(letter_place)), \
                "%s: the letter bound to TIME showed nothing" % layout
            desk.key_up(letter_place)
            # The digit 3 is no longer TIME.
            desk.tap(digit_row["5"])
            assert not changes_the_lcd(desk, window, lambda: desk.tap(digit_row["3"]), within_s=0.8), \
                "%s: the unbound 3 did something" % layout
            desk.program.kill()
            desk.program.wait()


def splash_item_of_the_context_menu(install_dir):
    """"Display splash screen at startup" clicked in the menu flips the stored choice."""
    with Desktop(install_dir, window_manager=True) as desk:
        window = start_windowed(desk)
        menu_item(desk, window, MENU_SPLASH_SCREEN)
        wait_until("SplashScreen=1", lambda: desk.settings().get("SplashScreen") == "1", 5)
        menu_item(desk, window, MENU_SPLASH_SCREEN)
        wait_until("SplashScreen=0", lambda: desk.settings().get("SplashScreen") == "0", 5)


def splash_screen_has_the_keyboard_at_start(install_dir):
    """At start the splash screen takes the keys; the handheld is nowhere on
    the screen until Play, and F12 meanwhile changes nothing."""
    with Desktop(install_dir, window_manager=True) as desk:
        desk.write_settings({"Skin": "1", "SoundMode": "2", "FullscreenMode": "0"})
        desk.start_program()
        splash = desk.wait_window("About this game...")
        desk.settle(0.8)
        handheld = desk.window_named(PROGRAM_TITLE)
        if handheld is not None:
            x, y, width, height = desk.geometry(handheld)
            assert x + width <= 0 or y + height <= 0, "the handheld shows at %r before Play" % ((x, y, width, height),)
        assert desk.has_focus(splash), "the splash screen does not have the keyboard"
        desk.tap(desk.keycode("F12"), after_s=0.4)
        assert desk.settings().get("FullscreenMode") == "0", "F12 before Play changed the mode"
        desk.tap(desk.keycode("Return"))
        window = desk.wait_window(PROGRAM_TITLE, timeout_s=10)
        desk.wait_gone("About this game...")
        desk.settle(0.5)
        assert desk.has_focus(window), "the handheld does not have the keyboard after Play"
        assert changes_the_lcd(desk, window, lambda: desk.tap(desk.keycode("3"))), "TIME did nothing after Play"


def up_then_enter_on_the_context_menu_exits(install_dir):
    """Exit is the context menu's last item: Up from a freshly opened menu
    reaches it, and Enter ends the program (Zoom and Preferences once
    followed it, a reach for them away from Exit)."""
    with Desktop(install_dir, window_manager=True) as desk:
        window = start_windowed(desk)
        x, y = centre_of(desk, window)
        desk.click(x, y, button=3, after_s=0.1)
        wait_until("the context menu", desk.popup_open, 10)
        desk.tap(desk.keycode("Up"), after_s=0.1)
        desk.tap(desk.keycode("Return"), after_s=0.2)
        wait_until("the program to end", lambda: desk.program.poll() is not None, 10)
        assert desk.program.returncode == 0, "status %s: %s" % (desk.program.returncode, desk.program_output())


def captions_read_as_their_own(install_dir):
    """Each window's caption is its own, without the program's title added."""
    with Desktop(install_dir, window_manager=True) as desk:
        desk.write_settings({"Skin": "1", "SoundMode": "2", "FullscreenMode": "0"})
        desk.start_program()
        splash = desk.wait_window("About this game...")
        names = [name for window, name in desk.program_windows() if desk.is_viewable(window)]
        assert names == ["About this game..."], "captions: %r" % names
        desk.click(*centre_of(desk, splash))
        desk.tap(desk.keycode("Return"))
        window = desk.wait_window(PROGRAM_TITLE, timeout_s=10)
        desk.settle(0.5)
        desk.tap(desk.keycode("F1"))
        about = desk.wait_window("About", timeout_s=5)
        desk.settle(0.5)
        names = sorted({name for window, name in desk.program_windows() if name and desk.is_viewable(window)})
        assert names == ["About", PROGRAM_TITLE], "captions: %r" % names
        # The about box has the keyboard and Esc closes it.
        assert desk.has_focus(about), "the about box does not have the keyboard"
        desk.tap(desk.keycode("Escape"))
        desk.wait_gone("About")
        desk.click(*centre_of(desk, window))
        desk.tap(desk.keycode("F4"))
        manual = desk.wait_window("Manual", timeout_s=5)
        desk.settle(0.5)
        assert desk.has_focus(manual), "the manual viewer does not have the keyboard"
        desk.tap(desk.keycode("Escape"))
        desk.wait_gone("Manual")


def replay_difference_box_stands_above_the_handheld(install_dir):
    """A recording that differs at its first show: the box saying so stands
    above the handheld, where the player sees it (it once opened behind), and
    closing it ends the program with status 1 (the handheld once stayed
    frozen until Esc)."""
    with Desktop(install_dir, window_manager=True) as desk:
        desk.write_settings(WINDOWED)
        recording = os.path.join(desk.work, "changed.trace")
        with open(recording, "w") as f:
            f.write("start\nshow # t=0 mode=9 sounds=-\n")
        desk.start_program("--replay", recording)

        def both():
            shown = [window for window, name in desk.program_windows()
                     if name == PROGRAM_TITLE and desk.is_viewable(window)]
            return shown if len(shown) == 2 else None

        shown = wait_until("the handheld and the replay's box", both)
        desk.settle(0.5)
        handheld, box = sorted(shown, key=lambda w: -w.get_geometry().width * w.get_geometry().height)
        stacking = desk.root.get_full_property(desk.d.intern_atom("_NET_CLIENT_LIST_STACKING"), Xatom.WINDOW)
        order = list(stacking.value)
        assert order.index(box.id) > order.index(handheld.id), "the box is behind the handheld: %r" % order
        assert "mode is 1, the recording says 9" in desk.program_output(), desk.program_output()
        # The handheld has nothing more to show: closing the box (Enter on its
        # OK) ends the program, with the status of a replay that differed.
        desk.click(*centre_of(desk, box))
        wait_until("the box to have the keyboard", lambda: desk.has_focus(box), 5)
        desk.tap(desk.keycode("Return"))
        wait_until("the program to end", lambda: desk.program.poll() is not None, 10)
        assert desk.program.returncode == 1, "status %r" % desk.program.returncode


def context_menu_pauses_a_game_when_asked(install_dir):
    """With "Pause the game while a menu or dialog is open" on, the right
    click's context menu pauses a running game with the handheld's own PAUSE
    while it is open, and closing it goes on with the game: the recording
    of the session shows both presses, a menu's time apart (and a third as
    Esc ends the program, which leaves the game paused to go on with)."""
    with Desktop(install_dir, window_manager=True) as desk:
        desk.write_settings(dict(WINDOWED, PauseInMenus="1"))
        recording = os.path.join(desk.work, "paused.trace")
        desk.start_program("--record", recording)
        window = desk.wait_window(PROGRAM_TITLE)
        desk.settle(0.5)
        x, y = centre_of(desk, window)
        desk.click(x, y)
        desk.tap(desk.keycode("1"), after_s=0.8)  # GAME A
        desk.click(x, y, button=3, after_s=0.1)
        wait_until("the context menu", desk.popup_open, 10)
        desk.settle(1.0)
        desk.tap(desk.keycode("Escape"))
        wait_until("the context menu to close", lambda: not desk.popup_open(), 5)
        desk.settle(0.5)
        desk.tap(desk.keycode("Escape"))  # ends the program
        wait_until("the program to end", lambda: desk.program.poll() is not None, 10)
        with open(recording) as f:
            lines = [line.split("#")[0].strip() for line in f]
        assert "press game_a" in lines, lines
        game = lines[lines.index("press game_a"):]
        pauses = [i for i, line in enumerate(game) if line == "press pause"]
        assert len(pauses) == 3, "pause presses: %r" % game
        assert not any(line.startswith("press") for line in game[pauses[2] + 1:]), "not at the end: %r" % game
        waited = sum(int(line.split()[1]) for line in game[pauses[0]:pauses[1]] if line.startswith("wait "))
        assert waited >= 800, "the menu was open %d ms of the handheld's time" % waited


CASES = [
    key_dialog_closed_by_the_window_manager,
    disabled_handheld_takes_no_shortcuts,
    default_keys_on_every_layout,
    splash_item_of_the_context_menu,
    splash_screen_has_the_keyboard_at_start,
    captions_read_as_their_own,
    replay_difference_box_stands_above_the_handheld,
    up_then_enter_on_the_context_menu_exits,
    context_menu_pauses_a_game_when_asked,
]

if __name__ == "__main__":
    sys.exit(run_cases(CASES, sys.argv))
