#!/usr/bin/env python3
"""Applies tools/renames/renames.tsv to a checkout: moves files with `git mv`, rewrites the
#include lines that name them, and renames classes, slots, members and symbols as whole
identifiers. String literals are left alone (objectNames and user texts live there), except
the include paths of moved files and the one `objectname` line of the table.

    tools/renames/apply.py [--check] [--root DIR] [--table FILE] [--only KINDS]

--check lists what would change and changes nothing (exit 0 either way).

Two commits keep the history of every file readable (git sees each move as a rename):
    tools/renames/apply.py --only files            # git mv + #include lines; commit
    tools/renames/apply.py --only names,objectnames,captions   # identifiers; commit
Both steps leave a tree that builds once the CMake globs name the new folders. Running the tool
twice changes nothing the second time. A summary ends every run; the renames the tool could
not place (a call on a receiver whose type it cannot tell, a name that would collide) are
listed under "manual" with file and line, for a person to finish.
"""
import argparse
import os
import re
import subprocess
import sys
from collections import defaultdict

HERE = os.path.dirname(os.path.abspath(__file__))
CODE_EXT = (".cpp", ".h", ".hpp", ".cc")
TEXT_EXT = (".md",)
SCAN_DIRS = ("src", "tests", "fuzz", "bench", "docs")
IDENT = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")
INCLUDE_LINE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


# --------------------------------------------------------------------------- table


class Table:
    def __init__(self, path):
        self.dirs, self.files, self.classes, self.symbols = [], [], {}, {}
        self.members = []  # (old class, old name, new name, kind)
        self.objectnames, self.captions = {}, []
        with open(path, encoding="utf-8") as fh:
            for n, line in enumerate(fh, 1):
                line = line.rstrip("\n")
                if not line.strip() or line.startswith("#"):
                    continue
                parts = line.split("\t")
                if len(parts) < 3:
                    sys.exit(f"{path}:{n}: expected KIND<TAB>OLD<TAB>NEW")
                kind, old, new = parts[0], parts[1], parts[2]
                if kind == "dir":
                    self.dirs.append((old.rstrip("/"), new.rstrip("/")))
                elif kind == "file":
                    self.files.append((old, new))
                elif kind == "class":
                    self.classes[old] = new
                elif kind in ("slot", "member"):
                    cls, _, name = old.partition("::")
                    self.members.append((cls, name, new, kind))
                elif kind == "symbol":
                    self.symbols[old] = new
                elif kind == "objectname":
                    self.objectnames[old] = new
                elif kind == "caption":
                    self.captions.append((old, new))
                else:
                    sys.exit(f"{path}:{n}: unknown kind {kind}")


# --------------------------------------------------------------------------- lexing


def split_cpp(text):
    """Splits C++ text into (kind, text) segments: 'code', 'comment', 'string', 'include'.
    An include segment is the quoted path of an #include line (quotes excluded)."""
    out = []
    i, n, start = 0, len(text), 0
    at_line_start = True

    def flush(upto):
        if upto > start:
            out.append(("code", text[start:upto]))

    while i < n:
        c = text[i]
        if at_line_start:
            m = re.match(r'[ \t]*#[ \t]*include[ \t]*"([^"\n]*)"', text[i:])
            if m:
                flush(i)
                q = i + m.start(1)
                out.append(("code", text[i:q]))
                out.append(("include", m.group(1)))
                i = start = i + m.end(1)
                i += 1  # the closing quote belongs to the code that follows
                at_line_start = False
                continue
        if c == "\n":
            at_line_start = True
            i += 1
            continue
        if not c.isspace():
            at_line_start = False
        if text.startswith("//", i):
            flush(i)
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(("comment", text[i:j]))
            i = start = j
            continue
        if text.startswith("/*", i):
            flush(i)
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(("comment", text[i:j]))
            i = start = j
            continue
        m = re.match(r'(?:u8|u|U|L)?R"([^()\\ ]{0,16})\(', text[i:]) if c in 'uULR' else None
        if m and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            flush(i)
            end = text.find(")" + m.group(1) + '"', i + m.end())
            end = n if end < 0 else end + len(m.group(1)) + 2
            out.append(("string", text[i:end]))
            i = start = end
            continue
        if c == '"' or (c == "'" and char_literal_start(text, i)):
            flush(i)
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(("string", text[i:j]))
            i = start = j
            continue
        i += 1
    flush(n)
    return out


