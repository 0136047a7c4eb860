#!/usr/bin/env python3
"""A second account of the handheld's rules, written apart from the engine,
played against hero-trace line by line.

The model below keeps its own state record, timers, LCD and store, and walks
through the same modes, ticks, miss and chance-time steps, clock and controls
as the handheld. A player (walking under the lowest object, dodging the rogue
or not, pressing every button now and then) drives the model; every random
draw the model makes is written into the script as a `draw` line, so that
hero-trace must draw exactly the same values in the same ranges. Each `show`
line hero-trace prints must equal the model's.

    tools/trace_reference.py --trace build/tools/hero-trace [--sessions 20]
                             [--steps 5000] [--seed 1] [--keep DIR]

Exits 1 at the first line where the two differ in any session, printing both
lines and keeping the script in DIR (default /tmp).
"""
import argparse
import os
import random
import subprocess
import sys


# --- The handheld's constant data --------------------------------------------

# Speed rows per hundred of the score: slow, knee, fast, knee position.
SPEED_ROWS = [
    (590, 580, 540, 74),
    (590, 580, 520, 58),
    (590, 580, 490, 52),
    (590, 570, 480, 45),
    (590, 570, 470, 42),
    (590, 550, 440, 40),
    (580, 540, 420, 38),
    (580, 530, 410, 32),
    (580, 530, 380, 26),
    (570, 540, 350, 20),
]
# Object limit per score, a hundred scores a row in groups of ten.
OBJECT_LIMITS = [
    "1111222211 2222333332 3333443443 3333444443 3333444443 3333444433 4444553445 5444444554 4455435554 4555555555",
    "4322333332 3333444433 3333443443 3333344433 3333444443 4444555554 3354555544 3444455544 5555545655 4445455665",
    "3333343333 3333444443 3333444333 3333343443 4443545554 4444444454 4444344554 4555456555 5555555445 5545566455",
    "3333444443 3333444443 3333444443 4444555544 4344555544 4444444545 3445666555 5545466655 5454556666 6544456666",
    "5433344443 3333444443 4344555544 4444445554 3444555544 4445565654 3555555655 4444556666 5545555655 6655665566",
    "5433444433 4444455555 4444444555 5444445554 5555455555 5545456555 5555665444 5555555565 5555577776 6565566666",
    "5444445545 3444444544 4443555544 5554455655 5555455555 5555554456 6665555665 5555555666 5564455555 5666676766",
    "4444545444 4444455534 5555544544 5445555554 5545666555 4444565555 6566554555 5554556655 5666767667 7655566566",
    "6544455554 4555445565 5555544455 5656676545 5465666666 5554666545 4555656665 5656566776 7666765666 6765567666",
    "5545544455 4554545555 4445655665 5555556665 6666566656 6576676645 6556666766 5655766676 6556776457 6656666665",
]
LIMITS = [int(c) for row in OBJECT_LIMITS for c in row if c != " "]

