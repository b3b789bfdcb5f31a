#!/usr/bin/env python3
"""Writes the bash, zsh and fish completions of multirename from what the built
program's --help prints, so that they offer exactly its options.
Usage: make_completions.py PROGRAM OUT.bash OUT.zsh OUT.fish

What each option takes follows from its argument in the help: FILE, JOURNAL and the
like complete file names; a field form "I=WORDS" whose text lists "WORDS: a, b:N"
completes those words after "I=" (comma-separated); anything else is free text."""

import re
import sys

import cli_help

HEADER = "# {shell} completion for multirename, made from its --help by make_completions.py.\n"


def kind(opt):
    """'flag', 'file', 'words' or 'text'."""
    if not opt.arg:
        return "flag"
    if opt.field_words():
        return "words"
    return "file" if opt.takes_file else "text"


def short_text(opt):
    """The help text up to its first ';', for the shells that show one line."""
    return opt.text.split(";")[0].strip()


def bash(help):
    words_cases, file_opts, text_opts = [], [], []
    for opt in help.options:
        k = kind(opt)
        names = "|".join(opt.names)
        if k == "words":
            words_cases.append("        %s)\n            _multirename_words %s\n            return\n"
                               "            ;;\n" % (names, " ".join(opt.field_words())))
        elif k == "file":
            file_opts += opt.names
        elif k == "text":
            text_opts += opt.names
    every = " ".join(n for opt in help.options for n in opt.names)
    cases = "".join(words_cases)
    if file_opts:
        cases += "        %s)\n            _filedir\n            return\n            ;;\n" % "|".join(
            file_opts)
    if text_opts:
        cases += "        %s)\n            return\n            ;;\n" % "|".join(text_opts)
    return HEADER.format(shell="bash") + r"""
# After "I=" of a field form: the words listed after the last ',' or '='.
_multirename_words() {
    [[ $cur == *=* ]] || return
    local head=${cur%"${cur##*[=,]}"} word
    for word in "$@"; do
        [[ $head$word == "$cur"* ]] && COMPREPLY+=("$head$word")
    done
    compopt -o nospace
    # Readline replaces only what follows the last word-break character.
    local breaks=${COMP_WORDBREAKS//[^=:]/}
    if [[ -n $breaks ]]; then
        local keep=${cur%"${cur##*[$breaks]}"}
        COMPREPLY=("${COMPREPLY[@]#"$keep"}")
    fi
}

_multirename() {
    local cur prev words cword
    _init_completion -n =: || return

    case $prev in
""" + cases + r"""    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '""" + every + r"""' -- "$cur"))
        return
    fi
    _filedir
} &&
    complete -F _multirename multirename
"""


def zsh_escape(text):
    return re.sub(r"([\[\]:\\'])", lambda m: "'\\''" if m.group(1) == "'" else "\\" + m.group(1),
                  text)


def zsh(help):
    specs = []
    for opt in help.options:
        k = kind(opt)
        text = zsh_escape(short_text(opt))
        shorts = [n for n in opt.names if not n.startswith("--")]
        longs = [n for n in opt.names if n.startswith("--")]
        repeat = "*" if k in ("words", "text") and opt.arg[:1] != "[" else ""
        if opt.long in ("--help", "--version"):
            exclusive = "(- *)"
        elif len(opt.names) > 1 and not repeat:
            exclusive = "(%s)" % " ".join(opt.names)
        else:
            exclusive = ""
        optional = opt.arg.startswith("[")
        if k == "flag":
            forms = [n for n in opt.names]
            action = ""
        else:
            # "-t+": the value in the same word or the next; "--text=": after '=' or next.
            forms = [n + "+" for n in shorts] + [n + "=" for n in longs]
            label = zsh_escape(opt.arg.strip("[]").lower())
            words = " ".join(w.replace(":", "\\:") for w in opt.field_words() or [])
            what = {"file": "_files", "text": " ", "words": "_multirename_words " + words}[k]
            action = ":%s%s:%s" % (":" if optional else "", label, what)
        for form in forms:
            specs.append("'%s%s%s[%s]%s'" % (exclusive, repeat, form, text, action))
    path = help.positionals[0].names[0].lower() if help.positionals else "path"
    specs.append("'*:%s:_files'" % path)
    body = " \\\n    ".join(specs)
    return "#compdef multirename\n" + HEADER.format(shell="zsh") + r"""
# After "I=" of a field form: the words listed, comma-separated.
_multirename_words() {
    compset -P '*=' || return 1
    compset -P '*,'
    compadd -S '' -- "$@"
}

_arguments -s -S \
    """ + body + "\n"


def fish_quote(text):
    return "'" + text.replace("\\", "\\\\").replace("'", "\\'") + "'"


def fish(help):
    lines = [HEADER.format(shell="fish"), r"""# After "I=" of a field form: the words listed after the last ',' or '='.
function __multirename_words
    set -l token (commandline -ct)
    string match -q -- '*=*' $token; or return
    set -l head (string replace -r -- '[^=,]*$' '' $token)
    for word in $argv
        echo $head$word
    end
end
"""]
    for opt in help.options:
        k = kind(opt)
        line = ["complete -c multirename"]
        for n in opt.names:
            line.append(("-l " + n[2:]) if n.startswith("--") else ("-s " + n[1:]))
        if k == "file":
            line.append("-F" if opt.arg.startswith("[") else "-r -F")
        elif k == "words":
            line.append("-x -a " + fish_quote("(__multirename_words %s)" % " ".join(
                opt.field_words())))
        elif k == "text":
            line.append("-x")
        line.append("-d " + fish_quote(short_text(opt)))
        lines.append(" ".join(line) + "\n")
    return "".join(lines)


def main(argv):
    if len(argv) != 5:
        sys.exit(__doc__)
    help = cli_help.parse(cli_help.run_help(argv[1])[0])
    for path, make in zip(argv[2:], (bash, zsh, fish)):
        with open(path, "w", encoding="utf-8") as f:
            f.write(make(help))


if __name__ == "__main__":
    main(sys.argv)