def char_literal_start(text, i):
    """A ' opens a character literal unless it is a digit separator (1'000, 0xFF'FF)."""
    if i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_"):
        return True
    # u'x', U'x', L'x', u8'x'
    k = i - 1
    while k >= 0 and (text[k].isalnum() or text[k] == "_"):
        k -= 1
    return text[k + 1:i] in ("u", "U", "L", "u8")


def blank_comments(segs):
    """The file with strings and comments blanked (same length): for matching braces."""
    return "".join(t if k == "code" else (" " * len(t) if k != "include" else t) for k, t in segs)


def include_runs(lines):
    """(start, end) of each run of consecutive `#include "..."` lines."""
    runs, i = [], 0
    while i < len(lines):
        if lines[i].startswith('#include "'):
            j = i
            while j < len(lines) and lines[j].startswith('#include "'):
                j += 1
            runs.append((i, j))
            i = j
        else:
            i += 1
    return runs


def resort_includes(old_text, new_text, own_header=None):
    """A run of project includes that was in order before its paths changed (one line out of
    place allowed: an include added at the end) is put in order again."""
    old_lines, new_lines = old_text.split("\n"), new_text.split("\n")
    if len(old_lines) != len(new_lines):
        return new_text
    for a, b in include_runs(old_lines):
        run = old_lines[a:b]
        descents = sum(1 for x, y in zip(run, run[1:]) if y < x)
        if descents <= 1 and include_runs(new_lines[a:b]) == [(0, b - a)]:
            own = 1 if own_header and own_header in new_lines[a] else 0  # a .cpp's own header stays first
            new_lines[a + own:b] = sorted(new_lines[a + own:b])
    return "\n".join(new_lines)


def join(segs):
    return "".join(t for _, t in segs)


# --------------------------------------------------------------------------- helpers


def git(root, *args, check=True):
    return subprocess.run(["git", "-C", root, *args], check=check, capture_output=True, text=True)


def line_of(text, pos):
    return text.count("\n", 0, pos) + 1


def walk_files(root):
    for top in SCAN_DIRS:
        base = os.path.join(root, top)
        for dp, dns, fns in os.walk(base):
            dns[:] = [d for d in dns if not d.startswith(".") and not d.startswith("build")]
            for f in fns:
                yield os.path.relpath(os.path.join(dp, f), root)
    for f in ("README.md",):
        if os.path.exists(os.path.join(root, f)):
            yield f


class Report:
    def __init__(self):
        self.counts = defaultdict(int)
        self.changed_files = set()
        self.manual = []
        self.notes = []

    def add(self, what, n=1):
        self.counts[what] += n


# --------------------------------------------------------------------------- file moves


def plan_moves(root, table, rep):
    """Returns [(old, new)] still to move and the include map (old → new, relative to src/)."""
    moves, include_map, named = [], {}, set()
    for old, new in table.files:
        named.add(old)
        if old.startswith("src/") and new.startswith("src/"):
            include_map[old[4:]] = new[4:]
        o, nw = os.path.join(root, old), os.path.join(root, new)
        if os.path.exists(o) and not os.path.exists(nw):
            moves.append((old, new))
        elif os.path.exists(o) and os.path.exists(nw):
            rep.manual.append(f"{old}: both it and {new} exist; not moved")
        elif not os.path.exists(o) and not os.path.exists(nw):
            rep.notes.append(f"{old}: gone from the tree; its line is skipped")
    for old_dir, new_dir in table.dirs:
        d = os.path.join(root, old_dir)
        if not os.path.isdir(d):
            continue
        for f in sorted(os.listdir(d)):
            old = f"{old_dir}/{f}"
            if old in named or not os.path.isfile(os.path.join(d, f)):
                continue
            new = f"{new_dir}/{f}"
            if old.startswith("src/"):
                include_map[old[4:]] = new[4:]
            if not os.path.exists(os.path.join(root, new)):
                moves.append((old, new))
                rep.notes.append(f"{old}: placed by its folder's `dir` line in {new_dir}/")
    return moves, include_map


