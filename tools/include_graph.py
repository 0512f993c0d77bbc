#!/usr/bin/env python3
"""Checks that no #include under src/ runs up a layer or sideways where the layers forbid it.

    tools/include_graph.py [--root DIR] [--map tools/renames/renames.tsv] [--graph]

Every file belongs to the layer of its folder (the table below). A file may include
 - a file of its own folder, or of a folder above it within its layer (features/import/pat
   may include features/import, not the other way round);
 - any file of a lower layer;
 - a file of a sibling at the same level only where SIDEWAYS lists it.
--map reads a renames table and judges today's tree as if its files had moved already.
--graph prints the folder-to-folder edges with their counts.
Exit status 1 when an include breaks a rule (each is listed), 0 otherwise.
"""
import argparse
import os
import re
import sys
from collections import Counter

# The layers, lowest first. A folder's layer is the longest prefix that matches.
LAYERS = [
    ("storage", 0),   # bytes, CP932 text, records and their files, paths, lock, recovery, the ledger
    ("domain", 1),    # the racing rules over records: bet types, race state, settlement, money and race texts
    ("features", 2),  # what the user can do, one folder each: entry, tally, search, print, export, import/...
    ("adapters", 3),  # back ends to outside libraries (Qt print and charts), used by ui and cli
    ("ui", 3),        # Qt windows and dialogs by role
    ("cli", 3),       # tovra-cli
    ("app", 4),       # the program: builds the objects and passes them in
]

# Which sibling folders (same level, same layer) or sibling layers a folder may include.
# Keys and values are paths below src/; "*" allows every sibling.
SIDEWAYS = {
    "ui": {"adapters"},
    "cli": {"adapters"},
    # printing and exporting are over the results of tallies and searches (and the bets)
    "features/print": {"features/tally", "features/main", "features/bets"},
    "features/export": {"features/tally", "features/search", "features/main", "features/bets"},
    # searches walk the ledger with the tallies' year ranges and scan, and read the bets'
    # winning combinations
    "features/search": {"features/tally", "features/bets"},
    # the tallies count the bets' types beside the record's (their per-race figures)
    "features/tally": {"features/bets"},
    # the main window's views show the race entry's figures and the bets' all-types figures
    # (the main and race windows')
    "features/main": {"features/entry", "features/bets"},
    # the purchase history buys its lines by the purchase rules and the bets' checks, and
    # registers the meetings it names
    "features/import/ipat": {"features/entry", "features/bets"},
    # the adapters' chart back end writes its pictures through the print back end's app
    "adapters/qt/chart": {"adapters/qt/print"},
    # the main window opens every window and dialog; the others share widgets, common
    # plumbing, the print dialog and the race entry dialogs
    "ui/main": {"*"},
    "ui/race": {"ui/entry", "ui/print", "ui/widgets", "ui/common"},
    "ui/entry": {"ui/widgets", "ui/common"},
    "ui/tally": {"ui/print", "ui/widgets", "ui/common"},
    "ui/search": {"ui/widgets", "ui/common"},
    "ui/import": {"ui/widgets", "ui/common"},
    "ui/settings": {"ui/widgets", "ui/common"},
    "ui/print": {"ui/widgets", "ui/common"},
    "ui/widgets": {"ui/common"},
    "ui/common": {"ui/widgets"},
}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
SOURCE_EXT = (".cpp", ".hpp", ".h", ".cc")


def read_map(path):
    files, dirs = {}, []
    with open(path, encoding="utf-8") as fh:
        for line in fh:
            if line.startswith("#") or not line.strip():
                continue
            parts = line.rstrip("\n").split("\t")
            if len(parts) >= 3 and parts[0] == "file":
                files[parts[1]] = parts[2]
            elif len(parts) >= 3 and parts[0] == "dir":
                dirs.append((parts[1].rstrip("/"), parts[2].rstrip("/")))
    return files, dirs


def mapper(files, dirs):
    def to_new(p):
        if p in files:
            return files[p]
        for old, new in dirs:
            if os.path.dirname(p) == old:
                return new + "/" + os.path.basename(p)
        return p
    return to_new


def layer_of(folder):
    top = folder.split("/")[0]
    for name, rank in LAYERS:
        if top == name:
            return name, rank
    return None, None


def allowed(src_folder, dst_folder):
    """src_folder and dst_folder are paths below src/ (no file names)."""
    if dst_folder == src_folder or src_folder.startswith(dst_folder + "/"):
        return True  # own folder, or a folder above within the same tree
    sl, sr = layer_of(src_folder)
    dl, dr = layer_of(dst_folder)
    if sl is None or dl is None:
        return False
    if dr < sr:
        return True
    if sl != dl:
        return dl in SIDEWAYS.get(sl, ()) and dr == sr
    # the same layer: sideways between folders, judged from the deepest rule that applies
    node = src_folder
    while node:
        rule = SIDEWAYS.get(node)
        if rule is not None:
            if "*" in rule:
                return True
            return any(dst_folder == r or dst_folder.startswith(r + "/") for r in rule)
        node = os.path.dirname(node)
    return False


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--root", default=os.path.abspath(os.path.join(os.path.dirname(__file__), "..")))
    ap.add_argument("--map", help="a renames table: judge the tree as if its files had moved")
    ap.add_argument("--graph", action="store_true", help="print the folder edges with counts")
    args = ap.parse_args()
    src = os.path.join(args.root, "src")
    to_new = mapper(*read_map(args.map)) if args.map else (lambda p: p)

    files = []
    for dp, dns, fns in os.walk(src):
        dns.sort()
        for f in sorted(fns):
            if f.endswith(SOURCE_EXT):
                files.append(os.path.relpath(os.path.join(dp, f), args.root))
    present = set(files)

    bad, unplaced, edges = [], set(), Counter()
    for rel in files:
        new_rel = to_new(rel)
        folder = os.path.dirname(new_rel)[len("src/"):]
        if layer_of(folder)[0] is None:
            unplaced.add(rel)
            continue
        with open(os.path.join(args.root, rel), encoding="utf-8", errors="replace") as fh:
            text = fh.read()
        for m in INCLUDE.finditer(text):
            target = "src/" + m.group(1)
            if target not in present:
                continue  # a generated file, a system header, a test header
            dst_folder = os.path.dirname(to_new(target))[len("src/"):]
            edges[(folder, dst_folder)] += 1
            if not allowed(folder, dst_folder):
                line = text.count("\n", 0, m.start()) + 1
                shown = rel if new_rel == rel else f"{new_rel} (now {rel})"
                bad.append(f"{shown}:{line}: includes {to_new(target)[4:]}"
                           f" ({folder} -> {dst_folder})")

    if args.graph:
        for (a, b), n in sorted(edges.items()):
            if a != b:
                print(f"{a} -> {b}: {n}{'' if allowed(a, b) else '   FORBIDDEN'}")
    for f in sorted(unplaced):
        print(f"{f}: in no layer")
    for b in bad:
        print(b)
    print(f"{len(bad)} include(s) against the layers, {len(unplaced)} file(s) in no layer", file=sys.stderr)
    return 1 if bad or unplaced else 0


if __name__ == "__main__":
    sys.exit(main())
