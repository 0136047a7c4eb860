#!/usr/bin/python3
"""Black-box check of the kept games on a real X server under openbox: a
game of A played with physical keys that beats the high score is kept by
itself as the best game, verifies with hero-trace --check at the score the
store holds, plays back from the menu in the handheld's place, and stays
among the past games after "Reset Hiscores". Run: kept_games.py [CASE ...]."""

import glob
import os
import re
import subprocess
import sys
import time

from desktop import PROGRAM_TITLE, Desktop, run_cases, wait_until
from windows_and_keys import centre_of, menu_item, start_windowed

# "Reset Hiscores", "Best games" and the offer of a game left unfinished as
# the Down key reaches them in the context menu (Best games follows Zoom and
# Preferences, the offer follows Best games, above Exit).
MENU_RESET_HISCORES = 7
MENU_BEST_GAMES = 12
MENU_CONTINUE = 13


def games_folder(desk):
    return os.path.join(desk.work, "data", "Quillon", "Hero50")


def last_show(desk, recording=None):
    """The last show the session (or `recording`) noted: the handheld as it
    was then."""
    files = [recording] if recording else glob.glob(os.path.join(games_folder(desk), "sessions", "session-*.trace"))
    for session in files:
        with open(session) as f:
            shows = [line[7:] for line in f.read().splitlines() if line.startswith("show # ")]
        if shows:
            return dict(re.findall(r"(\w+)=(\S+)", shows[-1]))
    return {}


def play_until_game_over(desk, keep_score, recording=None, seconds=110, stop_at_score=None):
    """Steps the hero under the lowest falling object until the score
    reaches `keep_score`, then lets the objects fall until the game over
    (or, with `stop_at_score`, until the game reaches that score)."""
    left, right = desk.keycode("Left"), desk.keycode("Right")
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        show = last_show(desk, recording)
        if show.get("mode") == "8" or (stop_at_score is not None and int(show.get("score", 0)) >= stop_at_score):
            return int(show["score"])
        if show.get("mode") == "5" and int(show.get("score", 0)) < keep_score:
            objects = [(int(row), int(lane)) for lane, row in re.findall(r"im_enemy_x(\d)y(\d)", show.get("lit", ""))]
            hero = int(show.get("hero", 2))
            if objects:
                target = max(objects)[1]
                if target != hero:
                    desk.tap(left if target > hero else right, hold_s=0.03, after_s=0.05)
                    continue
        time.sleep(0.05)
    raise AssertionError("the game did not end in %d s: %r" % (seconds, last_show(desk, recording)))


def check(recording):
    answer = subprocess.run([os.environ["HERO_TRACE"], "--check", recording], capture_output=True, text=True)
    return answer.returncode, answer.stdout.strip() + answer.stderr.strip()


def a_best_game_is_kept_verified_watched_and_never_lost(install_dir):
    with Desktop(install_dir, window_manager=True) as desk:
        window = start_windowed(desk)
        desk.click(*centre_of(desk, window))
        desk.tap(desk.keycode("1"))  # GAME A
        score = play_until_game_over(desk, keep_score=3)
        assert score >= 1, "no point scored"
        best = os.path.join(games_folder(desk), "best-game-a.trace")
        wait_until("the best game", lambda: os.path.exists(best), 10)
        wait_until("HiScore1 stored", lambda: desk.settings().get("HiScore1") == str(score), 10)
        status, said = check(best)
        assert status == 0 and said.startswith("Game A, score %d: " % score) and said.endswith(": verified"), said

        # Watched from the menu: the handheld makes way for the playback,
        # and comes back when Esc ends it.
        menu_item_path = [desk.keycode("Down")] * MENU_BEST_GAMES
        x, y = centre_of(desk, window)
        desk.click(x, y, button=3, after_s=0.1)
        wait_until("the context menu", desk.popup_open, 10)
        for code in menu_item_path:
            desk.tap(code, after_s=0.05)
        desk.tap(desk.keycode("Right"), after_s=0.3)
        desk.tap(desk.keycode("Return"), after_s=0.3)
        wait_until("the handheld to make way", lambda: not desk.is_viewable(window), 10)
        def playback_window():
            # The playback is a program of its own: its window carries another
            # process id.
            for other, name in desk.windows():
                if name == PROGRAM_TITLE and other.id != window.id and desk.is_viewable(other) and \
                        other.get_full_property(desk.d.intern_atom("_NET_WM_PID"), 0):
                    return other
            return None
        playback = wait_until("the playback's window", playback_window, 20)
        desk.settle(1.0)
        desk.click(*centre_of(desk, playback))
        desk.tap(desk.keycode("Escape"))
        wait_until("the handheld to come back", lambda: desk.is_viewable(window), 20)
        assert desk.program.poll() is None, "the program ended with the playback"

        menu_item(desk, window, MENU_RESET_HISCORES)
        wait_until("HiScore1=0", lambda: desk.settings().get("HiScore1") == "0", 10)
        assert not os.path.exists(best), "the best game still claims the score"
        former = glob.glob(os.path.join(games_folder(desk), "past-games", "*former-best-game-a-%d.trace" % score))
        assert len(former) == 1, os.listdir(os.path.join(games_folder(desk), "past-games"))
        status, said = check(former[0])
        assert status == 0, said


