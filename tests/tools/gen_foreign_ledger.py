#!/usr/bin/env python3
"""Writes a ledger as another program would: the record layouts packed with struct,
the derived figures (per-type totals, purchase, balance, state, hit marks, day totals)
computed here independently. Two trees are written: EXPECTED (complete) and CLEARED
(the same with every derived field zeroed), so that settling CLEARED must give EXPECTED.

usage: gen_foreign_ledger.py EXPECTED_DIR CLEARED_DIR [SEED [MAX_MEETINGS]]
MAX_MEETINGS (default 4) bounds the meetings of each course and year.
"""
import os
import random
import struct
import sys

COURSES = [("sap", "sap", "rsa"), ("hak", "hak", "rhk"), ("fuk", "fuk", "rfu"), ("nii", "nii", "rni"),
           ("tok", "tok", "rto"), ("nak", "nak", "rna"), ("chu", "chu", "rch"), ("kyo", "kyo", "rky"),
           ("han", "han", "rhn"), ("kok", "kok", "rko")]
I32_MIN, I32_MAX = -2**31, 2**31 - 1


def sat(v):
    return max(I32_MIN, min(I32_MAX, v))


def trunc_div100(v):
    q = abs(v) // 100
    return q if v >= 0 else -q


def rand_text(rng, n):
    # Shift-JIS half-width katakana and ASCII, with garbage after the NUL sometimes.
    s = bytes(rng.choice(b"ABCDEFGH\xb1\xb2\xb3\xb4\xde") for _ in range(rng.randint(0, n - 1)))
    tail = bytes(rng.randrange(256) for _ in range(n - 1 - len(s))) if rng.random() < 0.2 else bytes(n - 1 - len(s))
    return s + b"\0" + tail