def do_moves(root, moves, check, rep):
    for old, new in moves:
        rep.add("files moved")
        if check:
            print(f"git mv {old} {new}")
            continue
        os.makedirs(os.path.dirname(os.path.join(root, new)), exist_ok=True)
        tracked = git(root, "ls-files", "--error-unmatch", old, check=False).returncode == 0
        if tracked:
            git(root, "mv", old, new)
        else:
            os.rename(os.path.join(root, old), os.path.join(root, new))
    if not check:
        # empty folders left behind
        for dp in sorted((d for d, _, _ in os.walk(os.path.join(root, "src"))), key=len, reverse=True):
            if not os.listdir(dp):
                os.rmdir(dp)


# --------------------------------------------------------------------------- class model


CLASS_DEF = re.compile(r"\b(?:class|struct)\s+([A-Za-z_]\w*)\s*(?:final\s*)?(?::\s*([^{;]*))?\{")
MEMBER_DEF = re.compile(r"\b([A-Za-z_]\w*)\s*::\s*(~?[A-Za-z_]\w*)\s*\(")


def build_hierarchy(texts):
    """Base classes per class (names as written in the tree)."""
    bases = defaultdict(set)
    for text in texts.values():
        for m in CLASS_DEF.finditer(text):
            if m.group(2):
                for b in re.findall(r"(?:public|protected|private)?\s*([A-Za-z_][\w:]*)", m.group(2)):
                    bases[m.group(1)].add(b.split("::")[-1])
    return bases


def derives(cls, base, bases, seen=None):
    if cls == base:
        return True
    seen = seen or set()
    for b in bases.get(cls, ()):
        if b not in seen:
            seen.add(b)
            if derives(b, base, bases, seen):
                return True
    return False


def match_brace(text, i):
    """Index just past the brace that closes the one at i (len(text) when unbalanced)."""
    depth = 0
    for j in range(i, len(text)):
        if text[j] == "{":
            depth += 1
        elif text[j] == "}":
            depth -= 1
            if depth == 0:
                return j + 1
    return len(text)


class Scopes:
    """Which class a position of a file belongs to: the bodies of class definitions (nested
    ones included) and the member-function definitions `X::f(...) {` that follow each other."""

    def __init__(self, view):
        self.ranges, self.marks = [], []
        for m in CLASS_DEF.finditer(view):
            self.ranges.append((m.start(), match_brace(view, m.end() - 1), m.group(1)))
        for m in MEMBER_DEF.finditer(view):
            # a definition: the parameter list is followed by a body, an initializer list or
            # a qualifier, not by ';' or ',' (a call)
            j = view.find(")", m.end())
            k = j + 1
            while k < len(view) and view[k] in " \t\n":
                k += 1
            rest = view[k:k + 12]
            if rest.startswith(("{", ":", "const", "override", "noexcept")):
                self.marks.append((m.start(), m.group(1)))
        self.marks.sort()

    def at(self, pos):
        inside = [name for a, b, name in self.ranges if a <= pos < b]
        if inside:
            return inside
        found = None
        for p, c in self.marks:
            if p > pos:
                break
            found = c
        return [found] if found else []


def declared_types(code, known):
    """(position, name, class) of variables, members and functions declared with a known class."""
    if not known:
        return []
    alt = "|".join(sorted(map(re.escape, known), key=len, reverse=True))
    out = []
    for m in re.finditer(r"\b(" + alt + r")\b\s*(?:>\s*)*(?:const\b\s*)?[*&]*\s*(?:const\b\s*)?([A-Za-z_]\w*)", code):
        out.append((m.start(), m.group(2), m.group(1)))
    for m in re.finditer(r"\b([A-Za-z_]\w*)\s*=\s*[^;]*?<\s*(" + alt + r")\s*\*?\s*>", code):
        out.append((m.start(), m.group(1), m.group(2)))
    for m in re.finditer(r"\b([A-Za-z_]\w*)\s*=\s*new\s+(" + alt + r")\b", code):
        out.append((m.start(), m.group(1), m.group(2)))
    for m in re.finditer(r"\b([A-Za-z_]\w*)\s*=\s*&?\s*[^;]*?\bchild\s*<\s*(" + alt + r")\s*>", code):
        out.append((m.start(), m.group(1), m.group(2)))
    return out