# The clock animation: 37 flags a frame (o lit), in the order of ANIMATED.
CLOCK_FRAMES = [
    "..... ...... ....... ..... o..... .o. o. .o.",  # 1
    "..... ...... ....... ..... o..... .o. o. .o.",  # 2
    "..... ...... o...... ..... o..... .o. o. o..",  # 3
    "o.... o..... .o..... ..... .o.... .o. o. ..o",  # 4
    ".o... .o.... ..o.... ..... ..o... o.. o. .o.",  # 5
    ".o... .o.... ..o.... ..... ..o... o.. o. .o.",  # 6
    ".o... .o.... ..o.... o.... ..o... ... o. .o.",  # 7
    ".o... .o.... ..o.... o.... ..o... ... o. .o.",  # 8
    ".o... .o.... ..o.... o.... o..... ... o. .o.",  # 9
    ".o... .o.... ..o.... o.... o..... ... o. .o.",  # 10
    ".o... .o.... ..o.... ..... o..... ... o. .o.",  # 11
    ".o... .o.... ..o.... ..... o..... o.. o. .o.",  # 12
    ".o... .o.... ..o.... ..... o..... o.. o. .o.",  # 13
    "..o.. ..o... ...o... ..... ...o.. o.. .o .o.",  # 14
    "...o. ...o.. ....o.. ..... ...o.. .o. .o .o.",  # 15
    "....o ....o. .....o. ..... o..... .o. o. .o.",  # 16
    "..... .....o ......o .o... o..... .o. o. .o.",  # 17
    "..... ...... o...... ..... o..... .o. o. o..",  # 18
    "..... ...... .o..... ..... o..... .o. o. .o.",  # 19
    "..... ...... ..o.... ..... o..... .o. o. .o.",  # 20
    "..... ...... ...o... ..... o..... .o. o. .o.",  # 21
    "..... ...... ....o.. ..... o..... ..o o. .o.",  # 22
    "..... ...... .....o. ..... o..... ..o o. .o.",  # 23
    "o.... o..... o.....o ..... o..... ..o o. ..o",  # 24
    ".o... .o.... .o..... ..... o..... .o. o. .o.",  # 25
    "..o.. ..o... ..o.... ..... o..... .o. o. .o.",  # 26
    "...o. ...o.. ...o... ..... o..... o.. o. .o.",  # 27
    "....o ....o. ....o.. ..... o..... .o. o. .o.",  # 28
    "..... .....o .....o. .o... o..... .o. o. .o.",  # 29
    "..... ...... ......o .o... o..... .o. o. .o.",  # 30
    "..... ...... o...... ..... o..... .o. o. o..",  # 31
    "..... ...... .o..... ..... o..... .o. o. .o.",  # 32
    "..... ...... ..o.... ..... o..... .o. o. .o.",  # 33
    "..... o..... o..o... ..... o..... .o. o. o..",  # 34
    "..... .o.... .o..o.. ..... o..... ..o o. .o.",  # 35
    "..... ..o... ..o..o. ..... ...o.. ..o .o .o.",  # 36
    "..... ...o.. ...o..o ..... ...o.. ..o .o .o.",  # 37
    "..... ....o. ....o.. ..... ...o.. .o. .o .o.",  # 38
    "..... .....o .....o. ..... ...o.. .o. .o .o.",  # 39
    "..... ...... ......o ..... ...o.. .o. .o .o.",  # 40
    "..... ...... o...... ...o. ...o.. .o. .o o..",  # 41
    "..... ...... .o..... ...o. ...o.. .o. .o .o.",  # 42
    "..... ...... ..o.... ...o. ...o.. .o. .o .o.",  # 43
    "..... o..... o..o... ...o. ....o. .o. .o o..",  # 44
    "..... .o.... .o..o.. ...o. .....o ..o .o .o.",  # 45
    "..... .o.... .o..o.. ...oo .....o ... .o .o.",  # 46
    "..... .o.... .o..o.. ...oo .....o ... .o .o.",  # 47
    "..... .o.... .o..o.. ...oo ...o.. ... .o .o.",  # 48
    "..... .o.... .o..o.. ...oo ...o.. ... .o .o.",  # 49
    "..... .o.... .o..o.. ...o. ...o.. ... .o .o.",  # 50
    "..... .o.... .o..o.. ...o. ...o.. ..o .o .o.",  # 51
    "..... .o.... .o..o.. ...o. ...o.. ..o .o .o.",  # 52
    "..... .o.... .o..o.. ...o. o..... ..o o. .o.",  # 53
    "..... ..o... ..o..o. ...o. o..... ..o o. .o.",  # 54
    "o.... ...o.. ...o..o ...o. o..... ..o o. ..o",  # 55
    ".o... ....o. ....o.. ...o. ...o.. .o. .o .o.",  # 56
    "..o.. .....o .....o. ...o. ...o.. .o. .o .o.",  # 57
    "...o. ...... ......o ...o. ...o.. o.. .o .o.",  # 58
    "....o ...... ....... ..... ...o.. o.. .o .o.",  # 59
    "..... o..... ....... ..... ...o.. o.. .o .o.",  # 60
    "..... .o.... ....... ..... ...o.. o.. .o .o.",  # 61
    "..... ..o... ....... ..... ...o.. o.. .o .o.",  # 62
    "..... ...o.. ....... ..... ...o.. o.. .o .o.",  # 63
    "..... o...o. o...... ..... ....o. .o. .o o..",  # 64
    "o.... .o...o .o..... ..... .....o .o. .o ..o",  # 65
    ".o... ..o... ..o.... ..... o..... o.. o. .o.",  # 66
    "..o.. ...o.. ...o... ..... o..... o.. o. .o.",  # 67
    "...o. ....o. ....o.. ..... o..... .o. o. .o.",  # 68
    "....o .....o .....o. ..... .o.... .o. o. .o.",  # 69
    "..... ...... ......o .o... .o.... .o. o. .o.",  # 70
    "..... ...... o...... ..... ..o... .o. o. o..",  # 71
    "..... ...... .o..... ..... o..... .o. o. .o.",  # 72
    "..... ...... ..o.... ..... o..... .o. o. .o.",  # 73
    "..... o..... o..o... ..... o..... .o. o. o..",  # 74
    "..... .o.... .o..o.. ..... o..... ..o o. .o.",  # 75
    "..... ..o... ..o..o. ..... ...o.. ..o .o .o.",  # 76
    "..... ...o.. ...o..o ..... ...o.. ..o .o .o.",  # 77
    "..... ....o. ....o.. ..... ...o.. .o. .o .o.",  # 78
    "..... .....o .....o. ..... ...o.. .o. .o .o.",  # 79
    "..... ...... ......o ..... ...o.. .o. .o .o.",  # 80
    "..... ...... o...... ...o. ...o.. .o. .o o..",  # 81
    "..... ...... .o..... ...o. ...o.. .o. .o .o.",  # 82
    "..... ...... ..o.... ...o. ...o.. .o. .o .o.",  # 83
    "..... o..... o..o... ...o. ....o. .o. .o o..",  # 84
    "..... .o.... .o..o.. ...o. .....o ..o .o .o.",  # 85
    "..... .o.... .o..o.. ...oo .....o ... .o .o.",  # 86
    "..... .o.... .o..o.. ...oo .....o ... .o .o.",  # 87
    "..... .o.... .o..o.. ...oo ...o.. ... .o .o.",  # 88
    "..... .o.... .o..o.. ...oo ...o.. ... .o .o.",  # 89
    "..... .o.... .o..o.. ...o. ...o.. ... .o .o.",  # 90
    "..... .o.... .o..o.. ...o. ...o.. ..o .o .o.",  # 91
    "..... .o.... .o..o.. ...o. ...o.. ..o .o .o.",  # 92
    "..... .o.... .o..o.. ...o. ...o.. ..o .o .o.",  # 93
    "..... ..o... ..o..o. ...o. ...o.. ..o .o .o.",  # 94
    "o.... ...o.. ...o..o ...o. ...o.. ..o .o ..o",  # 95
    ".o... ....o. ....o.. ...o. o..... .o. o. .o.",  # 96
    "..o.. .....o .....o. ...o. .o.... .o. o. .o.",  # 97
    "...o. ...... ......o ...o. ..o... o.. o. .o.",  # 98
    "...o. ...... ......o ...o. ..o... o.. o. .o.",  # 99
    "...o. ...... ......o o..o. ..o... ... o. .o.",  # 100
    "...o. ...... ......o o..o. ..o... ... o. .o.",  # 101
    "...o. ...... ......o o..o. o..... ... o. .o.",  # 102
    "...o. ...... ......o o..o. o..... ... o. .o.",  # 103
    "...o. ...... ......o ...o. o..... ... o. .o.",  # 104
    "...o. ...... ......o ...o. o..... o.. o. .o.",  # 105
    "...o. ...... ......o ...o. o..... o.. o. .o.",  # 106
    "....o ...... ....... ...o. ...o.. o.. .o .o.",  # 107
    "..... o..... ....... ...o. ...o.. o.. .o .o.",  # 108
    "..... .o.... ....... ...o. ...o.. o.. .o .o.",  # 109
    "..... ..o... ....... ...o. ...o.. o.. .o .o.",  # 110
    "..... ...o.. ....... ...o. ...o.. o.. .o .o.",  # 111
    "..... ....o. ....... ...o. ...o.. .o. .o .o.",  # 112
    "..... .....o o...... ...o. ...o.. .o. .o o..",  # 113
    "o.... o..... .o..... ...o. ...o.. .o. .o ..o",  # 114
    ".o... .o.... ..o.... ...o. ...o.. o.. .o .o.",  # 115
    "..o.. ..o... ...o... ...o. o..... o.. o. .o.",  # 116
    "...o. ...o.. ....o.. ...o. o..... .o. o. .o.",  # 117
    "....o ....o. .....o. ...o. o..... .o. o. .o.",  # 118
    "..... .....o ......o ..... o..... .o. o. .o.",  # 119
]
ANIMATED = (
    ["im_enemy_x3y%d" % r for r in range(3, 8)]
    + ["im_enemy_x2y%d" % r for r in range(2, 8)]
    + ["im_enemy_x1y%d" % r for r in range(1, 8)]
    + ["im_hero_drown_x3", "im_enemy_drop_x3", "im_enemy_drop_x2", "im_enemy_drop_x1", "im_hero_drown_x1"]
    + ["im_rogue_x3y2", "im_rogue_x3y3", "im_rogue_x3y4", "im_rogue_x1y2", "im_rogue_x1y3", "im_rogue_x1y4"]
    + ["im_hero_x3", "im_hero_x2", "im_hero_x1", "im_rogue_x3y1", "im_rogue_x1y1"]
    + ["im_lady_1", "im_lady_2", "im_lady_3"]
)
TIMERS = ["Chance_Time", "Clock", "Game", "Game_Over", "Miss"]  # also the order of ties
SOUNDS = {"chance", "got", "miss1", "miss2", "tick"}


