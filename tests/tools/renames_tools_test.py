#!/usr/bin/env python3
"""The renames tool and the include-graph check on a small tree of their own: what is
renamed, what is left alone (strings, other classes' slots), that a second run changes
nothing, and which includes the layers refuse."""
import os
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "renames"))
sys.path.insert(0, os.path.join(ROOT, "tools"))
import apply  # noqa: E402
import include_graph  # noqa: E402

TABLE = """# a table of the same kinds as the real one
dir\tsrc/ledger\tsrc/storage
file\tsrc/forms/Mainunit.h\tsrc/ui/main/MainWindow.h
file\tsrc/forms/Mainunit.cpp\tsrc/ui/main/MainWindow.cpp
file\tsrc/forms/Raceunit.h\tsrc/ui/race/RaceWindow.h
class\tTMainForm\tMainWindow
class\tTRaceForm\tRaceWindow
slot\tTMainForm::W1Click\topenMeetingRegisterDialog
slot\tTMainForm::ToolBtn1Click\topenMeetingRegisterDialogFromToolbar
slot\tTRaceForm::ToolBtn1Click\topenRaceItemsDialog
member\tTMainForm::raceForm\traceWindow
symbol\tkaisaiTouroku\trunMeetingRegistration
objectname\tWidwSakujyoBtn\tWideSakujyoBtn
caption\tsrc/ui/race/RaceWindow.h\tﾚｰｽﾃﾞｰﾀ
"""

FILES = {
    "src/ledger/records.hpp": "#pragma once\nstruct KaisaiRecord {};\n",
    "src/forms/Raceunit.h": (
        "#pragma once\n#include \"ledger/records.hpp\"\n"
        "class TRaceForm : public QWidget {\n public slots:\n  void ToolBtn1Click();\n};\n"),
    "src/forms/Mainunit.h": (
        "#pragma once\n#include \"forms/Raceunit.h\"\n"
        "class TMainForm : public QMainWindow {\n public slots:\n  void W1Click();\n  void ToolBtn1Click();\n"
        "  TRaceForm* raceForm() const;\n private:\n  struct Row { int n; };\n  void helper(Row& r);\n"
        "  TRaceForm* race_ = nullptr;\n};\n"),
    "src/forms/Mainunit.cpp": (
        "#include \"forms/Mainunit.h\"\n#include \"ledger/records.hpp\"\n"
        "void kaisaiTouroku(TMainForm& m);\n"
        "void TMainForm::W1Click() { kaisaiTouroku(*this); setObjectName(\"W1Click\"); }\n"
        "// W1Click: the menu entry W1\n"
        "void TMainForm::ToolBtn1Click() { W1Click(); race_->ToolBtn1Click(); }\n"
        "TRaceForm* TMainForm::raceForm() const { return race_; }\n"
        "void TMainForm::helper(Row& r) { connect(b, &QPushButton::clicked, this, &TMainForm::W1Click); }\n"),
    "tests/gui/main_test.cpp": (
        "#include \"forms/Mainunit.h\"\n"
        "void t() {\n  TMainForm m;\n  m.ToolBtn1Click();\n  TRaceForm* f = m.raceForm();\n  f->ToolBtn1Click();\n"
        "  m.raceForm()->ToolBtn1Click();\n  click(&m, \"WidwSakujyoBtn\");\n  qDebug() << \"TMainForm\";\n}\n"),
}