def receiver_type(code, pos, decls):
    """The class of the receiver of a member access ending just before pos, or None."""
    j = pos
    while j > 0 and code[j - 1] in " \t\n":
        j -= 1
    if code.startswith("->", j - 2):
        j -= 2
    elif code[j - 1:j] == ".":
        j -= 1
    else:
        return None
    while j > 0 and code[j - 1] in " \t\n":
        j -= 1
    if code[j - 1:j] == ")":
        # a call: the name before its parentheses
        depth, k = 0, j - 1
        while k >= 0:
            if code[k] == ")":
                depth += 1
            elif code[k] == "(":
                depth -= 1
                if depth == 0:
                    break
            k -= 1
        j = k
        while j > 0 and code[j - 1] in " \t\n":
            j -= 1
    if code[j - 1:j] == ">":
        # `m.child<Foo>(...)` style: the type inside the brackets
        k = code.rfind("<", 0, j)
        t = code[k + 1:j - 1].strip(" *")
        return t or None
    m = re.search(r"([A-Za-z_]\w*)$", code[:j])
    if not m:
        return None
    name = m.group(1)
    if name == "this":
        return "this"
    before = [d for d in decls if d[1] == name and d[0] < pos]
    after = [d for d in decls if d[1] == name and d[0] >= pos]
    if before:
        return before[-1][2]
    if after:
        return after[0][2]
    return None


# --------------------------------------------------------------------------- renaming