def enemy(lane, row):
    return "im_enemy_x%dy%d" % (lane, row)


# --- The model -------------------------------------------------------------------


class Timer:
    def __init__(self):
        self.enabled = False
        self.interval = 0
        self.deadline = 0


class Handheld:
    """The state record, five window-system timers, the LCD and the store."""

    def __init__(self, draw):
        self.draw = draw  # draw(lo, hi): a uniform integer lo..hi
        self.now = 0
        self.timers = {n: Timer() for n in TIMERS}
        self.lit = set()  # shown elements: segments, pressed buttons, la_pause
        self.digit_shown = [False] * 5
        self.digit = [None] * 5  # glyph shown by positions 1..4, None when blank
        self.sounds = []
        self.store = {}
        self.clock = (0, 0)
        self.game_mode = 0
        self.score = self.hi_a = self.hi_b = self.misses = 0
        self.half_miss = False
        self.hero = self.rogue_side = self.rogue_phase = self.thrower = 0
        self.start_offset = self.max_objects = 0
        self.tick_interval = 0.0
        self.cells = [[0] * 8 for _ in range(4)]
        self.moves = self.paused = self.saved_moves = False
        self.paused_timer = self.miss_step = self.chance_step = self.clock_frame = 0

    # Timers: a different interval or switching on restarts the countdown.
    def set_interval(self, name, ms):
        t = self.timers[name]
        if t.interval != ms:
            t.interval = ms
            if t.enabled:
                t.deadline = self.now + ms

    def enable(self, name, on=True):
        t = self.timers[name]
        if t.enabled != on:
            t.enabled = on
            if on:
                t.deadline = self.now + t.interval

    def wait(self, ms):
        end = self.now + ms
        while True:
            due = [(t.deadline, i, n) for i, (n, t) in enumerate(self.timers.items())
                   if t.enabled and t.interval > 0 and t.deadline <= end]
            if not due:
                break
            deadline, _, name = min(due)
            self.now = deadline
            self.timers[name].deadline += self.timers[name].interval
            {"Chance_Time": self.chance_timer, "Clock": self.clock_timer, "Game": self.game_timer,
             "Game_Over": self.game_over_timer, "Miss": self.miss_timer}[name]()
        self.now = end

    def stop_all(self):
        for n in TIMERS:
            self.enable(n, False)

    # LCD.
    def put(self, name, on):
        if on:
            self.lit.add(name)
        else:
            self.lit.discard(name)

    def show_all(self, on):
        for p in range(1, 5):
            self.digit_shown[p] = True
            self.digit[p] = [None, 1, 2, 0, 0][p] if on else None
        self.put("im_panel_time_am", on)
        self.put("im_panel_time_pm", False)
        for n in ("im_panel_time_colon", "im_panel_game_a", "im_panel_game_b"):
            self.put(n, on)
        self.panel_miss(3 if on else 0)
        for i in range(9):
            self.put("im_lady_%d" % i, on)
        for lane in (1, 2, 3):
            for row in range(lane, 8):
                self.put(enemy(lane, row), on)
            self.put("im_enemy_drop_x%d" % lane, on)
            self.put("im_hero_x%d" % lane, on)
        for s in (1, 3):
            self.put("im_hero_drown_x%d" % s, on)
            for p in range(1, 5):
                self.put("im_rogue_x%dy%d" % (s, p), on)

    def panel_miss(self, count):
        self.put("im_panel_miss_0", count > 0)
        for i in (1, 2, 3):
            self.put("im_panel_miss_%d" % i, count >= i)

    def panel_score(self, value, on):
        n = value % 1000
        self.digit[1] = None
        if not on:
            self.digit[2] = self.digit[3] = self.digit[4] = None
            return
        self.digit[2] = n // 100 % 10 if n >= 100 else None
        self.digit[3] = n // 10 % 10 if n >= 10 else None
        self.digit[4] = n % 10

    def show_rogue(self, side, pose):
        if side == 0:
            for s in (1, 3):
                for p in range(1, 5):
                    self.put("im_rogue_x%dy%d" % (s, p), False)
        elif side in (1, 3):
            for s in (1, 3):
                self.put("im_rogue_x%dy1" % s, s == side)
                for p in (2, 3, 4):
                    self.put("im_rogue_x%dy%d" % (s, p), s == side and p == pose)

    def show_dropped(self, lane):
        if lane <= 0:
            for i in (1, 2, 3):
                self.put("im_enemy_drop_x%d" % i, False)
        elif lane <= 3:
            self.put("im_enemy_drop_x%d" % lane, True)

    def lady_hand(self, lane):
        for i in (1, 2, 3):
            self.put("im_lady_%d" % i, i == lane)

    def play(self, sound):
        self.sounds.append(sound)

    # Modes.
    def set_mode(self):
        m = self.game_mode
        if m == 0:
            self.stop_all()
            self.play("silence")
            self.show_all(False)
            self.moves = False
            self.paused = False
            self.put("la_pause", False)
        elif m == 1:
            self.show_all(True)
        elif m == 2:
            self.stop_all()
            self.show_all(False)
            for n in ("im_lady_0", "im_lady_5", "im_lady_2", "im_panel_time_pm", "im_panel_time_colon"):
                self.put(n, True)
            self.digit[1:5] = [1, 2, 0, 0]
            self.moves = False
        elif m == 3:
            self.show_all(False)
            for n in ("im_lady_0", "im_lady_4", "im_lady_2", "im_panel_time_colon"):
                self.put(n, True)
            self.moves = False
            self.set_interval("Clock", 1)
            self.clock_frame = 0
            self.enable("Clock")
        elif m in (4, 6):
            self.stop_all()
            self.show_all(False)
            self.hero = 2
            self.put("im_hero_x2", True)
            self.moves = True
            if m == 4:
                self.put("im_panel_game_a", True)
                self.panel_score(self.hi_a, True)
            else:
                self.put("im_panel_game_b", True)
                self.panel_score(self.hi_b, True)
        elif m in (5, 7):
            self.score = 0
            self.panel_score(0, True)
            self.misses = 0
            self.half_miss = False
            self.cells = [[0] * 8 for _ in range(4)]
            for n in ("im_lady_0", "im_lady_2", "im_lady_4"):
                self.put(n, True)
            self.rogue_side = 3
            self.show_rogue(3, 2)
            self.rogue_phase = 0
            self.thrower = 1
            self.start_offset = self.draw(0, 2)
            self.tick_interval = 197.0
            self.difficulty()
            self.enable("Game")

    def difficulty(self):
        h, b = self.score // 100, self.score % 100
        self.max_objects = LIMITS[self.score]
        slow, knee, fast, knee_at = SPEED_ROWS[h]
        if b <= knee_at:
            v = slow + (knee - slow) * (self.score - 100 * h) / knee_at
        else:
            v = knee + (fast - knee) * (self.score - 100 * h - knee_at) / (100 - knee_at)
        target = v / 3 - 5
        self.tick_interval = 0.75 * self.tick_interval + 0.25 * target
        self.set_interval("Game", max(100, round(self.tick_interval)))

    # The game tick.
    def catch(self, lane):
        self.cells[lane][7] = 2
        self.score += 1
        if self.score == 999:
            self.score = 0
        self.panel_score(self.score, True)
        self.sound = "got"
        self.set_interval("Game", self.timers["Game"].interval + 100)
        self.check_chance()

    def throw(self, lane):
        self.cells[lane][lane] = 1
        self.hand = lane

    def game_timer(self):
        c = self.cells
        for lane in (1, 2, 3):
            if c[lane][7] == 2:
                c[lane][7] = 0
        self.difficulty()
        kind, self.sound, self.hand = 0, None, 2
        check = self.thrower + 1 if self.thrower < 3 else 1
        for i in (1, 2, 3):
            if c[i][7] == 1 and i == check and i != self.hero:
                c[i][7] = 0
                self.half_miss = not self.half_miss
                self.show_dropped(i)
                kind = 1
        if kind == 0:
            if c[self.hero][7] == 1:
                self.catch(self.hero)
            for i in (1, 2, 3):
                if c[i][7] == 3:
                    self.catch(i)
            if self.rogue_phase == 0:
                if self.game_mode == 7 and self.draw(0, 29) == 0:
                    self.rogue_side = 4 - self.rogue_side
                if self.score > 3 and self.draw(0, 13) == 0:
                    self.rogue_phase = 1
            elif self.rogue_phase == 1:
                if self.thrower == 3:
                    self.rogue_phase = 2
            else:
                self.rogue_phase += 1
                if self.rogue_phase == 6 and self.rogue_side == self.hero:
                    kind = 2
                if self.rogue_phase == 7:
                    self.rogue_phase = 0
        if kind == 0:
            lane = self.thrower
            for r in range(7, lane, -1):
                c[lane][r] = c[lane][r - 1]
            c[lane][lane] = 0
            count = sum(1 for l in (1, 2, 3) for r in range(l, 8) if c[l][r] != 0)
            if count < self.max_objects:
                if self.score > 3:
                    if self.draw(0, 5) in (0, 1):
                        self.throw(self.thrower)
                else:
                    self.thrower = (4 - self.score + self.start_offset) % 3 + 1
                    self.throw(self.thrower)
            if count == 0:
                self.throw(self.thrower)
            if c[self.thrower][self.thrower + 1] != 0:
                c[self.thrower][self.thrower] = 0
                self.hand = 2
            if c[self.hero][7] == 1:
                self.catch(self.hero)
            if any(c[self.thrower][r] != 0 for r in range(self.thrower, 8)) and self.sound != "got":
                self.sound = "tick"
            self.thrower = self.thrower - 1 or 3
        for lane in (1, 2, 3):
            for r in range(lane, 8):
                self.put(enemy(lane, r), c[lane][r] != 0)
        self.show_rogue(self.rogue_side, 2 if self.rogue_phase <= 2 else 3 if self.rogue_phase <= 5 else 4)
        self.lady_hand(self.hand)
        if kind:
            self.stop_all()
            if kind == 1:
                self.miss_step = 1
                self.set_interval("Miss", 1)
            else:
                self.moves = False
                self.miss_step = 11
                self.set_interval("Miss", 50)
                self.sound = "tick"
            self.enable("Miss")
        if self.sound:
            self.play(self.sound)

    def check_chance(self):
        if self.score in (200, 500) and self.misses > 0:
            self.stop_all()
            self.chance_step = 1
            self.set_interval("Chance_Time", 440)
            self.enable("Chance_Time")

    # Misses, chance time, game over.
    def back_to_game(self):
        self.difficulty()
        self.enable("Game")
        self.enable("Miss", False)

    def miss_timer(self):
        s = self.miss_step
        if s == 1:
            if not self.half_miss:
                self.misses += 1
                self.panel_miss(self.misses)
            self.play("miss1")
            self.set_interval("Miss", 360)
        elif s == 2:
            if self.misses >= 3:
                self.miss_step = 100
                self.set_interval("Miss", 1)
            else:
                if not self.half_miss:
                    self.show_dropped(0)
                self.back_to_game()
        elif s == 11:
            self.set_interval("Miss", 150)
        elif s == 12:
            self.play("miss2")
            self.put("im_hero_x%d" % self.hero, False)
            self.put("im_hero_drown_x%d" % self.hero, True)
            self.set_interval("Miss", 720)
        elif s == 13:
            self.rogue_phase = 0
            self.show_rogue(self.rogue_side, 2)
            self.set_interval("Miss", 330)
        elif s == 14:
            self.put("im_hero_drown_x%d" % self.hero, False)
            self.misses += 1
            self.panel_miss(self.misses)
            self.play("miss1")
            self.set_interval("Miss", 670)
        elif s == 15:
            if self.misses >= 3:
                self.miss_step = 100
                self.set_interval("Miss", 1)
            else:
                self.put("im_hero_x%d" % self.hero, True)
                self.moves = True
                self.back_to_game()
        elif s == 101:
            if self.game_mode == 5 and self.score > self.hi_a:
                self.hi_a = self.score
                self.store["HiScore1"] = str(self.score)
            if self.game_mode == 7 and self.score > self.hi_b:
                self.hi_b = self.score
                self.store["HiScore2"] = str(self.score)
            self.stop_all()
            self.set_interval("Game_Over", 30000)
            self.enable("Game_Over")
            self.game_mode = 8
            self.set_mode()
        self.miss_step += 1

    def chance_timer(self):
        if self.chance_step >= 20:
            self.misses = 0
            self.panel_miss(0)
            self.half_miss = False
            self.show_dropped(0)
            self.enable("Game")
            self.enable("Chance_Time", False)
        elif self.chance_step % 2:
            self.play("chance")
            self.panel_miss(self.misses)
            self.set_interval("Chance_Time", 225)
        else:
            self.panel_miss(0)
            self.set_interval("Chance_Time", 275)
        self.chance_step += 1

    def game_over_timer(self):
        self.game_mode = 3
        self.set_mode()
        self.enable("Game_Over", False)

    def clock_timer(self):
        h, m = self.clock
        if h >= 12:
            h -= 12
            self.put("im_panel_time_am", False)
            self.put("im_panel_time_pm", True)
        else:
            self.put("im_panel_time_am", True)
            self.put("im_panel_time_pm", False)
        if h == 0:
            h = 12
        self.digit[1] = h // 10 if h >= 10 else None
        self.digit[2], self.digit[3], self.digit[4] = h % 10, m // 10, m % 10
        self.clock_frame += 1
        if self.clock_frame > 119:
            self.clock_frame = 1
        flags = CLOCK_FRAMES[self.clock_frame - 1].replace(" ", "")
        for name, flag in zip(ANIMATED, flags):
            self.put(name, flag == "o")
        self.set_interval("Clock", 1000)

    # Start-up and controls.
    def start(self):
        def read(name):
            text = self.store.get(name, "")
            try:
                value = int(text, 10)
            except ValueError:
                return 0
            return value if 0 <= value <= 998 else 0  # a damaged store reads as no high score
        self.hi_a, self.hi_b = read("HiScore1"), read("HiScore2")
        self.paused = False
        self.put("la_pause", False)
        self.game_mode = 1
        self.set_mode()

    def enter(self, mode):
        self.game_mode = mode
        self.set_mode()

    def press(self, b):
        m = self.game_mode
        if b == "pause":
            if m in (5, 7):
                if not self.paused:
                    self.paused = True
                    self.saved_moves = self.moves
                    self.moves = False
                    for i, n in enumerate(["Chance_Time", "Game", "Game_Over", "Miss"], 1):
                        if self.timers[n].enabled:
                            self.enable(n, False)
                            self.paused_timer = i
                            break
                else:
                    self.paused = False
                    self.moves = self.saved_moves
                    if self.paused_timer:
                        self.enable(["Chance_Time", "Game", "Game_Over", "Miss"][self.paused_timer - 1])
            self.put("la_pause", self.paused)
            return
        button = "btn_%s_down" % b
        if b in ("left", "right"):
            if button in self.lit:
                return
            self.put(button, True)
            if m <= 3 or not self.moves:
                return
            if b == "left" and self.hero < 3:
                self.put("im_hero_x%d" % self.hero, False)
                self.hero += 1
                self.put("im_hero_x%d" % self.hero, True)
            if b == "right" and self.hero > 1:
                self.put("im_hero_x%d" % self.hero, False)
                self.hero -= 1
                self.put("im_hero_x%d" % self.hero, True)
            # The blow strikes only in a running game (a pose left from a
            # stopped game must not).
            if m in (5, 7) and self.rogue_phase == 6 and self.rogue_side == self.hero:
                self.stop_all()
                self.moves = False
                self.miss_step = 11
                self.set_interval("Miss", 1)
                self.enable("Miss")
            if self.moves and self.cells[self.hero][7] == 1:
                self.cells[self.hero][7] = 3
            return
        self.put(button, True)
        if b == "acl":
            self.enter(0)
        elif m in (1, 3, 8):
            self.enter({"game_a": 4, "game_b": 6, "time": 2}[b])

    def release(self, b):
        if b == "pause":
            return
        button = "btn_%s_down" % b
        if b == "acl":
            # A release whose press was never seen resets the handheld first.
            if button not in self.lit:
                self.enter(0)
            self.put(button, False)
            self.enter(1)
            return
        self.put(button, False)
        held = {"game_a": (4, 5), "game_b": (6, 7), "time": (2, 3)}.get(b)
        if held and self.game_mode == held[0]:
            self.enter(held[1])

    def show_line(self):
        timers = ",".join("%s:%d" % (n, t.interval) for n, t in self.timers.items() if t.enabled) or "-"
        panel = "".join(str(self.digit[p]) if self.digit_shown[p] and self.digit[p] is not None else " "
                        for p in range(1, 5))
        sounds = ",".join(self.sounds) or "-"
        self.sounds = []
        return ("t=%d mode=%d score=%d hi_a=%d hi_b=%d misses=%d half=%d hero=%d rogue=%d/%d paused=%d moves=%d "
                'panel="%s" timers=%s lit=%s sounds=%s'
                % (self.now, self.game_mode, self.score, self.hi_a, self.hi_b, self.misses, self.half_miss,
                   self.hero, self.rogue_side, self.rogue_phase, self.paused, self.moves, panel, timers,
                   ",".join(sorted(self.lit)) or "-", sounds))


