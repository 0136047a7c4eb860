#!/usr/bin/env python3
"""The include direction of the program's folders.

Each folder of the program's sources may include headers from its own folder
and from the folders below it in LAYERS, never from a folder above it: the
LCD's tables know nothing of the engine, the engine nothing of Qt, the
window nothing of the menus, and only the main routine knows everything.
Tests, benchmarks and the package checks stand above all and may include
anything.

    tools/check_includes.py [--root DIR] [FILE ...]

Without files, checks every C++ file git tracks under DIR (default: the
source tree this script lies in). Prints one line per offending include as
FILE:LINE: message, and exits 1 when there is any, else 0.
"""

import argparse
import os
import re
import subprocess
import sys

# Lowest first. A folder may include the folders before it.
LAYERS = [
    "display/lcd",          # element ids, segment tables, the segment surface (no Qt)
    "engine",               # the handheld's logic (no Qt)
    "display/files",        # INI reader, path resolver (no Qt)
    "dialogs/keys",         # key bindings, key codes, the key settings dialog
    "display/skins",        # pictures, scene, skin loader, zoom
    "startup/settings",     # the settings store on disk
    "startup/sound",        # the sound library layer and the beeps' back end
    "display/gamepad",      # pads and their mappings
    "display/window",       # the main window TForm1
    "assets",               # the built-in art's names
    "assets/generator",     # the asset generator
    "tools",                # hero-trace's parts, recording and replay
    "dialogs/menus",        # menus, preferences, manual viewer, about box
    "startup/application",  # the application object and the window system
    "startup/program",      # the main routine HeroW and the splash screen
    "tools/skin",           # hero-skin
]
# Folders above every layer: the tests, the benchmarks and the package's own
# checks, which look at the program from outside.
UNRESTRICTED = ("tests", "bench", "packaging")

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def folder_of(path):
    return os.path.dirname(path).replace(os.sep, "/")


def tracked_files(root):
    listed = subprocess.run(["git", "ls-files", "*.cpp", "*.h"], cwd=root, capture_output=True,
                            text=True, check=True)
    return listed.stdout.split()


def check(root, files):
    rank = {folder: n for n, folder in enumerate(LAYERS)}
    problems = []
    for path in files:
        folder = folder_of(path)
        if folder.split("/")[0] in UNRESTRICTED:
            continue
        if folder not in rank:
            problems.append("%s:1: error: the folder %s is not in the include order (tools/check_includes.py)"
                            % (path, folder or "."))
            continue
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                match = INCLUDE.match(line)
                if not match or "/" not in match.group(1):
                    continue
                target = folder_of(match.group(1))
                if target == folder or target not in rank and target.split("/")[0] not in UNRESTRICTED:
                    # System or generated headers ("release.h") and the folder's own.
                    if target != folder and os.path.exists(os.path.join(root, match.group(1))):
                        problems.append("%s:%d: error: %s is in a folder outside the include order"
                                        % (path, number, match.group(1)))
                    continue
                if target.split("/")[0] in UNRESTRICTED or rank[target] > rank[folder]:
                    problems.append("%s:%d: error: %s includes %s from %s, which lies above it"
                                    % (path, number, folder, match.group(1), target))
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--root", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser.add_argument("files", nargs="*")
    args = parser.parse_args()
    files = args.files or tracked_files(args.root)
    problems = check(args.root, files)
    for problem in problems:
        print(problem)
    if problems:
        print("include order: %d wrong include%s" % (len(problems), "" if len(problems) == 1 else "s"), file=sys.stderr)
        return 1
    print("include order: %d files, every include goes downward" % len(files))
    return 0


if __name__ == "__main__":
    sys.exit(main())