class Renamer:
    def __init__(self, table, texts, rep):
        self.t, self.rep = table, rep
        self.cls_new = dict(table.classes)
        self.cls_old = {v: k for k, v in table.classes.items()}
        self.bases = build_hierarchy(texts)
        # every class known by either name
        self.known = set(self.cls_new) | set(self.cls_new.values()) | set(self.bases)
        for b in list(self.bases.values()):
            self.known |= b
        self.texts, self.include_map, self.decl_cache = texts, {}, {}
        self.own_decls = {}
        for p, t in texts.items():
            v = "".join(seg if k in ("code", "comment") else ('"' + " " * max(len(seg) - 2, 0) + '"' if k == "string"
                                                              else seg) for k, seg in split_cpp(t))
            self.own_decls[p] = declared_types(v, self.known)
        by_name = defaultdict(list)
        for cls, name, new, kind in table.members:
            by_name[name].append((cls, new))
        self.by_name = by_name

    def same_class(self, a, b):
        """a and b name the same class (one by its old and one by its new name)."""
        return a == b or self.cls_new.get(a) == b or self.cls_new.get(b) == a

    def is_a(self, cls, base):
        if cls is None:
            return False
        names = {cls, self.cls_new.get(cls, cls), self.cls_old.get(cls, cls)}
        targets = {base, self.cls_new.get(base, base)}
        return any(derives(c, t, self.bases) for c in names for t in targets)

    def member_target(self, name, cls):
        """The new name of member `name` for a receiver of class cls (None when not renamed)."""
        hits = [new for c, new in self.by_name.get(name, ()) if self.is_a(cls, c)]
        return hits[0] if len(set(hits)) == 1 else None

    def file_decls(self, path):
        """Declarations a file sees: its own and those of the files it includes directly
        (its own header above all: the members of its class)."""
        if path in self.decl_cache:
            return self.decl_cache[path]
        own = self.own_decls.get(path)
        if own is None:
            return []
        seen = list(own)
        for inc in INCLUDE_LINE.findall(self.texts.get(path, "")):
            inc = self.include_map.get(inc, inc)
            for cand in ("src/" + inc, "tests/" + inc, os.path.normpath(os.path.join(os.path.dirname(path), inc))):
                if cand in self.own_decls:
                    seen = [(-1, n, t) for _, n, t in self.own_decls[cand]] + seen
                    break
        self.decl_cache[path] = seen
        return seen

    def rename_code(self, path, segs):
        code_parts = [(i, t) for i, (k, t) in enumerate(segs) if k in ("code", "comment")]
        # a joined view of the code (strings blanked) for context questions
        view = "".join(t if k in ("code", "comment") else ('"' + " " * max(len(t) - 2, 0) + '"' if k == "string" else t)
                       for k, t in segs)
        offsets, pos = [], 0
        for k, t in segs:
            offsets.append(pos)
            pos += len(t)
        marks = Scopes(blank_comments(segs))
        decls = self.file_decls(path) or declared_types(view, self.known)
        member_names = set(self.by_name)
        sym_plain = {k: v for k, v in self.t.symbols.items() if "::" not in k}
        sym_qual = {k: v for k, v in self.t.symbols.items() if "::" in k}
        for idx, text in code_parts:
            base = offsets[idx]
            kind = segs[idx][0]
            out, last = [], 0
            for m in IDENT.finditer(text):
                word = m.group(0)
                new = None
                gpos = base + m.start()
                if word in self.cls_new:
                    new = self.cls_new[word]
                    self.rep.add("class names")
                elif word in sym_plain:
                    new = sym_plain[word]
                    self.rep.add("symbols")
                elif word in member_names:
                    new = self.member_new(path, view, gpos, word, marks, decls, kind)
                    if new:
                        self.rep.add("slots and members")
                if new and new != word:
                    out.append(text[last:m.start()])
                    out.append(new)
                    last = m.end()
            out.append(text[last:])
            new_text = "".join(out)
            for q_old, q_new in sym_qual.items():
                a, b = q_old.split("::", 1)
                new_text, cnt = re.subn(r"\b" + re.escape(a) + r"\s*::\s*" + re.escape(b) + r"\b", q_new, new_text)
                self.rep.add("symbols", cnt)
            segs[idx] = (kind, new_text)
        return segs

    def member_new(self, path, view, pos, word, marks, decls, seg_kind):
        cands = self.by_name[word]
        # qualified: Class::word
        m = re.search(r"([A-Za-z_]\w*)\s*::\s*$", view[max(0, pos - 80):pos])
        if m:
            q = m.group(1)
            new = self.member_target(word, q)
            if new is None and q not in self.known:
                return None
            return new
        prev = view[max(0, pos - 80):pos].rstrip()
        if prev.endswith("->") or (prev.endswith(".") and not prev.endswith("..")):
            rt = receiver_type(view, pos, decls)
            if rt == "this":
                for enc in marks.at(pos):
                    if self.member_target(word, enc):
                        return self.member_target(word, enc)
                rt = None
            if rt is not None:
                # None as well for a member of some other type (a Qt class, a struct)
                return self.member_target(word, rt)
            if len({n for _, n in cands}) == 1 and len(cands) == 1:
                return cands[0][1]
            self.rep.manual.append(f"{path}:{line_of(view, pos)}: `{word}` on a receiver of unknown type")
            return None
        # bare: inside a class body or member definition of a class that has it
        encs = marks.at(pos)
        for enc in encs:
            new = self.member_target(word, enc)
            if new:
                return new
        if seg_kind == "comment":
            # a comment outside any class: renamed when the file holds the class(es) it names
            owners = {n for c, n in cands if self.file_owns(view, c)}
            return owners.pop() if not encs and len(owners) == 1 else None
        if not encs and len(cands) == 1:
            # a free function of the file of that class (a lambda at namespace level and the like)
            return cands[0][1] if self.file_owns(view, cands[0][0]) else None
        if encs and not any(self.is_a(e, c) for e in encs for c, _ in cands):
            return None
        self.rep.manual.append(f"{path}:{line_of(view, pos)}: bare `{word}` outside a class that has it")
        return None

    def file_owns(self, view, cls):
        names = {cls, self.cls_new.get(cls, cls)}
        return any(re.search(r"\b" + re.escape(n) + r"\s*::", view) or re.search(r"\bclass\s+" + re.escape(n) + r"\b", view)
                   for n in names)


