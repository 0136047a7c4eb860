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


def edge_sharpness(desk, window, left, top, width, height):
    """How sharp the edges are over a part of a window given in its own
    pixels at scale 2: the mean step between neighbouring device pixels (each
    step weighed by its size) over the same between every other one. About
    0.8 where a picture of twice the pixels is shown, under 0.6 where a
    picture of one pixel per pixel is blown up and smoothed, its every edge
    spread over two device pixels."""
    x, y = desk.geometry(window)[:2]
    raw = desk.pixels(x + 2 * left, y + 2 * top, 2 * width, 2 * height)
    stride = 2 * width * 4
    sums = {1: [0, 0], 2: [0, 0]}
    for row in range(2 * height):
        line = raw[row * stride:(row + 1) * stride]
        lum = [line[i] + line[i + 1] + line[i + 2] for i in range(0, len(line), 4)]
        for gap in (1, 2):
            for i in range(0, len(lum) - gap, gap):
                step = abs(lum[i + gap] - lum[i])
                sums[gap][0] += step * step
                sums[gap][1] += step
    mean = {gap: total[0] / max(1, total[1]) for gap, total in sums.items()}
    return mean[1] / max(1e-9, mean[2])


def window_pictures_are_sharp_at_two_device_pixels(install_dir):
    """At QT_SCALE_FACTOR=2 the splash screen's box picture, the about box's
    portrait and the manual's page are drawn from their @2x twins, not blown
    up from their own pixels."""
    with Desktop(install_dir, window_manager=True, size=(2400, 1800)) as desk:
        desk.write_settings(dict(WINDOWED, SplashScreen="1"))
        desk.start_program(env={"QT_SCALE_FACTOR": "2"})
        splash = desk.wait_window("About this game...")
        desk.settle(0.8)
        # The box picture: 160 x 86 in the middle of the band at 56..216.
        sharpness = edge_sharpness(desk, splash, 170, 110, 120, 50)
        assert sharpness > 0.68, "the splash screen's box picture is blown up (%.2f)" % sharpness
        desk.tap(desk.keycode("Return"))
        window = desk.wait_window(PROGRAM_TITLE, timeout_s=10)
        desk.settle(0.5)
        desk.tap(desk.keycode("F1"))
        about = desk.wait_window("About", timeout_s=5)
        desk.settle(0.5)
        sharpness = edge_sharpness(desk, about, 30, 60, 140, 270)
        assert sharpness > 0.68, "the about box's portrait is blown up (%.2f)" % sharpness
        desk.tap(desk.keycode("Escape"))
        desk.wait_gone("About")
        desk.click(*(desk.geometry(window)[i] + desk.geometry(window)[i + 2] // 2 for i in (0, 1)))
        desk.tap(desk.keycode("F4"))
        manual = desk.wait_window("Manual", timeout_s=5)
        desk.settle(0.5)
        sharpness = edge_sharpness(desk, manual, 20, 4, 300, 200)
        assert sharpness > 0.68, "the manual's page is blown up (%.2f)" % sharpness


CASES = [
    first_start_on_a_laptop_shows_the_whole_handheld,
    zoom_keys_step_and_the_step_survives_a_restart,
    full_screen_fit_fills_a_4k_screen,
    segments_are_sharp_at_two_device_pixels,
    window_pictures_are_sharp_at_two_device_pixels,
]

if __name__ == "__main__":
    sys.exit(run_cases(CASES, sys.argv))