# --- The player and the comparison ---------------------------------------------


def next_commands(hh, rng, skill):
    """What the player does next, from what the model knows."""
    m = hh.game_mode
    r = rng.random()
    if m in (1, 3, 8):
        if r < 0.03:
            return ["press time", "wait %d" % rng.randrange(0, 1500), "release time"]
        if r < 0.05:
            return ["clock %02d:%02d" % (rng.randrange(24), rng.randrange(60)), "wait %d" % rng.randrange(0, 2500)]
        if r < 0.07:
            return ["press " + rng.choice(["left", "right", "pause"]), "release left", "release right"]
        if r < 0.88 or m == 1:
            game = rng.choice(["game_a", "game_b"])
            out = ["press " + game, "wait %d" % rng.randrange(0, 300)]
            if rng.random() < 0.3:
                b = rng.choice(["left", "right"])
                out += ["press " + b, "release " + b]
            return out + ["release " + rng.choice([game, game, game, "game_a", "game_b"])]
        return ["wait %d" % rng.randrange(1, 31000)]
    if m == 0:
        return ["release acl"]
    if m == 2:
        return ["release time"]
    if m in (4, 6):
        return ["release " + ("game_a" if m == 4 else "game_b")]
    if hh.paused:
        return ["press pause"] if r < 0.3 else ["wait %d" % rng.randrange(1, 500)]
    mishaps = 0.0 if skill >= 0.99 else 0.015
    if r < mishaps * 0.15:
        return ["press acl", "wait %d" % rng.randrange(0, 300)] + (["release acl"] if rng.random() < 0.5 else [])
    if r < mishaps * 0.7 or r > 1 - 0.003:
        return ["press pause"]
    if r < mishaps:
        return ["press " + rng.choice(["time", "game_a", "game_b"]), "release time", "release game_a",
                "release game_b"]
    # Walk under the lowest falling object; the one waiting at the foot of the
    # hero's own lane is caught already.
    objects = [(lane, row) for lane in (1, 2, 3) for row in range(lane, 8)
               if hh.cells[lane][row] in (1, 3) and (lane, row) != (hh.hero, 7)]
    target = hh.hero
    if objects and rng.random() < skill:
        lowest = max(row for _, row in objects)
        target = rng.choice([lane for lane, row in objects if row == lowest])
    elif rng.random() < 1 - skill:
        target = rng.choice([1, 2, 3])
    out = []

    def walk(to, here):
        for _ in range(abs(to - here)):
            b = "left" if to > here else "right"
            out.append("press " + b)
            if rng.random() < 0.97:
                out.append("release " + b)

    if hh.rogue_phase >= 3 and target == hh.rogue_side and rng.random() < skill:
        # Winding up: an object waiting at the foot of his lane is marked by
        # stepping under it, and counts even when the hero steps out again.
        if hh.rogue_phase < 6 and hh.cells[target][7] == 1 and hh.hero != target:
            walk(target, hh.hero)
            walk(2, target)
            return out + ["wait %d" % rng.randrange(5, 120)]
        target = 2
    walk(target, hh.hero)
    return out + ["wait %d" % rng.randrange(5, 120)]