def collisions(table, texts, rep):
    """New names already present where they would land: reported, and the rename skipped."""
    skip = set()
    words = set()
    for t in texts.values():
        for k, seg in split_cpp(t):
            if k in ("code", "comment"):
                words.update(IDENT.findall(seg))
    for old, new in table.classes.items():
        if new in words and old in words:
            rep.manual.append(f"class {old} -> {new}: {new} already names something; skipped")
            skip.add(("class", old))
    for cls, name, new, kind in table.members:
        owners = [p for p, t in texts.items()
                  if re.search(r"\b" + re.escape(cls) + r"\s*::\s*" + re.escape(name) + r"\b", t)]
        for p in owners:
            t = texts[p]
            if re.search(r"\b" + re.escape(name) + r"\b", t) and re.search(r"(?<![\w.>])" + re.escape(new) + r"\s*\(", t) \
                    and not re.search(r"\b" + re.escape(cls) + r"\s*::\s*" + re.escape(new) + r"\b", t):
                rep.notes.append(f"{kind} {cls}::{name} -> {new}: `{new}(` already appears in {p}; check the build")
    return skip


# --------------------------------------------------------------------------- driver


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--root", default=os.path.abspath(os.path.join(HERE, "..", "..")))
    ap.add_argument("--table", default=os.path.join(HERE, "renames.tsv"))
    ap.add_argument("--check", action="store_true", help="list what would change; change nothing")
    ap.add_argument("--sort-includes", action="store_true",
                    help="put back in order the include runs that were in order (not built and tested yet)")
    ap.add_argument("--no-format", action="store_true", help="do not run clang-format on the rewritten code files")
    ap.add_argument("--only", default="files,names,objectnames,captions",
                    help="comma list of steps: files, names, objectnames, captions")
    args = ap.parse_args()
    root = os.path.abspath(args.root)
    steps = set(args.only.split(","))
    table = Table(args.table)
    rep = Report()

    moves, include_map = plan_moves(root, table, rep)
    if "files" in steps:
        do_moves(root, moves, args.check, rep)

    # In --check mode the files are still where they were: read them there.
    paths = sorted(set(walk_files(root)))
    texts = {}
    for p in paths:
        if p.endswith(CODE_EXT) or p.endswith(TEXT_EXT) or os.path.basename(p) == "CMakeLists.txt":
            with open(os.path.join(root, p), encoding="utf-8", errors="surrogateescape") as fh:
                texts[p] = fh.read()
    collisions(table, {p: t for p, t in texts.items() if p.endswith(CODE_EXT)}, rep)
    renamer = Renamer(table, {p: t for p, t in texts.items() if p.endswith(CODE_EXT)}, rep)
    renamer.include_map = include_map
    moved_new = {new: old for old, new in table.files}

    for p, text in texts.items():
        new_text = text
        if p.endswith(CODE_EXT):
            segs = split_cpp(text)
            if "files" in steps:
                for i, (k, t) in enumerate(segs):
                    if k == "include" and t in include_map:
                        segs[i] = (k, include_map[t])
                        rep.add("include lines")
            if "names" in steps:
                segs = renamer.rename_code(p, segs)
            if "objectnames" in steps:
                for i, (k, t) in enumerate(segs):
                    if k == "string":
                        for o, nw in table.objectnames.items():
                            if t == f'"{o}"':
                                segs[i] = (k, f'"{nw}"')
                                rep.add("objectName literals")
            new_text = join(segs)
            if "files" in steps and args.sort_includes:
                new_text = resort_includes(text, new_text, os.path.splitext(os.path.basename(p))[0] + ".h")
        elif p.endswith(TEXT_EXT) and "names" in steps and not p.endswith("glossary.md"):
            # prose: class names and symbols, and Class::slot written out
            def sub(m):
                w = m.group(0)
                if w in table.classes:
                    rep.add("class names")
                    return table.classes[w]
                return w
            for cls, name, new, kind in table.members:
                new_text = re.sub(r"\b" + re.escape(cls) + r"::" + re.escape(name) + r"\b", f"{cls}::{new}", new_text)
            if "files" in steps:
                # file paths written out in prose follow their files; folders are for a person
                for old, new in table.files:
                    new_text, cnt = re.subn(r"(?<![\w/])" + re.escape(old) + r"(?![\w/])", new, new_text)
                    rep.add("paths in prose", cnt)
            new_text = IDENT.sub(sub, new_text)
        # old paths still written out (CMake globs, prose): for a person to update
        if "files" in steps and os.path.basename(p) == "CMakeLists.txt":
            old_dirs = sorted({o.split("/")[1] for o, _ in table.files if o.startswith("src/")} |
                              {d.split("/")[1] for d, _ in table.dirs if d.startswith("src/")})
            pat = re.compile(r"(?<![\w-])(" + "|".join(map(re.escape, old_dirs)) + r")(?=[/ )\n])")
            for n, line in enumerate(new_text.splitlines(), 1):
                if pat.search(line) and not line.lstrip().startswith("#") and (
                        "GLOB" in line or "DIRS" in line or "SOURCE_DIR" in line):
                    rep.manual.append(f"{p}:{n}: a CMake line names an old folder: {line.strip()[:110]}")
        elif "files" in steps:
            old_dirs = sorted({os.path.dirname(o) + "/" for o, _ in table.files if o.startswith("src/")} |
                              {d + "/" for d, _ in table.dirs})
            for old_dir in old_dirs:
                for n, line in enumerate(new_text.splitlines(), 1):
                    if re.search(r"(?<![\w/])" + re.escape(old_dir), line) and \
                            not line.lstrip().startswith("#include") and not p.endswith("glossary.md"):
                        if p.endswith(CODE_EXT) and "#include" in line:
                            continue
                        rep.manual.append(f"{p}:{n}: names the old folder {old_dir!r}: {line.strip()[:100]}")
                        break
        if new_text != text:
            rep.changed_files.add(p)
            if args.check:
                print(f"rewrite {p}")
            else:
                with open(os.path.join(root, p), "w", encoding="utf-8", errors="surrogateescape") as fh:
                    fh.write(new_text)

    if "captions" in steps:
        for path, caption in table.captions:
            full = os.path.join(root, path)
            if args.check and not os.path.exists(full) and path in moved_new:
                full = os.path.join(root, moved_new[path])
            if not os.path.exists(full):
                rep.notes.append(f"caption: {path} does not exist")
                continue
            with open(full, encoding="utf-8") as fh:
                text = fh.read()
            first = caption.split(" / ")[0].split(" (")[0]
            if first in "\n".join(text.splitlines()[:3]):
                continue
            lines = text.split("\n")
            at = 1 if lines and lines[0].strip() == "#pragma once" else 0
            lines.insert(at, f"// {caption}")
            rep.add("captions written")
            rep.changed_files.add(path)
            if args.check:
                print(f"caption {path}: {caption}")
            else:
                with open(full, "w", encoding="utf-8") as fh:
                    fh.write("\n".join(lines))

    # long names may push lines past the column limit: the rewritten files are formatted again
    if not args.check and not args.no_format:
        code = sorted(os.path.join(root, p) for p in rep.changed_files if p.endswith(CODE_EXT) and os.path.exists(os.path.join(root, p)))
        fmt = subprocess.run(["which", "clang-format"], capture_output=True, text=True).stdout.strip()
        if fmt and code:
            for k in range(0, len(code), 50):
                subprocess.run([fmt, "-i", "--style=file", *code[k:k + 50]], cwd=root, check=True)
            rep.add("files formatted", len(code))
        elif code:
            rep.notes.append("clang-format not found: the rewritten files are not formatted again")

    # what is left in the old folders
    for old_dir in ("src/forms", "src/mainwindow", "src/ledger", "src/entry", "src/tally", "src/search", "src/print",
                    "src/export", "src/settings", "src/import"):
        d = os.path.join(root, old_dir)
        if os.path.isdir(d) and not args.check:
            for dp, _, fns in os.walk(d):
                for f in fns:
                    rep.manual.append(f"{os.path.relpath(os.path.join(dp, f), root)}: not placed by the table")
    for dp, _, fns in os.walk(os.path.join(root, "src")):
        for f in fns:
            if not args.check and (f.endswith("unit.cpp") or f.endswith("unit.h")):
                rep.manual.append(f"{os.path.relpath(os.path.join(dp, f), root)}: still named *unit")

    print(("Would change" if args.check else "Changed") + f" {len(rep.changed_files)} files:")
    for k in sorted(rep.counts):
        if rep.counts[k]:
            print(f"  {k}: {rep.counts[k]}")
    for n in rep.notes:
        print(f"note: {n}")
    seen = set()
    for m in rep.manual:
        if m not in seen:
            seen.add(m)
            print(f"manual: {m}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