def a_half_speed_game_takes_twice_as_long_and_stores_no_high_score(install_dir):
    """At GameSpeed 50 the handheld's time runs at half the real time: a game
    recorded with --record shows its ticks twice as far apart in real time,
    hero-trace replays it line for line, it verifies, and its score is kept
    apart as an assisted game, never stored as the high score."""
    with Desktop(install_dir, window_manager=True) as desk:
        recording = os.path.join(desk.work, "slow.trace")
        window = start_windowed(desk, {"GameSpeed": "50"}, "--record", recording)
        desk.click(*centre_of(desk, window))
        desk.tap(desk.keycode("1"))  # GAME A
        wait_until("the game", lambda: last_show(desk, recording).get("mode") == "5", 10)
        started_real, started_t = time.monotonic(), int(last_show(desk, recording)["t"])
        score = play_until_game_over(desk, keep_score=2, recording=recording, seconds=150)
        ended_real, ended_t = time.monotonic(), int(last_show(desk, recording)["t"])
        ratio = (ended_real - started_real) * 1000 / (ended_t - started_t)
        assert 1.8 < ratio < 2.3, "real time / handheld time = %.2f" % ratio
        assert score >= 1, "no point scored"
        desk.settle(0.5)
        assert desk.settings().get("HiScore1", "0") == "0", desk.settings()
        traced = subprocess.run([os.environ["HERO_TRACE"], recording], capture_output=True, text=True)
        with open(recording) as f:
            noted = [line[7:] for line in f.read().splitlines() if line.startswith("show # ")]
        assert traced.stdout.splitlines()[:len(noted)] == noted, "hero-trace does not replay it line for line"
        status, said = check(recording)
        assert status == 0 and said.startswith("Game A, score %d: " % score), said
        kept = os.path.join(games_folder(desk), "best-game-a-assist.trace")
        wait_until("the best assisted game", lambda: os.path.exists(kept), 10)
        assert not os.path.exists(os.path.join(games_folder(desk), "best-game-a.trace")), "kept as a full-speed best"


def a_game_ended_by_esc_goes_on_from_the_menu(install_dir):
    """Esc ends the program in the middle of a game of A. At the next start
    the context menu offers the game; taken, the handheld shows it paused at
    its score with the same objects in the same lanes, PAUSE plays on, and
    the whole game, both runs of it, verifies at its game over."""
    with Desktop(install_dir, window_manager=True) as desk:
        window = start_windowed(desk)
        desk.click(*centre_of(desk, window))
        desk.tap(desk.keycode("1"))  # GAME A
        score = play_until_game_over(desk, keep_score=99, stop_at_score=2)
        assert last_show(desk).get("mode") == "5", last_show(desk)
        desk.tap(desk.keycode("Escape"))
        desk.program.wait(20)
        unfinished = os.path.join(games_folder(desk), "unfinished-game.trace")
        assert os.path.exists(unfinished), os.listdir(games_folder(desk))
        left = last_show(desk, unfinished)
        assert left["paused"] == "1" and int(left["score"]) >= score, left

        desk.start_program()
        window = desk.wait_window(PROGRAM_TITLE)
        desk.settle(0.5)
        x, y = centre_of(desk, window)
        desk.click(x, y, button=3, after_s=0.1)
        wait_until("the context menu", desk.popup_open, 10)
        for _ in range(MENU_CONTINUE):
            desk.tap(desk.keycode("Down"), after_s=0.05)
        desk.tap(desk.keycode("Return"), after_s=0.3)
        wait_until("the game to go on", lambda: last_show(desk).get("mode") == "5", 10)
        went_on = last_show(desk)
        for field in ("t", "mode", "score", "misses", "hero", "rogue", "paused", "panel", "timers", "lit"):
            assert went_on[field] == left[field], "%s: %s, left at %s" % (field, went_on[field], left[field])
        assert not os.path.exists(unfinished), "the game is now this session's"
        desk.click(x, y)
        desk.tap(desk.keycode("space"))  # PAUSE
        wait_until("the game to run", lambda: last_show(desk).get("paused") == "0", 10)
        final = play_until_game_over(desk, keep_score=int(left["score"]) + 1)
        def kept_whole():
            past = sorted(glob.glob(os.path.join(games_folder(desk), "past-games", "*-game-a-%d.trace" % final)))
            return past[-1] if past else None
        status, said = check(wait_until("the whole game kept", kept_whole, 10))
        assert status == 0 and said.startswith("Game A, score %d: " % final) and said.endswith(": verified"), said


CASES = [a_best_game_is_kept_verified_watched_and_never_lost,
         a_half_speed_game_takes_twice_as_long_and_stores_no_high_score,
         a_game_ended_by_esc_goes_on_from_the_menu]

if __name__ == "__main__":
    sys.exit(run_cases(CASES, sys.argv))
