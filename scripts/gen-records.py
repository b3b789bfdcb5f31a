#!/usr/bin/env python3
"""Writes a large or adversarial record set for `multirename --records`.

Usage:
  scripts/gen-records.py --shape SHAPE --count N [--folders F] [--seed S]
                         [--rules windows|posix] [--create DIR] [-o FILE]

Shapes:
  camera      IMG_0001.JPG, IMG_0002.JPG, ... (the digits widen past 9999)
  dates       2023-07-14 18.22.05.jpg: one photo every few minutes
  long        255-character names made of digit runs between short letters
  extensions  data.aaa, data.aab, ...: every name a different extension
  invalid     names with lone surrogates (windows rules: U+D800 to U+DFFF; posix
              rules: U+DC80 to U+DCFF, the code units that bytes outside UTF-8
              decode to) among valid non-ASCII letters
  mixed       the shapes above in turn, one per file

The N files are split into F folders (default 1) in consecutive blocks; every file is
listed in "paths", in folder order. The same arguments always give the same output.

--create DIR also makes the files for real, under DIR/f000/, DIR/f001/, ... (posix
rules then, since the folder paths are real; lone surrogates become the bytes they
stand for): each file with the set's size (sparse) and last-write time.

The JSON goes to FILE, or to standard output without -o.
"""
import argparse
import json
import os
import random
import sys

# FILETIME (100 ns units since 1601) of 2023-01-01 00:00:00 UTC.
FILETIME_2023 = (1672531200 + 11644473600) * 10**7
TICKS_PER_SECOND = 10**7
NAME_LIMIT = 255


def camera(rng, i, count, rules):
    return "IMG_%0*d.JPG" % (max(4, len(str(count))), i + 1)


def dates(rng, i, count, rules):
    # The time walks forward from the index alone, so any file's name is unique.
    seconds = i * 300 + rng.randrange(300)
    day, rest = divmod(seconds, 86400)
    year = 2023 + day // 336
    month = day % 336 // 28 + 1
    mday = day % 28 + 1
    return "%04d-%02d-%02d %02d.%02d.%02d.jpg" % (
        year, month, mday, rest // 3600, rest % 3600 // 60, rest % 60)


def long_digits(rng, i, count, rules):
    # The index leads so that names differ early; the rest is digit runs of any length.
    name = "%d" % i
    ext = ".txt"
    while len(name) < NAME_LIMIT - len(ext):
        name += rng.choice("abx_- ") + "".join(
            rng.choice("0123456789") for _ in range(rng.randrange(1, 40)))
    name = name[: NAME_LIMIT - len(ext)]
    return (name[:-1] + "0" if name.endswith(" ") else name) + ext


def letters(n, width):
    out = ""
    for _ in range(width):
        n, r = divmod(n, 26)
        out = chr(ord("a") + r) + out
    return out


def extensions(rng, i, count, rules):
    width = 3
    while 26**width < count:
        width += 1
    return "data." + letters(i, width)


VALID_NON_ASCII = "éÄøßλЖ中文😀"


def invalid(rng, i, count, rules):
    low, high = (0xDC80, 0xDD00) if rules == "posix" else (0xD800, 0xE000)
    lone = [chr(rng.randrange(low, high)) for _ in range(3)]
    parts = ["Bild_%d" % i, "_" + rng.choice(VALID_NON_ASCII), lone[0]]
    parts.insert(rng.randrange(3), lone[1])
    return "".join(parts) + rng.choice([".jpg", ".txt", "." + lone[2] + "x"])


SHAPES = {
    "camera": camera,
    "dates": dates,
    "long": long_digits,
    "extensions": extensions,
    "invalid": invalid,
}


def mixed(rng, i, count, rules):
    shapes = list(SHAPES.values())
    return shapes[i % len(shapes)](rng, i // len(shapes), count, rules)


SHAPES["mixed"] = mixed


def folder_path(rules, index, create_dir):
    if create_dir:
        return os.path.join(os.path.abspath(create_dir), "f%03d" % index) + "/"
    if rules == "posix":
        return "/bench/f%03d/" % index
    return "C:\\Bench\\F%03d\\" % index


def build(args):
    rng = random.Random(args.seed)
    shape = SHAPES[args.shape]
    folders = []
    paths = []
    per_folder, extra = divmod(args.count, args.folders)
    i = 0
    for f in range(args.folders):
        path = folder_path(args.rules, f, args.create)
        entries = []
        for _ in range(per_folder + (1 if f < extra else 0)):
            name = shape(rng, i, args.count, args.rules)
            written = FILETIME_2023 + i * 300 * TICKS_PER_SECOND
            entries.append({
                "name": name,
                "directory": False,
                "lastWriteTime": written,
                "creationTime": written - rng.randrange(86400) * TICKS_PER_SECOND,
                "size": rng.randrange(1 << 24),
            })
            paths.append(path + name)
            i += 1
        folders.append({"path": path, "entries": entries})
    doc = {"rules": args.rules, "folders": folders, "paths": paths}
    if args.rules == "windows":
        doc["workingDirectory"] = "C:\\Bench\\"
    return doc


def create_files(doc):
    for folder in doc["folders"]:
        os.makedirs(folder["path"], exist_ok=True)
        for e in folder["entries"]:
            # surrogateescape turns U+DC80..U+DCFF back into the single bytes they stand for
            path = os.fsencode(folder["path"] + e["name"])
            with open(path, "wb") as f:
                f.truncate(e["size"])
            seconds = (e["lastWriteTime"] - 11644473600 * TICKS_PER_SECOND) / TICKS_PER_SECOND
            os.utime(path, (seconds, seconds))


def main():
    parser = argparse.ArgumentParser(
        description=__doc__.split("\n")[0],
        epilog="\n".join(__doc__.split("\n")[5:]),
        formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--shape", choices=sorted(SHAPES), required=True)
    parser.add_argument("--count", type=int, required=True, help="number of files")
    parser.add_argument("--folders", type=int, default=1, help="number of folders (1)")
    parser.add_argument("--seed", type=int, default=1, help="random seed (1)")
    parser.add_argument("--rules", choices=["windows", "posix"], default="windows",
                        help="name rules of the set (windows)")
    parser.add_argument("--create", metavar="DIR",
                        help="also make the files under DIR (implies --rules posix)")
    parser.add_argument("-o", "--output", metavar="FILE", help="write the JSON here")
    args = parser.parse_args()
    if args.count < 0 or args.folders < 1:
        parser.error("--count must be 0 or more and --folders 1 or more")
    if args.create:
        args.rules = "posix"
    doc = build(args)
    if args.create:
        create_files(doc)
    out = open(args.output, "w", encoding="ascii") if args.output else sys.stdout
    # ensure_ascii writes lone surrogates as \\uXXXX escapes, which is what the reader takes
    json.dump(doc, out, ensure_ascii=True, separators=(",", ":"))
    out.write("\n")
    if args.output:
        out.close()


if __name__ == "__main__":
    main()
