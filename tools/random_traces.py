#!/usr/bin/env python3
"""Random hero-trace scripts: a restless player presses, releases and waits at
random, and every state line printed is checked against what the handheld can
show in its mode. Each script also runs twice with the same seed, and the two
outputs must be the same.

With --play N the player instead plays N games through a pipe, line by line:
it mostly walks under the lowest falling object and sometimes dodges the
rogue, so that games reach high scores, blows and chance time. Each played
session is then replayed as a script and must print the same lines.

    tools/random_traces.py --trace build/tools/hero-trace [--scripts 200]
                           [--play 0] [--seed 1] [--keep DIR]

Exits 1 when a script crashes, stops with an error, prints an impossible
state or differs between its two runs; the failing script is written to DIR
(default /tmp) so that it can be replayed by hand.
"""
import argparse
import os
import random
import subprocess
import sys

BUTTONS = ["game_a", "game_b", "time", "acl", "left", "right", "pause"]
TIMERS = ["Chance_Time", "Clock", "Game", "Game_Over", "Miss"]

# Segments of the LCD (digit positions and glyph sources excluded), as the
# all-lit picture shows them; im_panel_time_pm is never part of it.
SEGMENTS = (
    ["im_panel_time_am", "im_panel_time_pm", "im_panel_time_colon", "im_panel_game_a", "im_panel_game_b"]
    + ["im_panel_miss_%d" % i for i in range(4)]
    + ["im_lady_%d" % i for i in range(9)]
    + ["im_enemy_x%dy%d" % (lane, row) for lane in (1, 2, 3) for row in range(lane, 8)]
    + ["im_hero_x%d" % i for i in (1, 2, 3)]
    + ["im_enemy_drop_x%d" % i for i in (1, 2, 3)]
    + ["im_hero_drown_x1", "im_hero_drown_x3"]
    + ["im_rogue_x%dy%d" % (side, pose) for side in (1, 3) for pose in (1, 2, 3, 4)]
)
ALL_LIT = set(SEGMENTS) - {"im_panel_time_pm"}

# The 37 segments of the clock animation, in table order, and the frames as
# the handheld's table gives them (o lit, . dark).
ANIMATED = (
    ["im_enemy_x3y%d" % r for r in range(3, 8)]
    + ["im_enemy_x2y%d" % r for r in range(2, 8)]
    + ["im_enemy_x1y%d" % r for r in range(1, 8)]
    + ["im_hero_drown_x3", "im_enemy_drop_x3", "im_enemy_drop_x2", "im_enemy_drop_x1", "im_hero_drown_x1"]
    + ["im_rogue_x3y2", "im_rogue_x3y3", "im_rogue_x3y4", "im_rogue_x1y2", "im_rogue_x1y3", "im_rogue_x1y4"]
    + ["im_hero_x3", "im_hero_x2", "im_hero_x1", "im_rogue_x3y1", "im_rogue_x1y1"]
    + ["im_lady_1", "im_lady_2", "im_lady_3"]
)


def load_frames(header):
    """The clock frames as sets of lit segment names, read from the engine's table."""
    frames = []
    with open(header, encoding="utf-8") as f:
        for line in f:
            text = line.strip()
            if text.startswith('"') and text.count('"') >= 2:
                flags = text[1:text.index('"', 1)].replace(" ", "")
                if len(flags) == 37 and set(flags) <= {"o", "."}:
                    frames.append(frozenset(n for n, c in zip(ANIMATED, flags) if c == "o"))
    return frames


