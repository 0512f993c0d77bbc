#!/usr/bin/env python3
"""Writes the man page of tovra-cli from the tool's own `--help-all` text.

usage: help2man.py TOVRA_CLI VERSION OUT

The help text becomes the page: the lines before "Usage:" the description, the usage
line the synopsis, every line that starts at the margin and ends with ":" a heading, and
everything else verbatim. A help text that is empty or has no usage line is an error.
"""
import subprocess
import sys


def roff_text(line):
    """A line of verbatim text in roff: backslashes and minus signs kept, no requests."""
    text = line.replace("\\", "\\e").replace("-", "\\-")
    if text.startswith((".", "'")):
        text = "\\&" + text
    return text


def to_roff(help_text, version):
    lines = help_text.rstrip("\n").split("\n")
    usage = next((i for i, l in enumerate(lines) if l.startswith("Usage:")), None)
    if usage is None:
        raise ValueError("the help text has no usage line")
    description = [l for l in lines[:usage] if l.strip()]
    out = [
        '.TH TOVRA\\-CLI 1 "" "tovra %s" "User Commands"' % version,
        ".SH NAME",
        "tovra\\-cli \\- the command\\-line tool of the \\(lqトヴラ\\(rq betting ledger",
        ".SH SYNOPSIS",
        ".nf",
        roff_text(lines[usage][len("Usage:"):].strip()),
        ".fi",
    ]
    if description:
        out.append(".SH DESCRIPTION")
        out.extend(roff_text(l.strip()) for l in description)
    out.append(".SH OPTIONS AND COMMANDS")
    out.append(".nf")
    for line in lines[usage + 1:]:
        if line and not line[0].isspace() and line.rstrip().endswith(":"):
            out.extend([".fi", ".SS " + roff_text(line.rstrip()[:-1]), ".nf"])
        elif line.strip():
            out.append(roff_text(line.rstrip()))
        else:
            out.append("")
    out.append(".fi")
    return "\n".join(out) + "\n"


def main(argv):
    if len(argv) != 4:
        sys.stderr.write("usage: help2man.py TOVRA_CLI VERSION OUT\n")
        return 2
    tool, version, target = argv[1:]
    run = subprocess.run([tool, "--help-all"], capture_output=True, text=True, check=False)
    if run.returncode != 0 or not run.stdout.strip():
        sys.stderr.write("%s --help-all failed (%d): %s\n" % (tool, run.returncode, run.stderr))
        return 1
    try:
        page = to_roff(run.stdout, version)
    except ValueError as e:
        sys.stderr.write("%s\n" % e)
        return 1
    with open(target, "w", encoding="utf-8") as f:
        f.write(page)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
