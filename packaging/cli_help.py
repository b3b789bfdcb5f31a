"""The help text of multirename read into options, examples and notes.

The man page and the shell completions are both made from what `multirename --help`
prints, so that neither can tell a different story from the program itself.
"""

import re
import subprocess
from dataclasses import dataclass, field

# CLI11 appends these to an option's head; they are notes, not part of its argument.
_HEAD_NOTES = re.compile(r"\s+((?:Excludes|Needs|REQUIRED|Default)\b.*)$")


@dataclass
class Option:
    names: list  # ["-t", "--text"]; a positional has its own name only
    arg: str = ""  # "I=TEXT", "FILE", "[JOURNAL]"; "" for a flag
    text: str = ""
    note: str = ""  # "Excludes: PATH"
    many: bool = False  # a positional that takes several values

    @property
    def long(self):
        return next((n for n in self.names if n.startswith("--")), self.names[0])

    @property
    def takes_file(self):
        return bool(re.search(r"FILE|JOURNAL|PATH|DIR", self.arg))

    def field_words(self):
        """For an argument "I=WORDS" whose text lists "WORDS: a, b:N, c[:X]", the
        words a completion offers: "a", "b:", "c"."""
        m = re.fullmatch(r"\[?\w+=(\w+)\]?", self.arg)
        if not m:
            return None
        listed = re.search(re.escape(m.group(1)) + r":\s*(.*)", self.text)
        if not listed:
            return []
        words = []
        for word in re.split(r",\s*", re.sub(r"^comma-separated\s+", "", listed.group(1))):
            word = re.sub(r"\[.*\]$", "", word.strip().rstrip("."))
            word = re.sub(r":[A-Z]+$", ":", word)
            if re.fullmatch(r"[a-z][\w:]*", word):
                words.append(word)
        return words


@dataclass
class Example:
    command: str
    text: str


@dataclass
class ExitStatus:
    status: int
    text: str


@dataclass
class Help:
    summary: str = ""
    usage: str = ""
    positionals: list = field(default_factory=list)
    options: list = field(default_factory=list)
    examples: list = field(default_factory=list)
    notes: list = field(default_factory=list)  # paragraphs of the footer
    exit_statuses: list = field(default_factory=list)


def run_help(program):
    """The program's help and version texts."""
    def run(flag):
        return subprocess.run([program, flag], check=True, capture_output=True,
                              text=True).stdout
    return run("--help"), run("--version").strip()


def _entry(line):
    """An indented "head   text" line: the head and the text after its padding."""
    m = re.match(r"^  (\S.*?)(?:\s{2,}(\S.*))?$", line)
    return (m.group(1), m.group(2) or "") if m else (line.strip(), "")


def _option(head, text, positional):
    note = ""
    m = _HEAD_NOTES.search(head)
    if m:
        note, head = m.group(1), head[: m.start()]
    parts = head.split()
    opt = Option(names=parts[0].split(","), text=text, note=note)
    rest = parts[1:]
    if positional:
        opt.many = "..." in rest
        opt.arg = ""
    else:
        opt.arg = " ".join(rest)
    return opt


def _exit_statuses(paragraph):
    """ "... Exit status: 0 done, 1 bad usage, 2 refused." into its statuses, and the
    paragraph without that sentence; none when it reads otherwise."""
    m = re.search(r"Exit status(?:es)?:\s*(.*?\.)(?=\s|$)(?!\S)", paragraph, re.S)
    if not m:
        return [], paragraph
    body = " ".join(m.group(1).split()).rstrip(".")
    items = re.split(r"[,;]\s*(?=\d+\s)", body)
    pairs = []
    for item in items:
        im = re.fullmatch(r"(\d+)\s+(.*)", item.strip())
        if not im:
            return [], paragraph
        pairs.append(ExitStatus(int(im.group(1)), im.group(2)))
    rest = (paragraph[: m.start()] + paragraph[m.end():]).strip()
    return pairs, rest


def parse(help_text):
    help = Help()
    lines = help_text.rstrip("\n").split("\n")
    section = None
    paragraph = []
    current = None  # the entry that continuation lines extend

    def end_paragraph():
        if paragraph:
            help.notes.append(" ".join(paragraph))
            paragraph.clear()

    for line in lines:
        if not line.strip():
            end_paragraph()
            current = None
            if section in ("Examples",):
                section = None
            continue
        if line.startswith("Usage:"):
            help.usage = line[len("Usage:"):].strip()
            continue
        if not line.startswith(" ") and re.fullmatch(r"[A-Z][\w ]*:", line):
            end_paragraph()
            section = line[:-1]
            current = None
            continue
        if not line.startswith(" "):
            if not help.summary and not help.usage:
                help.summary = line.strip()
            else:
                section = None
                paragraph.append(line.strip())
            continue
        indent = len(line) - len(line.lstrip())
        if section is None:
            paragraph.append(line.strip())
        elif section.startswith("Example"):
            if indent <= 2:
                current = Example(line.strip(), "")
                help.examples.append(current)
            elif current is not None:
                current.text = (current.text + " " + line.strip()).strip()
        elif indent <= 2:
            head, text = _entry(line)
            if re.match(r"Exit status", section, re.I) and head.isdigit():
                current = ExitStatus(int(head), text)
                help.exit_statuses.append(current)
            elif section == "Positionals" or head.startswith("-"):
                positional = section == "Positionals"
                current = _option(head, text, positional)
                (help.positionals if positional else help.options).append(current)
            else:
                paragraph.append("%s: %s" % (head, text))
                current = None
        elif current is not None:
            current.text = (current.text + " " + line.strip()).strip()
    end_paragraph()

    for i, note in enumerate(help.notes):
        pairs, rest = _exit_statuses(note)
        if pairs:
            help.exit_statuses = pairs
            help.notes[i] = rest
    help.notes = [n for n in help.notes if n]

    if not help.options or not help.usage:
        raise ValueError("the help text has no usage line or no options; its layout changed")
    return help
