#!/usr/bin/env python3
"""A real-time game recorded and replayed, the way a player shares one.

Under an X server of its own (Xvfb), the installed program is started with
--record and played for some seconds by a restless player: real key events
(xdotool) from a seed, held for random times. Three times during the game
the player pauses it and the LCD area is photographed. Then:

  1. hero-trace plays the recording, and every show line it prints must equal
     the line the recording noted beside that show;
  2. the program plays the recording back with --replay at real speed, and the
     LCD area photographed at the same three moments of the handheld's time
     must equal the recording session's pictures pixel for pixel;
  3. the replay must say that it has ended, and must leave the player's
     settings file exactly as it was.

Exit status 0 when all holds, 1 otherwise, 77 (skipped) when there is no Xvfb.
The ten-minute game is run by hand:

    tests/replay/record_replay_xvfb.py --program build/Hero50/hero50 \\
        --trace build/tools/hero-trace --seconds 600
"""

import argparse
import configparser
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from xserver import XServer  # noqa: E402 - the tests' one X server harness

SKIP = 77
# Every program started, so that a failing run leaves none behind.
STARTED = []

# The bound keys of a fresh store: 1 GAME A, 2 GAME B, 3 TIME, 5 ACL, the
# arrows LEFT and RIGHT; PAUSE (space) is the photographer's.
MOVES = ["Left", "Right"] * 8 + ["1", "2", "3"]


def fail(message):
    print("record-replay: FAILED: " + message, file=sys.stderr)
    sys.exit(1)


def run(args, **kwargs):
    return subprocess.run(args, check=False, capture_output=True, text=True, **kwargs)


class Display:
    """An Xvfb of our own (the tests' one harness), so that the keys reach no
    one else's windows."""

    def __init__(self):
        self.server = XServer((1920, 1080)).start()
        self.name = self.server.name
        self.env = self.server.env()

    def close(self, failed=False):
        if failed:
            self.server.report("the run failed")
        self.server.stop()