def apply(hh, command):
    words = command.split()
    if words[0] == "press":
        hh.press(words[1])
    elif words[0] == "release":
        hh.release(words[1])
    elif words[0] == "wait":
        hh.wait(int(words[1]))
    elif words[0] == "clock":
        h, m = words[1].split(":")
        hh.clock = (int(h), int(m))
    elif words[0] == "start":
        hh.start()
    elif words[0] == "store":
        hh.store[words[1]] = words[2]


def session(rng, steps):
    """Plays the model; returns the script and the state lines it expects."""
    pending = []

    def draw(lo, hi):
        value = rng.randrange(lo, hi + 1)
        pending.append(value)
        return value

    hh = Handheld(draw)
    skill = rng.choice([0.5, 0.9, 0.99, 1.0])
    script, expected = [], []
    opening = []
    for name in ("HiScore1", "HiScore2"):
        if rng.random() < 0.4:
            opening.append("store %s %s" % (name, rng.choice([str(rng.randrange(999)), "abc", "1000", "-3"])))
    opening += ["clock %02d:%02d" % (rng.randrange(24), rng.randrange(60)), "start"]
    plan = [opening] + [None] * steps
    for step in plan:
        commands = step if step is not None else next_commands(hh, rng, skill)
        for command in commands:
            pending.clear()
            apply(hh, command)
            if pending:
                script.append("draw " + " ".join(map(str, pending)))
            script.append(command)
        script.append("show")
        expected.append(hh.show_line())
    return script, expected


