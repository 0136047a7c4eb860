#!/usr/bin/env python3
"""Which folder of the program may include which.

Each folder of the program's sources builds its own targets, and those link
the libraries of a few other folders (target_link_libraries). FOLDERS below
writes that down once: a file may include the headers of its own folder, of
the folders its targets link, and of whatever those link PUBLIC, as the
compiler would find them, and nothing else: the LCD's tables know nothing of
the engine, the engine nothing of Qt, the window nothing of the menus, and
only the main routine knows everything. Tests, benchmarks and the package
checks stand above all and may include anything.

    tools/check_includes.py [--root DIR] [FILE ...]
    tools/check_includes.py --map

Without files, checks every C++ file git tracks under DIR (default: the
source tree this script lies in), that FOLDERS says what the CMakeLists.txt
files link, and that CONTRIBUTING.md shows the map as --map prints it.
Prints one line per fault as FILE:LINE: message, and exits 1 when there is
any, else 0.
"""

import argparse
import os
import re
import subprocess
import sys

# Folder: (its targets, the folders whose libraries they link). Lowest first;
# "private" marks a link the folder's library keeps to itself (its users do
# not get it).
FOLDERS = {
    "display/lcd": (["hero_lcd"], []),
    "engine": (["hero_engine"], ["display/lcd"]),
    "display/files": (["hero_files"], ["engine"]),
    "dialogs/keys": (["hero_keys"], ["engine"]),
    "display/skins": (["hero_display"], ["display/files"]),
    "startup/settings": (["hero_settings"], ["engine"]),
    "startup/sound": (["hero_sound"], ["engine", "private display/files"]),
    "startup/session": (["hero_virtual", "hero_session"], ["engine", "display/files"]),
    "display/gamepad": (["hero_gamepad"], ["engine", "dialogs/keys"]),
    "display/window": (["hero_window"], ["engine", "dialogs/keys", "display/skins"]),
    "assets": (["hero_builtin_art"], []),
    "assets/generator": (["hero_assetgen_parts", "hero_assetgen"], ["display/lcd"]),
    "dialogs/menus": (["hero_dialogs"], ["engine", "display/files", "dialogs/keys", "display/skins", "startup/sound",
                                         "display/gamepad", "display/window", "assets"]),
    "startup/application": (["hero_application"], ["display/window"]),
    "startup/program": (["hero_program", "hero50"], ["dialogs/keys", "display/skins", "startup/settings",
                                                     "startup/sound", "startup/session", "display/gamepad",
                                                     "display/window", "assets", "dialogs/menus",
                                                     "startup/application"]),
    "tools": (["hero-trace"], ["startup/session"]),
    "tools/skin": (["hero_skinkit", "hero_skin"], ["display/skins", "startup/session", "assets/generator"]),
}
# Folders above every other: the tests, the benchmarks and the package's own
# checks, which look at the program from outside.
UNRESTRICTED = ("tests", "bench", "packaging")

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
MAP_BEGIN = "<!-- include map: written by tools/check_includes.py --map -->"
MAP_END = "<!-- end of the include map -->"


def links_of(folder):
    """The folders a folder's targets link: (name, public) pairs."""
    for link in FOLDERS[folder][1]:
        yield (link[len("private "):], False) if link.startswith("private ") else (link, True)


def includable(folder):
    """The folders whose headers a file in folder may include."""
    seen = {folder}
    todo = [name for name, _ in links_of(folder)]
    while todo:
        name = todo.pop()
        if name not in seen:
            seen.add(name)
            todo.extend(link for link, public in links_of(name) if public)
    return seen


def folder_of(path):
    return os.path.dirname(path).replace(os.sep, "/")


def tracked_files(root, *patterns):
    listed = subprocess.run(["git", "ls-files", *patterns], cwd=root, capture_output=True, text=True, check=True)
    return listed.stdout.split()


def check_includes(root, files):
    allowed = {folder: includable(folder) for folder in FOLDERS}
    problems = []
    for path in files:
        folder = folder_of(path)
        if folder.split("/")[0] in UNRESTRICTED:
            continue
        if folder not in FOLDERS:
            problems.append("%s:1: error: the folder %s is not in the include map (tools/check_includes.py)"
                            % (path, folder or "."))
            continue
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                match = INCLUDE.match(line)
                if not match or "/" not in match.group(1):
                    continue
                target = folder_of(match.group(1))
                if target in allowed[folder]:
                    continue
                if target not in FOLDERS and target.split("/")[0] not in UNRESTRICTED:
                    # System or generated headers ("release.h") are not the program's folders.
                    if os.path.exists(os.path.join(root, match.group(1))):
                        problems.append("%s:%d: error: %s is in a folder outside the include map"
                                        % (path, number, match.group(1)))
                    continue
                problems.append("%s:%d: error: %s includes %s, but %s does not link %s"
                                % (path, number, folder, match.group(1), folder, target))
    return problems


