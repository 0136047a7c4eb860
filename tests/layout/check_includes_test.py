#!/usr/bin/python3
"""The include check itself: the tree as it stands passes; an include that
goes back up (each of the moves that made the order) fails, naming the file
and line; and the map may not drift from the CMakeLists.txt files' links or
from the table CONTRIBUTING.md shows."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CHECK = os.path.join(ROOT, "tools", "check_includes.py")


def run_check(root, files=()):
    return subprocess.run([sys.executable, CHECK, "--root", root, *files], capture_output=True, text=True)


class IncludeOrder(unittest.TestCase):
    def setUp(self):
        self.tree = tempfile.mkdtemp(prefix="hero-includes-")

    def tearDown(self):
        shutil.rmtree(self.tree, ignore_errors=True)

    def write(self, path, text):
        full = os.path.join(self.tree, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w") as f:
            f.write(text)
        return path

    def copy_with(self, path, old, new):
        """A copy of one of the project's files with one include changed."""
        with open(os.path.join(ROOT, path)) as f:
            text = f.read()
        self.assertIn(old, text, "the file no longer has the include the test reverts")
        return self.write(path, text.replace(old, new, 1))

    def test_the_tree_as_it_stands_passes(self):
        result = run_check(ROOT)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_reverting_a_moved_include_fails_and_names_the_line(self):
        # Each include below once went upward before its header moved down.
        for path, old, new in [
            ("display/skins/gfxinit.h", '#include "engine/installation_errors.h"',
             '#include "startup/program/HeroW.h"'),
            ("display/lcd/segment_display.h", '#include "display/lcd/segment_surface.h"',
             '#include "engine/interfaces.h"'),
            ("engine/engine.h", '#include "display/lcd/segment_display.h"', '#include "display/window/unit1.h"'),
            ("display/window/unit1.h", '#include "dialogs/keys/key_bindings.h"', '#include "dialogs/menus/menu.h"'),
        ]:
            with self.subTest(path=path):
                target = new.split('"')[1]
                self.write(target, "#pragma once\n")
                copy = self.copy_with(path, old, new)
                result = run_check(self.tree, [copy])
                self.assertEqual(result.returncode, 1, result.stdout)
                line = [n for n, text in enumerate(open(os.path.join(self.tree, copy)), 1) if new in text][0]
                self.assertIn("%s:%d: error:" % (copy, line), result.stdout)
                self.assertIn(target, result.stdout)

    def test_own_folder_lower_folders_system_and_generated_headers_pass(self):
        self.write("display/lcd/a.h", "#pragma once\n")
        self.write("engine/b.h", "#pragma once\n")
        source = self.write("display/window/c.cpp", '#include "display/window/c.h"\n#include "display/lcd/a.h"\n'
                            '#include "engine/b.h"\n#include <QtCore/QString>\n#include "release.h"\n'
                            '#include "QtWidgets/qwidget.h"\n')
        result = run_check(self.tree, [source])
        self.assertEqual(result.returncode, 0, result.stdout)

    def test_tests_may_include_anything_and_nothing_may_include_a_test(self):
        helper = self.write("tests/support/helper.h", "#pragma once\n")
        test = self.write("tests/window/t.cpp", '#include "startup/program/HeroW.h"\n')
        self.assertEqual(run_check(self.tree, [test]).returncode, 0)
        source = self.write("engine/e.cpp", '#include "%s"\n' % helper)
        result = run_check(self.tree, [source])
        self.assertEqual(result.returncode, 1)
        self.assertIn("engine/e.cpp:1: error:", result.stdout)

    def test_a_folder_outside_the_order_is_named(self):
        source = self.write("display/new/x.cpp", "int x;\n")
        result = run_check(self.tree, [source])
        self.assertEqual(result.returncode, 1)
        self.assertIn("display/new is not in the include map", result.stdout)

    def test_the_map_follows_the_build_and_the_contributing_guide(self):
        listings = subprocess.run(["git", "ls-files", "CMakeLists.txt", "*/CMakeLists.txt"], cwd=ROOT,
                                  capture_output=True, text=True, check=True).stdout.split()
        for path in listings + ["CONTRIBUTING.md"]:
            with open(os.path.join(ROOT, path)) as f:
                self.write(path, f.read())

        def check_whole_tree():
            subprocess.run(["git", "init", "-q", self.tree], check=True)
            subprocess.run(["git", "-C", self.tree, "add", "-A"], check=True)
            return run_check(self.tree)

        self.assertEqual(check_whole_tree().returncode, 0)
        # The engine linking the window, written in its CMakeLists.txt but not in the map.
        self.copy_with("engine/CMakeLists.txt", "PUBLIC hero_lcd", "PUBLIC hero_lcd hero_window")
        result = check_whole_tree()
        self.assertEqual(result.returncode, 1)
        self.assertIn("engine links display/lcd, display/window in its CMakeLists.txt, but the include map says "
                      "display/lcd", result.stdout)
        self.copy_with("engine/CMakeLists.txt", "PUBLIC hero_lcd", "PUBLIC hero_lcd")
        self.copy_with("CONTRIBUTING.md", "| `engine` | `hero_engine` | `display/lcd` |",
                       "| `engine` | `hero_engine` | `display/lcd`, `display/window` |")
        result = check_whole_tree()
        self.assertEqual(result.returncode, 1)
        self.assertIn("CONTRIBUTING.md:1: error: the include map differs", result.stdout)


if __name__ == "__main__":
    unittest.main()
