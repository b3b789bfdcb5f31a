"""The help reader behind the man page and the completions, over the layouts that
CLI11 and our own footer may give the help text."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "packaging"))
import cli_help  # noqa: E402

HEAD = """Rename things.
Usage: multirename [OPTIONS] [PATH...]

Positionals:
  PATH TEXT ... Excludes: --records
                              the files
"""

# name | help text after HEAD | options (long name, argument, field words) | exit
# statuses | untitled notes | titled prose (title, paragraphs)
CASES = [
    ("one sentence of statuses",
     """
Options:
  -h,--help                   Print this help message and exit
  --number I=WORDS            Change Number on field I; WORDS: comma-separated clear, renumber[:START], digits:N
  --undo [JOURNAL]            put back

Fields are numbered from 0. Exit status: 0 done or dry run, 1 bad usage or input,
2 refused because of problems.
""",
     [("--help", "", None), ("--number", "I=WORDS", ["clear", "renumber", "digits:"]),
      ("--undo", "[JOURNAL]", None)],
     [(0, "done or dry run"), (1, "bad usage or input"), (2, "refused because of problems")],
     ["Fields are numbered from 0."], []),
    ("statuses and prose as sections, groups of options, wrapped heads",
     """
Options:
  -e,--allow-extension-changes
                              check "Allow Extension Changes": the extension
                              becomes part of the pattern
  --from FILE Excludes: PATH --records
                              take the paths from FILE
Undo:
  --list                      list the journals
  --wild I=MODE               MODE: upper, lower, truncate:N

Paths:
  PATH... names the files, as a
  selection does.

  A second paragraph.

Fields are numbered from 0.

Exit status:
  0  done
  3  some files could not be
     renamed (or put back)
""",
     [("--allow-extension-changes", "", None), ("--from", "FILE", None),
      ("--list", "", None), ("--wild", "I=MODE", ["upper", "lower", "truncate:"])],
     [(0, "done"), (3, "some files could not be renamed (or put back)")],
     ["Fields are numbered from 0."],
     [("Paths", ["PATH... names the files, as a selection does.", "A second paragraph."])]),
]


class HelpReading(unittest.TestCase):
    def test_layouts(self):
        for name, tail, options, statuses, notes, sections in CASES:
            with self.subTest(name):
                help = cli_help.parse(HEAD + tail)
                self.assertEqual([(o.long, o.arg, o.field_words()) for o in help.options],
                                 options)
                self.assertEqual([(s.status, s.text) for s in help.exit_statuses], statuses)
                self.assertEqual(help.notes, notes)
                self.assertEqual([(t.title, t.paragraphs) for t in help.sections], sections)
                self.assertEqual([(p.long, p.many, p.note) for p in help.positionals],
                                 [("PATH", True, "Excludes: --records")])

    def test_a_text_without_options_is_refused(self):
        with self.assertRaises(ValueError):
            cli_help.parse("Usage: multirename PATH...\n")


if __name__ == "__main__":
    unittest.main()