CMAKE_COMMAND = re.compile(r"\b(add_library|add_executable|target_link_libraries)\s*\(([^)]*)\)")
KEYWORDS = {"STATIC", "SHARED", "OBJECT", "INTERFACE", "PUBLIC", "PRIVATE", "WIN32"}


def cmake_links(root):
    """What the CMakeLists.txt files say: {target: folder} and {target: [(linked target, public)]}."""
    folders, links, programs = {}, {}, set()
    for listing in tracked_files(root, "CMakeLists.txt", "*/CMakeLists.txt"):
        base = folder_of(listing)
        if not base or base.split("/")[0] in UNRESTRICTED:
            continue
        with open(os.path.join(root, listing), encoding="utf-8") as f:
            text = "\n".join(re.sub(r"(^|\s)#.*$", "", line) for line in f)
        for command, arguments in CMAKE_COMMAND.findall(text):
            words = arguments.split()
            if not words:
                continue
            target, rest = words[0], words[1:]
            if command == "add_executable":
                programs.add(target)
            if command == "target_link_libraries":
                public = True
                for word in rest:
                    if word in KEYWORDS:
                        # Nothing links a program, so its links are as good as public.
                        public = word != "PRIVATE" or target in programs
                    else:
                        links.setdefault(target, []).append((word, public))
                continue
            for word in rest:
                source = word.replace("${CMAKE_CURRENT_LIST_DIR}/", "").replace("${CMAKE_CURRENT_SOURCE_DIR}/", "")
                if word in KEYWORDS or source.endswith(".h") or "$" in source:
                    continue
                folders[target] = folder_of(os.path.normpath(os.path.join(base, source)))
                break
    return folders, links


def check_map(root):
    """FOLDERS against the build's own links."""
    folders, links = cmake_links(root)
    problems = []
    mapped = {target: folder for folder, (targets, _) in FOLDERS.items() for target in targets}
    for target, folder in sorted(folders.items()):
        if mapped.get(target) != folder:
            problems.append("tools/check_includes.py:1: error: the target %s is built in %s, but the include map "
                            "places it in %s" % (target, folder, mapped.get(target, "no folder")))
    for folder in FOLDERS:
        said = {}
        for target in FOLDERS[folder][0]:
            for linked, public in links.get(target, []):
                if linked in folders and folders[linked] != folder:
                    said[folders[linked]] = said.get(folders[linked], False) or public
        written = dict(links_of(folder))
        if said != written:
            problems.append("tools/check_includes.py:1: error: %s links %s in its CMakeLists.txt, but the include "
                            "map says %s" % (folder, describe(said), describe(written)))
    return problems


def describe(links):
    return ", ".join(name if public else "private " + name for name, public in sorted(links.items())) or "nothing"


def include_map():
    """The map as CONTRIBUTING.md shows it: each folder with its targets and what it may include."""
    lines = ["| Folder | Targets | Links (and so may include) |", "|---|---|---|"]
    for folder, (targets, _) in FOLDERS.items():
        linked = ", ".join("`%s`%s" % (name, "" if public else " (private)") for name, public in links_of(folder))
        lines.append("| `%s` | %s | %s |" % (folder, ", ".join("`%s`" % t for t in targets), linked or "nothing"))
    return "\n".join(lines)


def check_contributing(root):
    path = os.path.join(root, "CONTRIBUTING.md")
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8") as f:
        text = f.read()
    begin, end = text.find(MAP_BEGIN), text.find(MAP_END)
    shown = text[begin + len(MAP_BEGIN):end].strip() if 0 <= begin < end else None
    if shown != include_map():
        return ["CONTRIBUTING.md:1: error: the include map differs from tools/check_includes.py --map "
                "(paste its output between the two markers)"]
    return []


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--root", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser.add_argument("--map", action="store_true", help="print the include map for CONTRIBUTING.md")
    parser.add_argument("files", nargs="*")
    args = parser.parse_args()
    if args.map:
        print(include_map())
        return 0
    if args.files:
        files, problems = args.files, []
    else:
        files = tracked_files(args.root, "*.cpp", "*.h")
        problems = check_map(args.root) + check_contributing(args.root)
    problems += check_includes(args.root, files)
    for problem in problems:
        print(problem)
    if problems:
        print("include map: %d fault%s" % (len(problems), "" if len(problems) == 1 else "s"), file=sys.stderr)
        return 1
    print("include map: %d files, every include follows a link" % len(files))
    return 0


if __name__ == "__main__":
    sys.exit(main())