def score_panel(value):
    n = value % 1000
    return " " + (str(n // 100 % 10) if n >= 100 else " ") + (str(n // 10 % 10) if n >= 10 else " ") + str(n % 10)


def clock_panel(hours, minutes):
    h = hours - 12 if hours >= 12 else hours
    if h == 0:
        h = 12
    return (str(h // 10) if h >= 10 else " ") + str(h % 10) + str(minutes // 10) + str(minutes % 10)


def miss_marks(count):
    lit = set()
    if count > 0:
        lit.add("im_panel_miss_0")
    for i in (1, 2, 3):
        if count >= i:
            lit.add("im_panel_miss_%d" % i)
    return lit


def pose_of(phase):
    return 2 if phase <= 2 else 3 if phase <= 5 else 4


def parse_line(line):
    fields = {}
    rest = line
    # panel="...." may hold spaces; everything else is word=value.
    head, _, tail = rest.partition(' panel="')
    panel, _, tail = tail.partition('" ')
    for word in (head + " " + tail).split():
        key, _, value = word.partition("=")
        fields[key] = value
    fields["panel"] = panel
    return fields


def make_script(rng):
    lines = []
    clock = (rng.randrange(24), rng.randrange(60))
    for name in ("HiScore1", "HiScore2"):
        roll = rng.random()
        if roll < 0.3:
            lines.append("store %s %d" % (name, rng.randrange(0, 999)))
        elif roll < 0.35:
            lines.append("store %s %s" % (name, rng.choice(["-5", "1000", "abc", "$10", "998", "0x7"])))
    lines.append("clock %02d:%02d" % clock)
    if rng.random() < 0.95:
        lines.append("start")
    lines.append("show")
    for _ in range(rng.randrange(50, 400)):
        roll = rng.random()
        if roll < 0.12:
            game = rng.choice(["game_a", "game_b"])
            lines += ["press " + game, "show", "wait %d" % rng.randrange(0, 300), "release " + game]
        elif roll < 0.45:
            b = rng.choice(["left", "right"])
            lines.append("press " + b)
            if rng.random() < 0.8:
                lines.append("release " + b)
        elif roll < 0.52:
            lines.append(rng.choice(["press ", "release "]) + rng.choice(BUTTONS))
        elif roll < 0.55:
            lines.append("press pause")
        elif roll < 0.57:
            lines.append("draw " + " ".join(str(rng.randrange(3)) for _ in range(rng.randrange(1, 4))))
        elif roll < 0.58:
            clock = (rng.randrange(24), rng.randrange(60))
            lines.append("clock %02d:%02d" % clock)
        else:
            r = rng.random()
            if r < 0.75:
                ms = rng.randrange(0, 400)
            elif r < 0.97:
                ms = rng.randrange(400, 8000)
            else:
                ms = rng.randrange(25000, 40000)
            lines.append("wait %d" % ms)
        lines.append("show")
    if rng.random() < 0.2:
        lines.append("dump-store")
    return lines


class Checker:
    def __init__(self, frames):
        self.frames = set(frames)
        self.variant = None  # "a" or "b": the game that is running or just ended
        self.last_t = 0
        self.clock = (0, 0)
        self.old_clock = None  # the time shown until the next clock event
        self.clock_set_at = 0

    def set_clock(self, clock):
        """A `clock` command: the panel follows at the next clock event, within a second."""
        self.old_clock, self.clock, self.clock_set_at = self.clock, clock, self.last_t

    def check(self, f):
        errors = []
        t = int(f["t"])
        self.last_t = t
        clocks = [self.clock]
        if self.old_clock is not None and t - self.clock_set_at < 1000:
            clocks.append(self.old_clock)
        mode = int(f["mode"])
        score, misses = int(f["score"]), int(f["misses"])
        hero = int(f["hero"])
        side, phase = (int(x) for x in f["rogue"].split("/"))
        paused = f["paused"] == "1"
        timers = [] if f["timers"] == "-" else [t.split(":")[0] for t in f["timers"].split(",")]
        lit = set() if f["lit"] == "-" else set(f["lit"].split(","))
        seg = lit & set(SEGMENTS)
        panel = f["panel"]

        if not 0 <= score <= 998:
            errors.append("score %d outside 0..998" % score)
        if not 0 <= misses <= 3:
            errors.append("misses %d outside 0..3" % misses)
        for key in ("hi_a", "hi_b"):
            if not 0 <= int(f[key]) <= 998:
                errors.append("%s outside 0..998" % key)
        if paused and mode not in (5, 7):
            errors.append("paused outside a game")
        if ("la_pause" in lit) != paused:
            errors.append("pause label does not match the pause")
        if paused and f["moves"] == "1":
            errors.append("hero may move while paused")
        if len(set(timers)) != len(timers) or any(t not in TIMERS for t in timers):
            errors.append("odd timer list")

        if mode in (0, 1, 2, 4, 6) and timers:
            errors.append("timers %s run in mode %d" % (timers, mode))
        if mode == 3 and timers != ["Clock"]:
            errors.append("clock mode with timers %s" % timers)
        if mode == 8 and timers != ["Game_Over"]:
            errors.append("game over with timers %s" % timers)
        if mode in (5, 7):
            if paused and timers:
                errors.append("timers %s run while paused" % timers)
            if not paused and (len(timers) != 1 or timers[0] not in ("Game", "Miss", "Chance_Time")):
                errors.append("a running game needs exactly one game timer, not %s" % timers)

        if mode == 0:
            if seg or panel != "    ":
                errors.append("ACL held but segments lit: %s %r" % (sorted(seg), panel))
        elif mode == 1:
            if seg != ALL_LIT or panel != "1200":
                errors.append("all-lit picture differs: missing %s extra %s" % (sorted(ALL_LIT - seg), sorted(seg - ALL_LIT)))
        elif mode == 2:
            want = {"im_lady_0", "im_lady_2", "im_lady_5", "im_panel_time_colon", "im_panel_time_pm"}
            if seg != want or panel != "1200":
                errors.append("alarm view differs: %s %r" % (sorted(seg ^ want), panel))
        elif mode == 3:
            fixed = {"im_lady_0", "im_lady_4", "im_panel_time_colon"}
            ampm = seg & {"im_panel_time_am", "im_panel_time_pm"}
            anim = frozenset(seg - fixed - ampm)
            if not fixed <= seg:
                errors.append("clock lost %s" % sorted(fixed - seg))
            if panel == "    ":
                # The instant of entry, before the first clock event.
                if ampm or anim != {"im_lady_2"}:
                    errors.append("clock entry picture differs")
            else:
                def shows(c):
                    want_ampm = {"im_panel_time_pm" if c[0] >= 12 else "im_panel_time_am"}
                    return ampm == want_ampm and panel == clock_panel(*c)
                if not any(shows(c) for c in clocks):
                    errors.append("clock shows %r %s at %s" % (panel, sorted(ampm), clocks))
                if anim not in self.frames:
                    errors.append("clock shows no frame of the animation: %s" % sorted(anim))
        elif mode in (4, 6):
            self.variant = None
            mark = "im_panel_game_a" if mode == 4 else "im_panel_game_b"
            want = {mark, "im_hero_x%d" % hero}
            hi = int(f["hi_a"] if mode == 4 else f["hi_b"])
            if seg != want or panel != score_panel(hi):
                errors.append("game button held picture differs: %s %r" % (sorted(seg ^ want), panel))
        elif mode in (5, 7, 8):
            if mode in (5, 7):
                self.variant = "a" if mode == 5 else "b"
            marks = seg & {"im_panel_game_a", "im_panel_game_b"}
            if self.variant and marks != {"im_panel_game_" + self.variant}:
                errors.append("game marks %s in game %s" % (sorted(marks), self.variant))
            for name in ("im_panel_time_am", "im_panel_time_pm", "im_panel_time_colon",
                         "im_lady_5", "im_lady_6", "im_lady_7", "im_lady_8"):
                if name in seg:
                    errors.append("%s lit in a game" % name)
            if not {"im_lady_0", "im_lady_4"} <= seg:
                errors.append("lady's body dark in a game")
            if len(seg & {"im_lady_1", "im_lady_2", "im_lady_3"}) != 1:
                errors.append("lady shows %d hands" % len(seg & {"im_lady_1", "im_lady_2", "im_lady_3"}))
            rogue = {s for s in seg if s.startswith("im_rogue_")}
            want = {"im_rogue_x%dy1" % side, "im_rogue_x%dy%d" % (side, pose_of(phase))}
            if side not in (1, 3) or rogue != want:
                errors.append("rogue %d/%d shows %s" % (side, phase, sorted(rogue)))
            heroes = {s for s in seg if s.startswith("im_hero_")}
            if len(heroes) > 1 or not heroes <= {"im_hero_x%d" % hero, "im_hero_drown_x%d" % hero}:
                errors.append("hero in lane %d shows %s" % (hero, sorted(heroes)))
            if not 1 <= hero <= 3:
                errors.append("hero lane %d" % hero)
            shown = seg & {"im_panel_miss_%d" % i for i in range(4)}
            blinking = "Chance_Time" in timers or paused
            if shown != miss_marks(misses) and not (blinking and not shown):
                errors.append("miss marks %s with %d misses" % (sorted(shown), misses))
            if panel != score_panel(score):
                errors.append("panel %r with score %d" % (panel, score))
        return errors


def play_session(trace, rng, seed, steps, checker):
    """Plays through a pipe; returns (script lines, state lines, problems)."""
    proc = subprocess.Popen([trace, "--seed", seed, "-"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True, bufsize=1)
    lines, states, problems = [], [], []
    clock = (rng.randrange(24), rng.randrange(60))

    def send(*commands):
        for c in commands:
            proc.stdin.write(c + "\n")
            lines.append(c)

    def show():
        send("show")
        proc.stdin.flush()
        answer = proc.stdout.readline()
        if not answer:
            return None
        states.append(answer.rstrip("\n"))
        f = parse_line(answer.rstrip("\n"))
        for e in checker.check(f):
            problems.append("line %d: %s\n    %s" % (len(lines), e, answer.rstrip()))
        return f

    if rng.random() < 0.5:
        send("store HiScore1 %d" % rng.randrange(999), "store HiScore2 %d" % rng.randrange(999))
    send("clock %02d:%02d" % clock, "start")
    checker.set_clock(clock)
    f = show()
    # How well this player plays: the best never press ACL, always walk under
    # the lowest object and keep out of the rogue's swing.
    skill = rng.choice([0.5, 0.9, 0.99, 1.0])
    mishaps = 0.0 if skill >= 0.99 else 0.015
    for _ in range(steps):
        if f is None:
            break
        mode = int(f["mode"])
        lit = set() if f["lit"] == "-" else set(f["lit"].split(","))
        r = rng.random()
        if mode in (1, 3, 8):
            if r < 0.02:
                send("press time", "wait %d" % rng.randrange(0, 2000), "release time")
            elif r < 0.04:
                clock = (rng.randrange(24), rng.randrange(60))
                send("clock %02d:%02d" % clock)
                checker.set_clock(clock)
                send("wait %d" % rng.randrange(0, 3000))
            elif r < 0.9 or mode == 1:
                game = rng.choice(["game_a", "game_b"])
                send("press " + game, "wait %d" % rng.randrange(0, 300))
                if rng.random() < 0.3:
                    send("press " + rng.choice(["left", "right"]), "release left", "release right")
                send("release " + game)
            else:
                send("wait %d" % rng.randrange(1, 31000))
        elif mode == 0:
            send("release acl")
        elif mode == 2:
            send("release time")
        elif mode in (4, 6):
            send("release " + ("game_a" if mode == 4 else "game_b"))
        elif f["paused"] == "1":
            send("press pause" if r < 0.3 else "wait %d" % rng.randrange(1, 500))
        elif r < mishaps * 0.15:
            send("press acl", "wait %d" % rng.randrange(0, 200))
        elif r < mishaps * 0.7 or r > 1 - skill * 0.003:
            send("press pause")
        elif r < mishaps:
            send("press " + rng.choice(["time", "game_a", "game_b"]), "release time", "release game_a",
                 "release game_b")
        else:
            hero = int(f["hero"])
            side, phase = (int(x) for x in f["rogue"].split("/"))
            # An object at the foot of the hero's own lane is caught already.
            objects = [(int(n[10]), int(n[12])) for n in lit if n.startswith("im_enemy_x")]
            objects = [(lane, row) for lane, row in objects if (lane, row) != (hero, 7)]
            target = hero
            if objects and rng.random() < skill:
                lowest = max(row for _, row in objects)
                target = rng.choice([lane for lane, row in objects if row == lowest])
            elif rng.random() < 1 - skill:
                target = rng.choice([1, 2, 3])
            def walk(to, here):
                for _ in range(abs(to - here)):
                    b = "left" if to > here else "right"
                    send("press " + b, "release " + b)

            if phase >= 3 and rng.random() < skill and target == side:
                # Step under an object waiting beside the winding-up rogue
                # and out again: it still counts at the next tick.
                if phase < 6 and hero != side and (side, 7) in objects:
                    walk(side, hero)
                    hero = side
                target = 2
            walk(target, hero)
            send("wait %d" % rng.randrange(10, 110))
        f = show()
    proc.stdin.close()
    proc.wait(timeout=60)
    err = proc.stderr.read()
    if proc.returncode != 0:
        problems.append("exit %d: %s" % (proc.returncode, err.strip()))
    return lines, states, problems


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("--trace", required=True)
    parser.add_argument("--scripts", type=int, default=200)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--keep", default="/tmp")
    parser.add_argument("--play", type=int, default=0, help="sessions played through a pipe")
    parser.add_argument("--steps", type=int, default=3000, help="player moves per session")
    args = parser.parse_args()
    frames = load_frames(os.path.join(here, "..", "engine", "clock_animation.h"))
    if len(frames) != 119:
        sys.exit("random_traces: cannot read the clock frames")

    shows = virtual_ms = failures = 0
    for n in range(args.scripts):
        rng = random.Random(args.seed * 1_000_003 + n)
        lines = make_script(rng)
        script = "\n".join(lines) + "\n"
        seed = str(rng.randrange(2**32))
        runs = [subprocess.run([args.trace, "--seed", seed, "-"], input=script, capture_output=True, text=True,
                               timeout=120) for _ in range(2)]
        problems = []
        if runs[0].returncode != 0:
            problems.append("exit %d: %s" % (runs[0].returncode, runs[0].stderr.strip()))
        if runs[0].stdout != runs[1].stdout:
            problems.append("two runs with seed %s differ" % seed)
        checker = Checker(frames)
        out = iter(l for l in runs[0].stdout.splitlines() if l.startswith("t="))
        for number, line in enumerate(lines, 1):
            if line.startswith("clock "):
                hh, mm = line.split()[1].split(":")
                checker.set_clock((int(hh), int(mm)))
            if line != "show":
                continue
            state = next(out, None)
            if state is None:
                break
            shows += 1
            for e in checker.check(parse_line(state)):
                problems.append("line %d: %s\n    %s" % (number, e, state))
        last = [l for l in runs[0].stdout.splitlines() if l.startswith("t=")]
        if last:
            virtual_ms += int(parse_line(last[-1])["t"])
        if problems:
            failures += 1
            path = os.path.join(args.keep, "random_trace_%d.trace" % n)
            with open(path, "w", encoding="utf-8") as f:
                f.write(script)
            print("script %d (seed %s, kept as %s):" % (n, seed, path))
            for p in problems[:5]:
                print("  " + p)
    best = chances = blows = 0
    for n in range(args.play):
        rng = random.Random(args.seed * 7_000_001 + n)
        seed = str(rng.randrange(2**32))
        lines, states, problems = play_session(args.trace, rng, seed, args.steps, Checker(frames))
        script = "\n".join(lines) + "\n"
        replay = subprocess.run([args.trace, "--seed", seed, "-"], input=script, capture_output=True, text=True,
                                timeout=600)
        if replay.stdout.splitlines() != states:
            problems.append("the replayed script prints other lines")
        shows += len(states)
        for state in states:
            f = parse_line(state)
            best = max(best, int(f["score"]))
            chances += f["sounds"].count("chance")
            blows += f["sounds"].count("miss2")
        if states:
            virtual_ms += int(parse_line(states[-1])["t"])
        if problems:
            failures += 1
            path = os.path.join(args.keep, "played_trace_%d.trace" % n)
            with open(path, "w", encoding="utf-8") as f:
                f.write(script)
            print("session %d (seed %s, kept as %s):" % (n, seed, path))
            for p in problems[:5]:
                print("  " + p)
    if args.play:
        print("%d played sessions: best score %d, %d blows, %d chance-time blinks"
              % (args.play, best, blows, chances))
    print("%d scripts and %d sessions, %d state lines checked, %.1f virtual hours, %d failing"
          % (args.scripts, args.play, shows, virtual_ms / 3.6e6, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
