#!/usr/bin/env python3
"""A second, independent implementation of the ledger searches, written from the
description of the search files and rules (not from the C++ code): it reads a ledger
and writes the result list (96-byte records), the title and summary (512 bytes) and the
history lists exactly as the program must.

Used by search_compare.py; run alone:
  search_model.py LEDGER STATE race|horse TEXT [--from-history] [--range all|YYYY] [--hit-only]
  search_model.py LEDGER STATE stakes --grade 1|2|3 [...]
  search_model.py LEDGER STATE payout (--min L --max U | --manbaken) [...]
STATE is a folder holding this model's own tmp/ files (histories are read from it).
"""
import argparse
import os
import struct
import unicodedata

COURSES = [("sap", "sap", "rsa"), ("hak", "hak", "rhk"), ("fuk", "fuk", "rfu"), ("nii", "nii", "rni"),
           ("tok", "tok", "rto"), ("nak", "nak", "rna"), ("chu", "chu", "rch"), ("kyo", "kyo", "rky"),
           ("han", "han", "rhn"), ("kok", "kok", "rko")]
MEETING, BLOCK, RACE = 864, 22704, 1892


def cstr(field):
    """A NUL-terminated text of a fixed field (the whole field when it has no NUL)."""
    n = field.find(b"\0")
    return field if n < 0 else field[:n]


def char_starts(name):
    """Byte positions where the Shift-JIS characters of a name start."""
    i = 0
    while i < len(name):
        yield i
        lead = 0x81 <= name[i] <= 0x9F or 0xE0 <= name[i] <= 0xFC
        i += 2 if lead and i + 1 < len(name) else 1


def fold(text):
    """A CP932 text as (character, byte position) pairs, folded so that width does not
    count: katakana, Latin letters and digits are compared through their compatibility
    decomposition (ガ, ｶﾞ and カ゛ all become カ and the combining voiced mark), ー, ｰ and
    － are "-", and the full-width blank is a blank. Other characters stand for themselves."""
    out = []
    for p in char_starts(text):
        step = 2 if (0x81 <= text[p] <= 0x9F or 0xE0 <= text[p] <= 0xFC) and p + 1 < len(text) else 1
        try:
            ch = text[p:p + step].decode("cp932")
        except UnicodeDecodeError:
            out.append((text[p:p + step], p))
            continue
        cp = ord(ch)
        if cp in (0x30FC, 0xFF70, 0xFF0D):
            parts = "-"
        elif cp in (0x309B, 0x309C):  # the spacing voiced marks
            parts = chr(cp - 2)
        elif 0x30A1 <= cp <= 0x30F4 and cp not in (0x30EE, 0x30F0, 0x30F1) or 0xFF61 <= cp <= 0xFF9F \
                or 0xFF10 <= cp <= 0xFF19 or 0xFF21 <= cp <= 0xFF3A or 0xFF41 <= cp <= 0xFF5A or cp == 0x3000:
            parts = unicodedata.normalize("NFKD", ch)
        else:
            parts = ch
        out.extend((c, p) for c in parts)
    return out


def contains(name, text, last_start):
    n, t = fold(name), [c for c, _ in fold(text)]
    if not t:
        return False
    for i in range(len(n) - len(t) + 1):
        if n[i][1] > last_start:
            break
        if [c for c, _ in n[i:i + len(t)]] == t:
            return True
    return False


def cut(text, n):
    """The longest prefix of at most n bytes that ends on a character boundary."""
    end = 0
    for p in char_starts(text):
        step = 2 if (0x81 <= text[p] <= 0x9F or 0xE0 <= text[p] <= 0xFC) and p + 1 < len(text) else 1
        if p + step > n:
            break
        end = p + step
    return text[:end]


def years_of(root, rng):
    with open(os.path.join(root, "main.dat"), "rb") as f:
        table = struct.unpack("<21H", f.read(42).ljust(42, b"\0"))
    if rng != "all":
        return [int(rng)]
    out = []
    for y in table[:20]:
        if y == 0:
            break
        out.append(y)
    return out


def meetings(root, year, course):
    folder, msuf, rsuf = COURSES[course]
    with open(os.path.join(root, "tovradatafile", folder, "%d%s.dat" % (year, msuf)), "rb") as f:
        mdata = f.read()
    with open(os.path.join(root, "tovradatafile", folder, "%d%s.dat" % (year, rsuf)), "rb") as f:
        rdata = f.read()
    i = 0
    while (i + 1) * MEETING <= len(mdata):
        m = mdata[i * MEETING:(i + 1) * MEETING]
        tsuki_hi, kai_nichi = struct.unpack_from("<HH", m, 0)
        if tsuki_hi == 0:
            break
        block = rdata[i * BLOCK:(i + 1) * BLOCK].ljust(BLOCK, b"\0")
        yield i, m, block
        i += 1


