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
class Section:
    """A titled part of the help's footer in prose ("Undo:" and its paragraphs)."""
    title: str
    paragraphs: list


@dataclass
class Help:
    summary: str = ""
    usage: str = ""
    positionals: list = field(default_factory=list)
    options: list = field(default_factory=list)
    examples: list = field(default_factory=list)
    notes: list = field(default_factory=list)  # untitled paragraphs of the footer
    sections: list = field(default_factory=list)
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
    statuses = []
    for item in re.split(r"[,;]\s*(?=\d+\s)", body):
        im = re.fullmatch(r"(\d+)\s+(.*)", item.strip())
        if not im:
            return [], paragraph
        statuses.append(ExitStatus(int(im.group(1)), im.group(2)))
    rest = (paragraph[: m.start()] + paragraph[m.end():]).strip()
    return statuses, rest


def _kind(section, first):
    """What the lines of a section are, from its title and its first line."""
    if section == "Positionals":
        return "positionals"
    if section.startswith("Example"):
        return "examples"
    if re.match(r"Exit status", section, re.I):
        return "exit"
    return "options" if first.startswith("-") else "prose"


def parse(help_text):
    help = Help()
    section = kind = None
    paragraph = []
    current = None  # the entry that continuation lines extend

    def end_paragraph():
        if paragraph:
            text = " ".join(paragraph)
            (help.sections[-1].paragraphs if kind == "prose" else help.notes).append(text)
            paragraph.clear()

    for line in help_text.rstrip("\n").split("\n"):
        stripped = line.strip()
        indent = len(line) - len(line.lstrip())
        if not stripped:
            end_paragraph()
            current = None
            if kind == "examples":
                section = kind = None
        elif line.startswith("Usage:"):
            help.usage = line[len("Usage:"):].strip()
        elif indent == 0 and re.fullmatch(r"[A-Z][\w ]*:", line):
            end_paragraph()
            section, kind, current = line[:-1], None, None
        elif indent == 0:
            if not help.summary and not help.usage:
                help.summary = stripped
                continue
            if section is not None:
                end_paragraph()
                section = kind = None
            paragraph.append(stripped)
        elif section is None:
            paragraph.append(stripped)
        else:
            if kind is None:
                kind = _kind(section, stripped)
                if kind == "prose":
                    help.sections.append(Section(section, []))
            if kind == "prose":
                paragraph.append(stripped)
            elif indent > 2:
                if current is not None:
                    current.text = (current.text + " " + stripped).strip()
            elif kind == "examples":
                current = Example(stripped, "")
                help.examples.append(current)
            elif kind == "exit":
                head, text = _entry(line)
                current = ExitStatus(int(head), text) if head.isdigit() else None
                if current:
                    help.exit_statuses.append(current)
            else:
                head, text = _entry(line)
                current = _option(head, text, kind == "positionals")
                (help.positionals if kind == "positionals" else help.options).append(current)
    end_paragraph()

    for i, note in enumerate(help.notes):
        statuses, rest = _exit_statuses(note)
        if statuses:
            help.exit_statuses = statuses
            help.notes[i] = rest
    help.notes = [n for n in help.notes if n]

    if not help.options or not help.usage:
        raise ValueError("the help text has no usage line or no options; its layout changed")
    return help
