#!/usr/bin/python3
"""The program played from a virtual gamepad on a real X server, in real
time, under openbox: the pictures the X server shows must have the hero in
each lane the pad walked him to. Run: gamepad.py [CASE ...]; the pictures
are kept in $HERO_PAD_PICTURES when it is set."""

import os
import shutil
import subprocess
import sys

from desktop import Desktop, run_cases


def virtual_pad_walks_the_hero_on_screen(install_dir):
    player = os.environ.get("HERO_PAD_PLAY")
    if not player or not os.path.exists(player):
        raise AssertionError("no pad_play_on_screen program (HERO_PAD_PLAY)")
    with Desktop(install_dir, window_manager=True) as desk:
        pictures = os.path.join(desk.work, "pictures")
        run = subprocess.run([player, install_dir, pictures], env=desk.env(QT_QPA_PLATFORM="xcb", SDL_AUDIODRIVER="dummy"),
                             capture_output=True, text=True, timeout=150)
        print(run.stdout, end="")
        kept = os.environ.get("HERO_PAD_PICTURES")
        if kept and os.path.isdir(pictures):
            shutil.rmtree(kept, ignore_errors=True)
            shutil.copytree(pictures, kept)
        if run.returncode != 0:
            raise AssertionError("the pad's walk failed (status %d): %s" % (run.returncode, run.stderr[-3000:]))


CASES = [virtual_pad_walks_the_hero_on_screen]

if __name__ == "__main__":
    sys.exit(run_cases(CASES, sys.argv))