def make_race(rng):
    r = {}
    empty = rng.random() < 0.25
    r["koumoku"] = 0 if empty else rng.choice([20221111, 31313224, 40612131])
    r["kyori"] = 0 if empty else rng.choice([1200, 1600, 2000, 2500])
    def tickets(n, codes):
        k = rng.randint(0, n) if rng.random() < 0.6 else 0
        c = [rng.choice(codes) for _ in range(k)] + [0] * (n - k)
        g = [rng.choice([100, 200, 250, 1000, 3000]) for _ in range(k)] + [0] * (n - k)
        return c, g
    r["tan"] = tickets(5, range(1, 8))
    r["fuku"] = tickets(5, range(1, 8))
    r["waku"] = tickets(16, [11, 12, 23, 34, 44, 45])
    r["uma"] = tickets(50, [102, 103, 203, 304, 312])
    r["wide"] = tickets(20, [102, 103, 203, 304])
    has_result = rng.random() < 0.7
    def results(n, codes):
        if not has_result:
            return [0] * n, [0] * n
        k = rng.randint(1, n)
        c = [rng.choice(codes) for _ in range(k)] + [0] * (n - k)
        h = [rng.randint(11, 500) * 10 for _ in range(k)] + [0] * (n - k)
        return c, h
    r["tank"] = results(2, range(1, 8))
    r["fukuk"] = results(4, range(1, 8))
    r["wakuk"] = results(2, [11, 12, 23, 34, 44])
    r["umak"] = results(2, [102, 103, 203, 304, 312])
    r["widek"] = results(6, [102, 103, 203, 304])
    r["chakuUma"] = [rng.randint(0, 18) for _ in range(5)]
    r["chakuBamei"] = b"".join(rand_text(rng, 25) for _ in range(5))
    r["chakuText"] = b"".join(rand_text(rng, 10) for _ in range(5))
    r["shutsubaWaku"] = [0] * 18 if rng.random() < 0.5 else [(j // 2) + 1 for j in range(18)]
    r["bamei"] = b"".join(rand_text(rng, 25) for _ in range(18))
    r["kishu"] = b"".join(rand_text(rng, 20) for _ in range(18))
    r["kinryo"] = [rng.choice([0, 55, 57, 550, 575]) for _ in range(18)]
    r["comento"] = rand_text(rng, 124) if rng.random() < 0.3 else bytes(124)
    return r


def settle(r):
    """Per-type totals, purchase, return, state and the marked result codes."""
    tot = {t: sum(r[t][1]) for t in ("tan", "fuku", "waku", "uma", "wide")}
    purchase = sum(tot.values())
    if purchase != 0:
        state = 2
    elif (r["kyori"] or r["tank"][0][0] or r["fukuk"][0][0] or r["wakuk"][0][0] or r["umak"][0][0]
          or r["widek"][0][0] or r["shutsubaWaku"][0] or r["comento"][0] != 0):
        state = 1
    else:
        state = 0
    marked = {k: list(r[k][0]) for k in ("tank", "fukuk", "wakuk", "umak", "widek")}
    ret = 0
    order = [("tank", "tan", 100, s) for s in range(2)] + [("fukuk", "fuku", 100, s) for s in range(4)]
    for s in range(2):
        order += [("wakuk", "waku", 100, s), ("umak", "uma", 10000, s)]
    order += [("widek", "wide", 10000, s) for s in range(6)]
    for res, tic, marker, s in order:
        plain = marked[res][s] % marker
        marked[res][s] = plain
        if plain == 0:
            continue
        for code, stake in zip(*r[tic]):
            if code == plain:
                marked[res][s] = plain + marker
                ret += trunc_div100(stake) * r[res][1][s]
                state = state % 10 + 10
    return tot, sat(purchase), ret, state, marked


def pack_race(r, derived):
    out = bytearray(1892)
    struct.pack_into("<IH", out, 0, r["koumoku"], r["kyori"])
    def put(off_codes, off_gaku, fmt_codes, n, key):
        struct.pack_into("<%dH" % n, out, off_codes, *r[key][0])
        struct.pack_into("<%di" % n, out, off_gaku, *r[key][1])
    put(6, 16, "H", 5, "tan")
    put(40, 52, "H", 5, "fuku")
    put(76, 108, "H", 16, "waku")
    put(176, 276, "H", 50, "uma")
    put(480, 520, "H", 20, "wide")
    if derived:
        tot, _, _, _, marked = derived
        struct.pack_into("<i", out, 36, sat(tot["tan"]))
        struct.pack_into("<i", out, 72, sat(tot["fuku"]))
        struct.pack_into("<i", out, 172, sat(tot["waku"]))
        struct.pack_into("<i", out, 476, sat(tot["uma"]))
        struct.pack_into("<i", out, 600, sat(tot["wide"]))
    else:
        marked = {k: r[k][0] for k in ("tank", "fukuk", "wakuk", "umak", "widek")}
    for key, off, hoff, n in (("tank", 604, 608, 2), ("fukuk", 616, 624, 4), ("wakuk", 640, 644, 2),
                              ("umak", 652, 656, 2), ("widek", 664, 676, 6)):
        struct.pack_into("<%dH" % n, out, off, *marked[key])
        struct.pack_into("<%di" % n, out, hoff, *r[key][1])
    struct.pack_into("<5H", out, 700, *r["chakuUma"])
    out[710:835] = r["chakuBamei"]
    out[835:885] = r["chakuText"]
    struct.pack_into("<18H", out, 886, *r["shutsubaWaku"])
    out[922:1372] = r["bamei"]
    out[1372:1732] = r["kishu"]
    struct.pack_into("<18H", out, 1732, *r["kinryo"])
    out[1768:1892] = r["comento"]
    return bytes(out)


def pack_meeting(tsuki_hi, kai_nichi, names, results):
    out = bytearray(864)
    struct.pack_into("<HH", out, 0, tsuki_hi, kai_nichi)
    if results:
        kounyu = [res[1] for res in results]
        shushi = [sat(res[2] - res[1]) for res in results]
        state = [res[3] for res in results]
        struct.pack_into("<13i", out, 4, *kounyu, sat(sum(kounyu)))
        struct.pack_into("<13i", out, 56, *shushi, sat(sum(shushi)))
        struct.pack_into("<12H", out, 108, *state)
    for i, n in enumerate(names):
        out[132 + i * 61:132 + (i + 1) * 61] = n
    return bytes(out)


def write_ledgers(expected, cleared, rng, race=make_race, race_name=lambda rng: rand_text(rng, 61), max_meetings=4):
    """Writes the two trees (cleared may be None: only the settled one). `race` makes one
    race (a dict as make_race gives) and `race_name` one 61-byte race-name field; each
    course and year holds 0 to `max_meetings` meetings."""
    years = [2003, 2002, 2001]
    trees = [(expected, True)] + ([(cleared, False)] if cleared else [])
    for root, _ in trees:
        os.makedirs(os.path.join(root, "tovradatafile", "shukei"), exist_ok=True)
        os.makedirs(os.path.join(root, "tmp"), exist_ok=True)
        with open(os.path.join(root, "main.dat"), "wb") as f:
            f.write(struct.pack("<21H", *(years + [0] * (21 - len(years)))))
    for year in years:
        for folder, msuf, rsuf in COURSES:
            n = rng.randint(0, max_meetings)
            dates = sorted(rng.randint(1, 12) * 100 + rng.randint(1, 28) for _ in range(n))
            files = {root: ([], []) for root, _ in trees}
            for i, d in enumerate(dates):
                races = [race(rng) for _ in range(12)]
                derived = [settle(r) for r in races]
                names = [race_name(rng) for _ in range(12)]
                for root, settled in trees:
                    ms, rs = files[root]
                    ms.append(pack_meeting(d, (i // 8 + 1) * 100 + i % 8 + 1, names, derived if settled else None))
                    rs.append(b"".join(pack_race(r, dv if settled else None) for r, dv in zip(races, derived)))
            for root, (ms, rs) in files.items():
                d = os.path.join(root, "tovradatafile", folder)
                os.makedirs(d, exist_ok=True)
                with open(os.path.join(d, "%d%s.dat" % (year, msuf)), "wb") as f:
                    f.write(b"".join(ms) + bytes(864))
                with open(os.path.join(d, "%d%s.dat" % (year, rsuf)), "wb") as f:
                    f.write(b"".join(rs) + bytes(22704))


def main():
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 1)
    max_meetings = int(sys.argv[4]) if len(sys.argv) > 4 else 4
    write_ledgers(sys.argv[1], sys.argv[2], rng, max_meetings=max_meetings)


if __name__ == "__main__":
    main()
