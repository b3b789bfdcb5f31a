#!/usr/bin/env python3
"""Checks the includes of the product code against the layers of docs/architecture.md.

The block under "## Layers (top to bottom)" lists the folders, one layer a line
(several folders on one line share a layer). A file may include files of its own
folder and of folders on lower layers only: never one above, never a neighbour on its
own layer, so no two folders can include each other. Every folder that holds product
code must be listed.

Usage: scripts/check-layers.py [REPO]   (exit status 1 on any violation)
"""
import pathlib
import re
import sys

SOURCES = ("*.cpp", "*.h", "*.inc", "*.def", "*.rc")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def read_layers(doc):
    """The folders of each layer, top first, from the architecture document."""
    lines = doc.read_text(encoding="utf-8").splitlines()
    try:
        start = lines.index("## Layers (top to bottom)")
    except ValueError:
        sys.exit(f"{doc}: no '## Layers (top to bottom)' section")
    layers = []
    for line in lines[start + 1 :]:
        if line.startswith("## "):
            break
        # A layer line is indented by four and begins with its folders ("name/").
        if not line.startswith("    ") or line.startswith("     "):
            continue
        folders = []
        for word in line.split():
            if not word.endswith("/"):
                break
            folders.append(word.rstrip("/"))
        if folders:
            layers.append(folders)
    return layers


def main():
    repo = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    layers = read_layers(repo / "docs" / "architecture.md")
    level = {folder: i for i, folders in enumerate(layers) for folder in folders}
    tops = sorted({f.split("/")[0] for f in level})

    def folder_of(path):
        # The deepest listed folder holding the file.
        parts = path.parent.parts
        for n in range(len(parts), 0, -1):
            name = "/".join(parts[:n])
            if name in level:
                return name
        return None

    def resolve(source, name):
        for base in (source.parent, repo, repo / "include"):
            candidate = (base / name).resolve()
            if candidate.is_file() and repo in candidate.parents:
                return candidate.relative_to(repo)
        return None

    problems = []
    edges = set()
    for top in tops:
        for pattern in SOURCES:
            for source in sorted((repo / top).rglob(pattern)):
                relative = source.relative_to(repo)
                own = folder_of(relative)
                if own is None:
                    problems.append(f"{relative}: its folder is not in the layers")
                    continue
                text = source.read_text(encoding="utf-8", errors="replace")
                for name in INCLUDE.findall(text):
                    target = resolve(source, name)
                    if target is None:
                        continue  # a system or third-party header
                    other = folder_of(target)
                    if other is None or other == own:
                        continue
                    edges.add((own, other))
                    if level[other] <= level[own]:
                        where = "above" if level[other] < level[own] else "beside"
                        problems.append(
                            f'{relative}: includes "{name}" from {other}/, which is {where} {own}/'
                        )
    for a, b in sorted(edges):
        if a < b and (b, a) in edges:
            problems.append(f"{a}/ and {b}/ include each other")
    for line in problems:
        print(line)
    if problems:
        print(f"{len(problems)} layer violation(s); the layers are in docs/architecture.md")
        return 1
    print(f"layers: {len(level)} folders, {len(edges)} folder dependencies, all pointing down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
