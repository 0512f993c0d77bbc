#!/usr/bin/env python3
"""Compares a ledger after an interrupted command with the ledger before and after it.

usage: ledger_states.py BEFORE AFTER NOW

Every course of every year must read as before or as after the command, both of its
files together; main.dat likewise. The files of a year that NOW's main.dat no longer
lists may be gone (a deletion cut short), but each one still there is whole. Nothing
staged or committed may be left once the ledger has been opened again. Prints what
differs and exits 1, or exits 0.
"""
import os
import struct
import sys

COURSES = [("sap", "sap", "rsa"), ("hak", "hak", "rhk"), ("fuk", "fuk", "rfu"), ("nii", "nii", "rni"),
           ("tok", "tok", "rto"), ("nak", "nak", "rna"), ("chu", "chu", "rch"), ("kyo", "kyo", "rky"),
           ("han", "han", "rhn"), ("kok", "kok", "rko")]


def read(root, rel):
    try:
        with open(os.path.join(root, rel), "rb") as f:
            return f.read()
    except FileNotFoundError:
        return None


def years_of(main):
    if main is None or len(main) < 42:
        return set()
    return {y for y in struct.unpack("<21H", main[:42])[:20] if y}


def course_files(year, folder, msuf, rsuf):
    d = os.path.join("tovradatafile", folder)
    return os.path.join(d, "%d%s.dat" % (year, msuf)), os.path.join(d, "%d%s.dat" % (year, rsuf))


def main():
    before, after, now = sys.argv[1:4]
    errors = []
    for dirpath, _, names in os.walk(now):
        for n in names:
            if n.endswith(".tovra-new") or n.endswith(".tovra-commit"):
                errors.append("left behind: " + os.path.join(dirpath, n))
    mb, ma, mn = read(before, "main.dat"), read(after, "main.dat"), read(now, "main.dat")
    if mn not in (mb, ma):
        errors.append("main.dat is neither the old nor the new one")
    listed = years_of(mn)
    for year in sorted(years_of(mb) | years_of(ma)):
        for course in COURSES:
            m, r = course_files(year, *course)
            pair = (read(now, m), read(now, r))
            if pair in ((read(before, m), read(before, r)), (read(after, m), read(after, r))):
                continue
            if year not in listed and all(v is None or v == read(before, p) for v, p in zip(pair, (m, r))):
                continue  # a year being deleted: each file whole or gone
            errors.append("%d %s: the course is a mix of old and new (or damaged)" % (year, course[0]))
    for e in errors:
        print(e)
    sys.exit(1 if errors else 0)


if __name__ == "__main__":
    main()