def record(course, index, race, name, year, m):
    tsuki_hi, kai_nichi = struct.unpack_from("<HH", m, 0)
    out = struct.pack("<3i", course, index, race)
    out += cut(name, 60).ljust(61, b"\0")
    out += str(year).encode().ljust(7, b"\0")
    out += struct.pack("<4i", tsuki_hi // 100, tsuki_hi % 100, kai_nichi // 100, kai_nichi % 100)
    assert len(out) == 96
    return out


def payouts(race):
    """(payout, hit flag) of the 16 slots: 複勝 4, 単勝 2, 枠連 2, 馬連 2, ﾜｲﾄﾞ 6."""
    slots = []
    for keka_off, pay_off, n, unit in ((616, 624, 4, 100), (604, 608, 2, 100), (640, 644, 2, 100),
                                       (652, 656, 2, 10000), (664, 676, 6, 10000)):
        keka = struct.unpack_from("<%dH" % n, race, keka_off)
        pay = struct.unpack_from("<%di" % n, race, pay_off)
        slots += [(pay[k], keka[k] // unit == 1) for k in range(n)]
    return slots


def hits(args, m, block, r):
    race = block[r * RACE:(r + 1) * RACE]
    race_name = cstr(m[132 + r * 61:132 + (r + 1) * 61])
    if args.kind == "race":
        if contains(race_name, args.cp932, 59):
            yield race_name, None
    elif args.kind == "horse":
        for place in range(5):
            bamei = cstr(race[710 + place * 25:710 + (place + 1) * 25])
            if contains(bamei, args.cp932, 29):
                yield bamei, None
    elif args.kind == "stakes":
        koumoku = struct.unpack_from("<I", race, 0)[0]
        if koumoku != 0 and (koumoku % 10000000) // 100000 == {1: 9, 2: 8, 3: 7}[args.grade]:
            yield race_name, None
    else:
        for slot, (pay, hit) in enumerate(payouts(race)):
            selected = pay >= 10000 if args.manbaken else int(args.min) <= pay <= int(args.max)
            if selected and (not args.hit_only or hit):
                yield race_name, struct.pack("<ii", slot, pay)


def summary(args, count):
    rng = "全データ" if args.range == "all" else "%s年" % args.range
    hit = "的中ﾚｰｽのみ" if args.hit_only else " "
    head = "検索範囲： %s      %s\n\n" % (rng, hit)
    tail = "\n\n %d個のﾃﾞｰﾀが見つかりました。" % count
    if args.kind == "race":
        return "ﾚｰｽ名検索終了", (head + "検索ﾚｰｽ名 (文字列 )： ").encode("cp932") + args.cp932 + tail.encode("cp932")
    if args.kind == "horse":
        return "馬名検索終了", (head + "検索馬名 (文字列 )： ").encode("cp932") + args.cp932 + tail.encode("cp932")
    if args.kind == "stakes":
        grade = ["ＧⅠ", "ＧⅡ", "ＧⅢ"][args.grade - 1]
        return "重賞検索終了", (head + "検索重賞： " + grade + tail).encode("cp932")
    amount = "万馬券" if args.manbaken else "%d円 ～ %d円" % (int(args.min), int(args.max))
    return "ﾚｰｽ結果配当検索終了", (head + "検索配当金額： " + amount + tail).encode("cp932")


def run(ledger, state, argv):
    p = argparse.ArgumentParser()
    p.add_argument("kind", choices=["race", "horse", "stakes", "payout"])
    p.add_argument("text", nargs="?")
    p.add_argument("--from-history", action="store_true")
    p.add_argument("--range", default="all")
    p.add_argument("--hit-only", action="store_true")
    p.add_argument("--grade", type=int)
    p.add_argument("--min")
    p.add_argument("--max")
    p.add_argument("--manbaken", action="store_true")
    args = p.parse_args(argv)
    tmp = os.path.join(state, "tmp")
    os.makedirs(tmp, exist_ok=True)
    if args.kind in ("race", "horse"):
        args.cp932 = args.text.encode("cp932")
        if not args.from_history:
            path = os.path.join(tmp, "kensakurace.tmp" if args.kind == "race" else "kensakubaname.tmp")
            old = open(path, "rb").read() if os.path.exists(path) else b""
            old = old[:640].ljust(640, b"\0")
            with open(path, "wb") as f:
                f.write(args.cp932.ljust(64, b"\0") + old[:576])
    out = bytearray()
    notes = bytearray()
    count = 0
    for year in years_of(ledger, args.range):
        for course in range(10):
            for index, m, block in meetings(ledger, year, course):
                states = struct.unpack_from("<12H", m, 108)
                for r in range(12):
                    if states[r] % 10 == 0 or (args.hit_only and (states[r] // 10) % 10 != 1):
                        continue
                    for name, note in hits(args, m, block, r):
                        out += record(course, index, r, name, year, m)
                        notes += note or b""
                        count += 1
    with open(os.path.join(tmp, "kensakukeka.tmp"), "wb") as f:
        f.write(out)
    # Beside a payout search's list: slot (0-15) and payout of each record, 8 bytes.
    notes_path = os.path.join(tmp, "kensakuhaitou.tmp")
    if args.kind == "payout":
        with open(notes_path, "wb") as f:
            f.write(notes)
    elif os.path.exists(notes_path):
        os.remove(notes_path)
    title, summ = summary(args, count)
    with open(os.path.join(tmp, "kensakutext.tmp"), "wb") as f:
        f.write(title.encode("cp932").ljust(256, b"\0") + summ[:255].ljust(256, b"\0"))
    return count


if __name__ == "__main__":
    import sys
    print(run(sys.argv[1], sys.argv[2], sys.argv[3:]))