def differences(want, got):
    def fields(line):
        head, _, tail = line.partition(' panel="')
        panel, _, tail = tail.partition('" ')
        out = dict(w.partition("=")[::2] for w in (head + " " + tail).split())
        out["panel"] = panel
        return out
    a, b = fields(want), fields(got)
    return ["%s: model %s, hero-trace %s" % (k, a.get(k), b.get(k)) for k in a if a.get(k) != b.get(k)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--trace", required=True)
    parser.add_argument("--sessions", type=int, default=20)
    parser.add_argument("--steps", type=int, default=5000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--keep", default="/tmp")
    args = parser.parse_args()
    lines = failures = best = 0
    virtual_ms = 0
    for n in range(args.sessions):
        rng = random.Random(args.seed * 1_000_033 + n)
        script, expected = session(rng, args.steps)
        run = subprocess.run([args.trace, "-"], input="\n".join(script) + "\n", capture_output=True, text=True,
                             timeout=600)
        got = run.stdout.splitlines()
        lines += len(expected)
        best = max([best] + [int(l.split(" score=")[1].split()[0]) for l in expected])
        virtual_ms += int(expected[-1].split()[0][2:])
        bad = run.returncode != 0 or got != expected
        if bad:
            failures += 1
            path = os.path.join(args.keep, "reference_%d.trace" % n)
            with open(path, "w", encoding="utf-8") as f:
                f.write("\n".join(script) + "\n")
            print("session %d differs (script kept as %s)%s" % (n, path, run.stderr.strip() and ": " + run.stderr.strip()))
            for i, (w, g) in enumerate(zip(expected, got)):
                if w != g:
                    shows = [k for k, line in enumerate(script) if line == "show"]
                    print("  state line %d (script line %d):" % (i + 1, shows[i] + 1))
                    for d in differences(w, g):
                        print("    " + d)
                    break
            else:
                print("  hero-trace printed %d lines, the model %d" % (len(got), len(expected)))
    print("%d sessions, %d state lines compared, %.1f virtual hours, best score %d, %d differing"
          % (args.sessions, lines, virtual_ms / 3.6e6, best, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
