#!/usr/bin/env python3
"""Writes multirename(1) from the hand-written page multirename.1.in and what the
built program's --help prints: summary, synopsis, options, notes, exit statuses and
examples. Usage: make_man.py PROGRAM TEMPLATE OUT.1 [OUT.1.gz]
SOURCE_DATE_EPOCH, when set, dates the page (reproducible builds)."""

import gzip
import os
import re
import sys
import time

import cli_help


def roff_text(text):
    """Plain text for a roff text line: backslashes kept, a leading dot or quote
    defused, the minus of an option kept a minus."""
    text = text.replace("\\", "\\e")
    text = re.sub(r"(?<![\w-])-", r"\\-", text)
    text = re.sub(r"(?<=\\-)-", r"\\-", text)
    return re.sub(r"^([.'])", r"\\&\1", text)


def code(text):
    """Text that is typed as it stands (options, commands): every hyphen a minus."""
    return text.replace("\\", "\\e").replace("-", "\\-")


def option_head(opt):
    names = ", ".join("\\fB%s\\fR" % code(n) for n in opt.names)
    if opt.arg:
        optional = opt.arg.startswith("[")
        arg = "\\fI%s\\fR" % code(opt.arg.strip("[]"))
        names += " [%s]" % arg if optional else " " + arg
    return names


def note_text(note):
    """CLI11's "Excludes: PATH --records Needs: --from" in words."""
    said = []
    for m in re.finditer(r"(Excludes|Needs):\s*((?:(?!Excludes:|Needs:)\S+\s*)+)", note):
        said.append(("not with " if m.group(1) == "Excludes" else "only with ") +
                    ", ".join(m.group(2).split()))
    return "(%s)" % "; ".join(said) if said else note


def options_section(help):
    out = []
    for pos in help.positionals:
        out += [".TP", "\\fI%s\\fR%s" % (pos.names[0], "..." if pos.many else "")]
        out.append(roff_text(pos.text))
    for opt in help.options:
        out += [".TP", option_head(opt), roff_text(opt.text)]
        if opt.note:
            out.append(roff_text(note_text(opt.note)))
    return out


def synopsis(help):
    words = help.usage.split()
    line = ".B " + code(words[0])
    rest = " ".join(words[1:])
    return [line, roff_text(rest)] if rest else [line]


def notes(help):
    """The footer's untitled paragraphs, then its titled ones as subsections."""
    out = []
    for note in help.notes:
        out += [".PP", roff_text(note)]
    for section in help.sections:
        out.append(".SS " + roff_text(section.title))
        for i, paragraph in enumerate(section.paragraphs):
            out += ([".PP"] if i else []) + [roff_text(paragraph)]
    return out


def exit_section(help):
    if not help.exit_statuses:
        return [".PP", "See above."]
    out = []
    for status in help.exit_statuses:
        out += [".TP", ".B %d" % status.status, roff_text(status.text)]
    return out


def examples_section(help):
    out = []
    for ex in help.examples:
        out += [".PP", ".nf", ".RS 4", "\\fB%s\\fR" % code(ex.command), ".RE", ".fi"]
        if ex.text:
            out += [".RS 8", roff_text(ex.text), ".RE"]
    return out


def page(template, help, version):
    stamp = int(os.environ.get("SOURCE_DATE_EPOCH", time.time()))
    summary = help.summary.rstrip(".")
    fills = {
        "DATE": time.strftime("%Y-%m-%d", time.gmtime(stamp)),
        "VERSION": version.split()[-1],
        "SUMMARY": roff_text(summary[:1].lower() + summary[1:]),
        "SYNOPSIS": "\n".join(synopsis(help)),
        "NOTES": "\n".join(notes(help)),
        "OPTIONS": "\n".join(options_section(help)),
        "EXIT_STATUS": "\n".join(exit_section(help)),
        "EXAMPLES": "\n".join(examples_section(help)),
    }

    def fill(m):
        return fills[m.group(1)]

    text = re.sub(r"@([A-Z_]+)@", fill, template)
    # A fill that came out empty leaves no stray paragraph behind.
    return re.sub(r"\n\.PP\n(?=\.PP\n|\.SH)", "\n", re.sub(r"\n\n+", "\n", text))


def main(argv):
    if len(argv) not in (4, 5):
        sys.exit(__doc__)
    program, template_path, out_path = argv[1:4]
    help_text, version = cli_help.run_help(program)
    with open(template_path, encoding="utf-8") as f:
        text = page(f.read(), cli_help.parse(help_text), version)
    with open(out_path, "w", encoding="utf-8") as f:
        f.write(text)
    if len(argv) == 5:
        # -9n as Debian wants it: no name, no time stamp in the header.
        with open(argv[4], "wb") as raw:
            with gzip.GzipFile(filename="", mode="wb", fileobj=raw, compresslevel=9,
                               mtime=0) as gz:
                gz.write(text.encode("utf-8"))


if __name__ == "__main__":
    main(sys.argv)
