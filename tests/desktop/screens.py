#!/usr/bin/python3
"""Black-box checks of the handheld on screens of every size: a laptop's
first start, the zoom keys and their survival across a restart, a 4K full
screen that the game fills, and sharp LCD segments at two device pixels per
pixel. Run one case by name, or all: screens.py [CASE ...]."""

import configparser
import os
import sys

from desktop import PROGRAM_TITLE, Desktop, run_cases, wait_until

WINDOWED = {"Skin": "1", "SoundMode": "2", "SplashScreen": "0", "FullscreenMode": "0"}


def start(desk, settings, **env):
    desk.write_settings(settings)
    desk.start_program(env=env)
    window = desk.wait_window(PROGRAM_TITLE)
    desk.settle(0.8)
    return window


def stop(desk):
    desk.program.kill()
    desk.program.wait()


def skin(install_dir):
    config = configparser.ConfigParser(strict=False, interpolation=None)
    config.read(os.path.join(install_dir, "Graphics", "Skin1", "Config.ini"))
    return config


def first_start_on_a_laptop_shows_the_whole_handheld(install_dir):
    """1366 x 768 is smaller than the large skin: the first start zooms out."""
    with Desktop(install_dir, window_manager=True, size=(1366, 768)) as desk:
        window = start(desk, WINDOWED)
        x, y, width, height = desk.geometry(window)
        assert x >= 0 and y >= 0 and x + width <= 1366 and y + height <= 768, "handheld at %r" % ((x, y, width, height),)
        assert width < 1475, "not zoomed out: %d wide" % width


def zoom_keys_step_and_the_step_survives_a_restart(install_dir):
    """Ctrl+Plus and Ctrl+Minus step the zoom about the centre; the last step
    is there again at the next start."""
    with Desktop(install_dir, window_manager=True, size=(1920, 1080)) as desk:
        window = start(desk, dict(WINDOWED, Zoom="75"))
        x, y, width, height = desk.geometry(window)
        centre = (x + width // 2, y + height // 2)
        assert abs(width - 1475 * 0.75) <= 2, "75 %% is %d wide" % width
        desk.click(*centre)
        control = desk.keycode("Control_L")
        desk.chord(control, desk.keycode("minus"))
        wait_until("50 %", lambda: abs(desk.geometry(window)[2] - 1475 * 0.5) <= 2, 5)
        x, y, width, height = desk.geometry(window)
        assert abs(x + width // 2 - centre[0]) <= 2 and abs(y + height // 2 - centre[1]) <= 2, "the centre moved"
        desk.chord(control, desk.keycode("plus"))
        desk.chord(control, desk.keycode("plus"))
        wait_until("100 %", lambda: abs(desk.geometry(window)[2] - 1475) <= 2, 5)
        assert desk.settings().get("Zoom") == "100", desk.settings()
        desk.chord(control, desk.keycode("minus"))
        wait_until("75 %", lambda: desk.settings().get("Zoom") == "75", 5)
        stop(desk)
        window = start(desk, desk.settings())
        assert abs(desk.geometry(window)[2] - 1475 * 0.75) <= 2, "the zoom did not survive the restart"


def full_screen_fit_fills_a_4k_screen(install_dir):
    """With FullscreenFit on, the game area fills the height of a 3840 x 2160
    screen: the handheld's body reaches the top and bottom rows."""
    with Desktop(install_dir, window_manager=False, size=(3840, 2160)) as desk:
        window = start(desk, dict(WINDOWED, FullscreenMode="1", FullscreenFit="1"))
        assert desk.geometry(window) == (0, 0, 3840, 2160), desk.geometry(window)
        backdrop = desk.pixels(5, 1080, 1, 1)
        for y in (4, 2155):
            body = desk.pixels(1920, y, 1, 1)
            assert body != backdrop, "row %d is backdrop" % y

        def body_spans(y):
            row = desk.pixels(0, y, 3840, 1)
            return [row[i:i + 3] for i in range(0, len(row), 4)]
        middle = body_spans(1080)
        edge = middle[0]
        inside = [i for i, p in enumerate(middle) if p != edge]
        width = inside[-1] - inside[0] + 1 if inside else 0
        assert width > 3000, "the game area is %d pixels wide" % width


def segments_are_sharp_at_two_device_pixels(install_dir):
    """At QT_SCALE_FACTOR=2 the segments are drawn from their @2x twins: the
    left edge of each lit segment goes from the LCD to the segment within one
    device pixel (a 1x picture blown up blurs it over two or three)."""
    with Desktop(install_dir, window_manager=False, size=(3200, 2000)) as desk:
        window = start(desk, dict(WINDOWED, Zoom="100"), QT_SCALE_FACTOR="2")
        x, y, width, height = desk.geometry(window)
        assert (width, height) == (2950, 1740), "at 100 %% and scale 2: %dx%d" % (width, height)
        config = skin(install_dir)
        bands = []
        for n in range(16, 82):
            element = config["Image%d" % n]
            if element.get("Filename", "nil") == "nil":
                continue
            left, top, w, h = (int(element[k]) for k in ("Left", "Top", "Width", "Height"))
            row = desk.pixels(x + 2 * left - 6, y + 2 * top + h, 2 * w + 12, 1)
            lum = [row[i] + row[i + 1] + row[i + 2] for i in range(0, len(row), 4)]
            lcd, dark = lum[0], min(lum)
            if lcd - dark < 200:
                continue
            high, low = lcd - 0.15 * (lcd - dark), lcd - 0.85 * (lcd - dark)
            i = 0
            while i < len(lum) and lum[i] >= high:
                i += 1
            j = i
            while j < len(lum) and low < lum[j] < high:
                j += 1
            bands.append(j - i)
        assert len(bands) >= 30, "only %d segments measured" % len(bands)
        bands.sort()
        within_one = sum(1 for b in bands if b <= 1) / len(bands)
        assert within_one >= 0.9, "edges wider than a device pixel: %r" % bands


CASES = [
    first_start_on_a_laptop_shows_the_whole_handheld,
    zoom_keys_step_and_the_step_survives_a_restart,
    full_screen_fit_fills_a_4k_screen,
    segments_are_sharp_at_two_device_pixels,
]

if __name__ == "__main__":
    sys.exit(run_cases(CASES, sys.argv))
