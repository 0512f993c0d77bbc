#!/usr/bin/env python3
"""The CSV files of tovra-cli as a spreadsheet program's import reads them (Python's csv
module, UTF-8 with BOM): every race of a generated 3-year ledger (`export races`), year by
year, adds up to that year's 収支集計 (`tally shushi --csv`, row 全月, column 合計); the
header, the Japanese course names and the money as plain integers are checked on the way.

usage: csv_export_check.py TOVRA_CLI
"""
import csv
import io
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
COURSES = {"札幌", "函館", "福島", "新潟", "東京", "中山", "中京", "京都", "阪神", "小倉"}
RACES_HEADER = ["日付", "競馬場", "回", "日目", "R", "ﾚｰｽ名", "ﾚｰｽ項目", "馬券購入額", "回収金額", "収支", "的中"]
SHUSHI_HEADER = ["区分", "競馬場", "馬券購入額", "回収率", "回収金額", "収支", "的中率"]


def cli(tool, ledger, *args):
    r = subprocess.run([tool, "-C", ledger, *args], stdin=subprocess.DEVNULL, capture_output=True)
    if r.returncode != 0:
        sys.exit("tovra-cli %s: exit %d\n%s" % (" ".join(args), r.returncode, r.stderr.decode("utf-8", "replace")))
    return r.stdout


def table(data):
    """The rows as a spreadsheet import reads them; the BOM must lead."""
    assert data.startswith(b"\xef\xbb\xbf"), "no byte-order mark"
    return list(csv.reader(io.StringIO(data.decode("utf-8-sig"), newline="")))


def check_year(tool, ledger, work, year):
    out = os.path.join(work, "races_%d.csv" % year)
    cli(tool, ledger, "export", "races", "--range", str(year), "--out", out)
    with open(out, "rb") as f:
        rows = table(f.read())
    assert rows[0] == RACES_HEADER, rows[0]
    purchase = ret = balance = 0
    for row in rows[1:]:
        assert len(row) == len(RACES_HEADER), row
        assert row[0].startswith("%d/" % year), row
        assert row[1] in COURSES, row
        p, r, b = int(row[7]), int(row[8]), int(row[9])
        assert b == r - p, row
        assert row[10] in ("", "○"), row
        purchase, ret, balance = purchase + p, ret + r, balance + b
    shushi = table(cli(tool, ledger, "tally", "shushi", "--range", str(year), "--csv"))
    assert shushi[0] == SHUSHI_HEADER, shushi[0]
    total = [row for row in shushi[1:] if row[0] == "全月" and row[1] == "合計"]
    assert len(total) == 1, total
    expected = (int(total[0][2]), int(total[0][4]), int(total[0][5]))
    assert (purchase, ret, balance) == expected, "%d: races %r, tally %r" % (year, (purchase, ret, balance), expected)
    return len(rows) - 1


def main():
    tool = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory() as work:
        ledger = os.path.join(work, "ledger")
        subprocess.run([sys.executable, os.path.join(HERE, "gen_foreign_ledger.py"), ledger, "", "7"], check=True)
        counts = {year: check_year(tool, ledger, work, year) for year in (2001, 2002, 2003)}
        assert sum(counts.values()) > 0, counts
        # All years at once: the same races, in calendar order.
        rows = table(cli(tool, ledger, "export", "races", "--range", "all"))[1:]
        assert len(rows) == sum(counts.values())
        dates = [row[0] for row in rows]
        assert dates == sorted(dates)
    print("csv export: %s races per year add up to 収支集計" % counts)


if __name__ == "__main__":
    main()