class Program:
    """The installed program, on our display, with its own settings folder."""

    def __init__(self, display, program, config_home, arguments, log_path):
        env = dict(display.env)
        env.update({"XDG_CONFIG_HOME": config_home, "QT_QPA_PLATFORM": "xcb", "SDL_AUDIODRIVER": "dummy"})
        if "ASAN_OPTIONS" in env:
            # In a sanitizer build: the X keyboard library hands strndup a
            # length past the end of its buffer (the string inside is
            # terminated), which strict string checks take for an overflow.
            env["ASAN_OPTIONS"] += ":strict_string_checks=0"
        self.display = display
        self.log = open(log_path, "w")
        self.process = subprocess.Popen([program] + arguments, cwd=os.path.dirname(program), env=env,
                                        stdout=subprocess.PIPE, stderr=self.log, text=True, bufsize=1)
        self.lines = []
        self.started_at = None
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()
        STARTED.append(self)
        self.window = None
        for _ in range(150):
            found = run(["xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid)], env=display.env)
            if found.stdout.split():
                self.window = found.stdout.split()[0]
                break
            if self.process.poll() is not None:
                break
            time.sleep(0.1)
        if not self.window:
            self.stop()
            status = self.process.poll()
            with open(log_path) as f:
                said = f.read()[-4000:]
            fail("the program showed no window (%s); it said:\n%s"
                 % ("ended with status %s" % status if status is not None else "still running", said))
        run(["xdotool", "windowfocus", self.window], env=display.env)

    def _read(self):
        for line in self.process.stdout:
            if "Replaying" in line and self.started_at is None:
                self.started_at = time.monotonic()
            self.lines.append(line.rstrip("\n"))

    def keys(self, *words):
        run(["xdotool", "windowfocus", self.window] + list(words), env=self.display.env)

    def photograph(self, area, path):
        """The LCD area of the window, as a binary PPM."""
        left, top, width, height = area
        shot = run(["import", "-window", self.window, "-crop", "%dx%d+%d+%d" % (width, height, left, top),
                    "+repage", "ppm:" + path], env=self.display.env)
        if shot.returncode != 0:
            fail("no picture of the window: " + shot.stderr.strip())

    def wait_for_line(self, pattern, timeout):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            if any(re.search(pattern, line) for line in self.lines):
                return True
            if self.process.poll() is not None and not self.reader.is_alive():
                break
            time.sleep(0.1)
        return any(re.search(pattern, line) for line in self.lines)

    def stop(self):
        if self.log.closed:
            return
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()


def last_show(recording_path):
    """The handheld's time, mode and pause flag of the last show written so far."""
    with open(recording_path) as f:
        shows = [line for line in f if line.startswith("show # ")]
    if not shows:
        return None
    fields = dict(re.findall(r"(\w+)=(\S+)", shows[-1].split(' panel=')[0]))
    return int(fields["t"]), int(fields["mode"]), fields["paused"] == "1"


def lcd_area(install_folder):
    """Where the first skin's LCD lies in the window: its screen overlay."""
    skin = configparser.ConfigParser(strict=False, interpolation=None)
    skin.read(os.path.join(install_folder, "Graphics", "Skin1", "Config.ini"))
    for section in skin.sections():
        if skin[section].get("Filename", "").lower() == "im_background_screen_top.png":
            s = skin[section]
            return int(s["Left"]), int(s["Top"]), int(s["Width"]), int(s["Height"])
    fail("the first skin names no screen overlay")


def pause_for_photograph(program, recording, rng, shot_path, area):
    """Gets a game running, pauses it, photographs the LCD, lets it go on.
    Returns the handheld's time at which the pause began."""
    for _ in range(4):
        state = last_show(recording)
        if state and state[1] in (5, 7):
            break
        program.keys("keydown", "1", "sleep", "0.1", "keyup", "1")
        time.sleep(1.0 + rng.random())
    state = last_show(recording)
    if not state or state[1] not in (5, 7):
        fail("no game running to photograph (last show %s)" % (state,))
    program.keys("keydown", "space", "sleep", "0.05", "keyup", "space")
    for _ in range(50):
        state = last_show(recording)
        if state and state[2]:
            break
        time.sleep(0.02)
    else:
        fail("PAUSE did not pause the game")
    paused_at = state[0]
    time.sleep(0.8)
    program.photograph(area, shot_path)
    time.sleep(0.8)
    program.keys("keydown", "space", "sleep", "0.05", "keyup", "space")
    return paused_at


def resumed_after(recording, paused_at):
    """The handheld's time at which the pause that began at `paused_at` ended."""
    with open(recording) as f:
        for line in f:
            if line.startswith("show # "):
                fields = dict(re.findall(r"(\w+)=(\S+)", line.split(" panel=")[0]))
                if int(fields["t"]) > paused_at and fields["paused"] == "0":
                    return int(fields["t"])
    fail("the pause at %d ms never ended in the recording" % paused_at)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--trace", required=True, help="hero-trace")
    parser.add_argument("--seconds", type=float, default=25)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--keep", help="folder for the recording, pictures and logs of a failed run")
    args = parser.parse_args()

    if not shutil.which("Xvfb"):
        print("record-replay: skipped: no Xvfb on this machine")
        return SKIP
    for tool in ("xdotool", "import"):
        if not shutil.which(tool):
            fail("%s is missing (./dev installs it)" % tool)
    program_path = os.path.abspath(args.program)
    area = lcd_area(os.path.dirname(program_path))

    work = tempfile.mkdtemp(prefix="hero-record-replay.")
    config_home = os.path.join(work, "config")
    os.makedirs(os.path.join(config_home, "Quillon"))
    settings_file = os.path.join(config_home, "Quillon", "Hero50.conf")
    # The player's store: no splash, first skin, no sound, windowed at
    # 100 %, so the LCD lies where the skin puts it.
    with open(settings_file, "w") as f:
        f.write("[General]\nSplashScreen=0\nSkin=1\nSoundMode=2\nFullscreenMode=0\nZoom=100\n")
    recording = os.path.join(work, "game.trace")
    display = Display()
    ok = False
    try:
        rng = random.Random(args.seed)
        # --- The recording session --------------------------------------------
        player = Program(display, program_path, config_home, ["--record", recording],
                         os.path.join(work, "record.log"))
        moments = [args.seconds * f for f in (0.25, 0.5, 0.75)]
        pauses = []
        began = time.monotonic()
        presses = 0
        while time.monotonic() - began < args.seconds:
            if moments and time.monotonic() - began >= moments[0]:
                moments.pop(0)
                shot = os.path.join(work, "recorded-%d.ppm" % len(pauses))
                pauses.append((pause_for_photograph(player, recording, rng, shot, area), shot))
                continue
            key = "5" if rng.random() < 0.01 else rng.choice(MOVES)
            player.keys("keydown", key, "sleep", "%.3f" % (rng.random() * 0.3),
                        "keyup", key, "sleep", "%.3f" % (rng.random() * 0.6))
            presses += 1
            if player.process.poll() is not None:
                player.stop()
                with open(player.log.name) as f:
                    said = f.read()[-4000:]
                fail("the program ended during play with status %s; it said:\n%s"
                     % (player.process.returncode, said))
        player.keys("key", "Escape")
        try:
            status = player.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            player.stop()
            fail("the program did not end on Esc")
        player.stop()
        if status != 0:
            fail("the recording session ended with status %d" % status)

        # --- 1. hero-trace plays the recording through the same states ------------
        with open(recording) as f:
            noted = [line[len("show # "):].rstrip("\n") for line in f if line.startswith("show # ")]
        traced = run([args.trace, recording])
        if traced.returncode != 0:
            fail("hero-trace refused the recording: " + traced.stderr.strip())
        lines = traced.stdout.splitlines()
        if len(lines) != len(noted):
            fail("hero-trace printed %d show lines, the recording noted %d" % (len(lines), len(noted)))
        for number, (want, have) in enumerate(zip(noted, lines), 1):
            if want != have:
                fail("show %d differs:\n  recorded: %s\n  replayed: %s" % (number, want, have))
        modes = set(re.findall(r" mode=(\d) ", "\n".join(noted)))
        print("record-replay: %d key presses, %d show lines replayed by hero-trace, every one equal (modes %s)"
              % (presses, len(noted), ",".join(sorted(modes))))

        # --- 2. the window's replay shows the same LCD ---------------------------
        # Any high score the recording stored goes, so a replay that wrote one
        # would show in the file.
        with open(settings_file) as f:
            settings = "".join(line for line in f if not line.startswith("HiScore"))
        with open(settings_file, "w") as f:
            f.write(settings)
        before = (settings, os.stat(settings_file).st_mtime_ns)
        moments = [(paused_at + resumed_after(recording, paused_at)) / 2 for paused_at, _ in pauses]
        viewer = Program(display, program_path, config_home, ["--replay", recording],
                         os.path.join(work, "replay.log"))
        if not viewer.wait_for_line("Replaying", 10) or viewer.started_at is None:
            viewer.stop()
            fail("the replay did not say that it began")
        for index, at_ms in enumerate(moments):
            delay = viewer.started_at + at_ms / 1000.0 - time.monotonic()
            if delay > 0:
                time.sleep(delay)
            replayed = os.path.join(work, "replayed-%d.ppm" % index)
            viewer.photograph(area, replayed)
            with open(pauses[index][1], "rb") as a, open(replayed, "rb") as b:
                recorded_picture, replayed_picture = a.read(), b.read()
            if len(set(recorded_picture[-10000:])) < 3:
                fail("the recorded picture %d shows nothing" % index)
            if recorded_picture != replayed_picture:
                viewer.stop()
                fail("the LCD at %.1f s of the replay differs from the recording's (%s, %s)"
                     % (at_ms / 1000.0, pauses[index][1], replayed))
        print("record-replay: the LCD at %s s of the replay equals the recording's, pixel for pixel"
              % ", ".join("%.1f" % (m / 1000.0) for m in moments))
        ended = viewer.wait_for_line("has ended", args.seconds + 30)
        viewer.stop()
        if not ended:
            fail("the replay never said that it ended: " + " | ".join(viewer.lines))
        with open(settings_file) as f:
            after = (f.read(), os.stat(settings_file).st_mtime_ns)
        if after != before:
            fail("the replay wrote the player's settings file")
        print("record-replay: " + [line for line in viewer.lines if "has ended" in line][0])
        print("record-replay: passed")
        ok = True
    finally:
        for started in STARTED:
            started.stop()
        display.close(failed=not ok)
        if ok or not args.keep:
            shutil.rmtree(work, ignore_errors=True)
        else:
            kept = os.path.join(args.keep, "record-replay-failure")
            shutil.rmtree(kept, ignore_errors=True)
            shutil.move(work, kept)
            print("record-replay: the run is kept in " + kept, file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