def write_tree(root):
    for rel, text in FILES.items():
        path = os.path.join(root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as fh:
            fh.write(text)
    with open(os.path.join(root, "renames.tsv"), "w", encoding="utf-8") as fh:
        fh.write(TABLE)
    subprocess.run(["git", "init", "-q", root], check=True)
    subprocess.run(["git", "-C", root, "add", "-A"], check=True)
    subprocess.run(["git", "-C", root, "-c", "user.name=t", "-c", "user.email=t@t", "commit", "-qm", "tree"],
                   check=True)


def run_apply(root, *extra):
    return subprocess.run([sys.executable, os.path.join(ROOT, "tools", "renames", "apply.py"), "--root", root,
                           "--table", os.path.join(root, "renames.tsv"), "--no-format", *extra],
                          capture_output=True, text=True, check=True).stdout


def read(root, rel):
    with open(os.path.join(root, rel), encoding="utf-8") as fh:
        return fh.read()


class Lexing(unittest.TestCase):
    def test_segments_join_back_and_keep_strings_apart(self):
        cases = [
            ('#include "a/b.hpp"\n#include "c.hpp"\n', ["include", "include"]),
            ("int x = 1'000; char c = '\"'; // TMainForm\n", ["string", "comment"]),
            ('auto s = R"(x "y" )"; auto t = u8"z";\n', ["string", "string"]),
        ]
        for text, kinds in cases:
            segs = apply.split_cpp(text)
            self.assertEqual(apply.join(segs), text)
            self.assertEqual([k for k, _ in segs if k != "code"], kinds, text)


class ApplyOnATree(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.root = self.tmp.name
        write_tree(self.root)

    def tearDown(self):
        self.tmp.cleanup()

    def test_check_changes_nothing(self):
        out = run_apply(self.root, "--check")
        self.assertIn("git mv src/forms/Mainunit.h src/ui/main/MainWindow.h", out)
        self.assertTrue(os.path.exists(os.path.join(self.root, "src/forms/Mainunit.h")))
        self.assertEqual(read(self.root, "src/forms/Mainunit.cpp"), FILES["src/forms/Mainunit.cpp"])

    def test_renames_by_class_and_leaves_strings(self):
        run_apply(self.root)
        cpp = read(self.root, "src/ui/main/MainWindow.cpp")
        self.assertIn('#include "ui/main/MainWindow.h"', cpp)
        self.assertIn('#include "storage/records.hpp"', cpp)  # by the folder's `dir` line
        self.assertIn("void MainWindow::openMeetingRegisterDialog() { runMeetingRegistration(*this); "
                      'setObjectName("W1Click"); }', cpp)
        self.assertIn("// openMeetingRegisterDialog: the menu entry W1", cpp)
        # the main window's tool button and the race window's: two different names
        self.assertIn("{ openMeetingRegisterDialog(); race_->openRaceItemsDialog(); }", cpp)
        self.assertIn("&MainWindow::openMeetingRegisterDialog", cpp)
        self.assertIn("RaceWindow* MainWindow::raceWindow() const", cpp)
        test = read(self.root, "tests/gui/main_test.cpp")
        expected = ["m.openMeetingRegisterDialogFromToolbar();", "RaceWindow* f = m.raceWindow();",
                    "f->openRaceItemsDialog();", "m.raceWindow()->openRaceItemsDialog();",
                    'click(&m, "WideSakujyoBtn");', 'qDebug() << "TMainForm";', '#include "ui/main/MainWindow.h"']
        for e in expected:
            self.assertIn(e, test)
        header = read(self.root, "src/ui/race/RaceWindow.h")
        self.assertTrue(header.startswith("#pragma once\n// ﾚｰｽﾃﾞｰﾀ\n"), header)
        self.assertFalse(os.path.exists(os.path.join(self.root, "src/forms")))
        status = subprocess.run(["git", "-C", self.root, "status", "--short"], capture_output=True, text=True).stdout
        self.assertIn("src/forms/Mainunit.h -> src/ui/main/MainWindow.h", status)  # a git rename

    def test_a_second_run_changes_nothing(self):
        run_apply(self.root)
        out = run_apply(self.root)
        self.assertIn("Changed 0 files", out)
        self.assertNotIn("manual:", out)

    def test_include_graph_judges_the_moved_tree(self):
        # before the moves, through the table: the race window's header is below the main window
        graph = [sys.executable, os.path.join(ROOT, "tools", "include_graph.py"), "--root", self.root]
        r = subprocess.run(graph + ["--map", os.path.join(self.root, "renames.tsv")], capture_output=True, text=True)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        # a storage file that includes a window is refused
        with open(os.path.join(self.root, "src/ledger/records.hpp"), "a", encoding="utf-8") as fh:
            fh.write('#include "forms/Mainunit.h"\n')
        r = subprocess.run(graph + ["--map", os.path.join(self.root, "renames.tsv")], capture_output=True, text=True)
        self.assertEqual(r.returncode, 1)
        self.assertIn("includes ui/main/MainWindow.h (storage -> ui/main)", r.stdout)


class LayerRules(unittest.TestCase):
    def test_allowed(self):
        cases = [
            ("features/tally", "storage", True),
            ("features/tally", "domain", True),
            ("domain", "features/entry", False),
            ("storage", "domain", False),
            ("features/import/pat", "features/import", True),
            ("features/import", "features/import/pat", False),
            ("features/import/pat", "features/import/nifty", False),
            ("features/search", "features/tally", True),
            ("features/search", "features/print", False),
            ("features/tally", "features/main", False),
            ("features/print", "features/tally", True),
            ("features/export", "features/search", True),
            ("ui/tally", "adapters/qt/chart", True),
            ("cli", "adapters/qt/print", True),
            ("cli", "ui/main", False),
            ("ui/main", "ui/tally", True),
            ("ui/tally", "ui/main", False),
            ("ui/entry", "ui/widgets", True),
            ("adapters/qt/print", "ui/widgets", False),
            ("app", "ui/main", True),
            ("forms", "storage", False),
        ]
        for src, dst, ok in cases:
            self.assertEqual(include_graph.allowed(src, dst), ok, f"{src} -> {dst}")


if __name__ == "__main__":
    unittest.main(verbosity=1)
