#!/usr/bin/env python3
"""Prints the benchmark report: the bench programs' figures at 1,000, 10,000 and
100,000 files, their ratios to the bare system calls measured in the same run, and
`multirename --apply` / `--undo` on real files beside Perl `rename` and `mmv`, and
"Rename" through the real dialog under Wine (a Release build of the module).

Usage: scripts/bench_report.py [--build DIR] [--sizes 1000,10000,100000] [--no-wine]
Run through scripts/bench-report.sh, which sets up and builds first. --no-wine leaves
out every figure under Wine (for a machine without a display or Wine).
"""
import argparse
import json
import os
import platform
import re
import resource
import shutil
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
GEN_RECORDS = ROOT / "scripts" / "gen-records.py"
PEER_TIMEOUT = 300  # seconds; a peer that takes longer is reported as timed out


def big_stack():
    # Room for 100,000 names on the command line: the kernel allows argv a quarter of
    # the stack limit, up to 6 MiB.
    _, hard = resource.getrlimit(resource.RLIMIT_STACK)
    want = 64 << 20
    if hard == resource.RLIM_INFINITY or hard >= want:
        resource.setrlimit(resource.RLIMIT_STACK, (want, hard))


# A child of this script starts with the script's own peak memory as its own: the kernel
# carries a process's high-water mark over fork and exec. GNU time, small itself, starts
# the program and reports the program's own peak.
GNU_TIME = "/usr/bin/time"


def run_measured(argv, cwd=None, env=None, timeout=None, own_peak=False):
    """Runs argv; returns (exit status or None on timeout, wall s, CPU s, peak RSS KiB,
    stdout, stderr), the usage of this child alone (wait4). With own_peak the peak is the
    program's own (through GNU time), else at least this script's."""
    peak_file = None
    if own_peak and os.access(GNU_TIME, os.X_OK):
        peak_file = tempfile.NamedTemporaryFile(suffix=".rss", delete=False)
        peak_file.close()
        argv = [GNU_TIME, "-f", "%M", "-o", peak_file.name] + list(argv)
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        start = time.monotonic()
        proc = subprocess.Popen(argv, cwd=cwd, env=env, stdin=subprocess.DEVNULL,
                                stdout=out, stderr=err, preexec_fn=big_stack)
        timer = threading.Timer(timeout, proc.kill) if timeout else None
        if timer:
            timer.start()
        _, status, usage = os.wait4(proc.pid, 0)
        wall = time.monotonic() - start
        if timer:
            timer.cancel()
        proc.returncode = os.waitstatus_to_exitcode(status)
        out.seek(0)
        err.seek(0)
        code = None if proc.returncode < 0 and timeout and wall >= timeout else proc.returncode
        rss = usage.ru_maxrss
        if peak_file:
            lines = Path(peak_file.name).read_text().split()
            os.unlink(peak_file.name)
            rss = int(lines[-1]) if lines and lines[-1].isdigit() else rss
        return (code, wall, usage.ru_utime + usage.ru_stime, rss, out.read(), err.read())


def machine():
    model = "unknown CPU"
    for line in Path("/proc/cpuinfo").read_text().splitlines():
        if line.startswith("model name"):
            model = line.split(":", 1)[1].strip()
            break
    return "%d cores, %s, Linux %s" % (os.cpu_count(), model, platform.release())


def load():
    return " ".join(Path("/proc/loadavg").read_text().split()[:3])


# For the ratios: three runs of each case, shuffled among each other, so that a change
# of the machine's load falls on both sides of a ratio alike; the median counts.
INTERLEAVED = ["--benchmark_repetitions=3", "--benchmark_enable_random_interleaving=true",
               "--benchmark_report_aggregates_only=true"]


def run_bench(build, name, pattern, extra=()):
    """Runs one bench program on a filter; returns {benchmark name: entry}, stdout."""
    out_file = tempfile.NamedTemporaryFile(suffix=".json", delete=False)
    out_file.close()
    status, wall, cpu, rss, out, err = run_measured(
        [str(build / "bench" / name), "--benchmark_filter=" + pattern,
         "--benchmark_out=" + out_file.name, "--benchmark_out_format=json", *extra])
    if status != 0:
        sys.exit("%s failed (%s): %s" % (name, status, err.decode(errors="replace")))
    data = json.loads(Path(out_file.name).read_text())
    os.unlink(out_file.name)
    found = {}
    for b in data["benchmarks"]:
        if b.get("error_occurred"):
            sys.exit("%s: %s: %s" % (name, b["name"], b.get("error_message")))
        # Repeated benchmarks report aggregates; the median stands for them.
        if b.get("run_type") == "aggregate":
            if b.get("aggregate_name") != "median":
                continue
            found[re.sub(r"/repeats:\d+", "", b["run_name"])] = b
        else:
            found[b["name"]] = b
    return found, out.decode(errors="replace"), wall


def ms(entry):
    """(wall ms, CPU ms) of one benchmark entry."""
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[entry["time_unit"]]
    return entry["real_time"] * scale, entry["cpu_time"] * scale


def fmt_ms(pair):
    wall, cpu = pair
    if wall >= 1000:
        return "%.2f s (%.2f)" % (wall / 1e3, cpu / 1e3)
    return "%.1f ms (%.1f)" % (wall, cpu)


class Table:
    def __init__(self, sizes):
        self.sizes = sizes
        self.rows = []

    def add(self, what, cells, goal=""):
        self.rows.append((what, cells, goal))

    def section(self, title):
        self.rows.append((title, None, None))

    def print(self):
        widths = [max(len("what"), *(len(r[0]) for r in self.rows if r[1] is not None))]
        cols = ["{:,}".format(n) for n in self.sizes]
        cell_w = max(16, *(len(c) for r in self.rows if r[1] for c in r[1]))
        head = "  %-*s" % (widths[0], "what") + "".join(
            "  %*s" % (cell_w, c) for c in cols) + "  goal"
        print(head)
        for what, cells, goal in self.rows:
            if cells is None:
                print("\n" + what)
                continue
            print("  %-*s" % (widths[0], what) + "".join(
                "  %*s" % (cell_w, c) for c in cells) + ("  " + goal if goal else ""))


def engine_figures(build, sizes, table, notes):
    sizes_re = "(%s)(/|$)" % "|".join(str(size) for size in sizes)
    rec, rec_out, _ = run_bench(build, "records_bench",
                                "BM_(ScanFolder|FillRecordSet|BareListing)/" + sizes_re,
                                INTERLEAVED)
    der, _, _ = run_bench(build, "derivation_bench", "BM_CameraNumbers/" + sizes_re)
    key, _, _ = run_bench(build, "model_bench", "Keystroke(AllThreads)?/" + sizes_re)
    reg, _, _ = run_bench(build, "new_names_bench", "RegenerateEditedPattern")
    val, val_out, _ = run_bench(build, "validation_bench",
                                "BM_(ValidateAll$|ChainPlan$|BareRenameat2/%s)" % sizes_re,
                                INTERLEAVED)

    def per_size(found, fmt, row):
        return [row(found, fmt % n) if fmt % n in found else "-" for n in sizes]

    table.section("Filling the record set from a real folder on /dev/shm (wall ms (CPU ms))")
    table.add("fillRecordSet, every file selected",
              per_size(rec, "BM_FillRecordSet/%d", lambda f, k: fmt_ms(ms(f[k]))))
    table.add("  scanFolder + details (a date tag)",
              per_size(rec, "BM_ScanFolder/%d", lambda f, k: fmt_ms(ms(f[k]))))
    table.add("  bare getdents64 + statx",
              per_size(rec, "BM_BareListing/%d", lambda f, k: fmt_ms(ms(f[k]))))
    for label, name in (("  ratio fill / bare", "BM_FillRecordSet/%d"),
                        ("  ratio scanFolder / bare", "BM_ScanFolder/%d")):
        table.add(label, ["%.2f (%.2f)" % tuple(
            a / b for a, b in zip(ms(rec[name % n]), ms(rec["BM_BareListing/%d" % n])))
            if name % n in rec else "-" for n in sizes], "<= 1.5 (scanFolder)")
    for line in rec_out.splitlines():
        if line.startswith("memory:") or line.startswith("scanFolder,"):
            notes.append("records_bench at 100,000 files, " + line)

    table.section("Pattern engine and dialog model (wall ms (CPU ms))")
    table.add("derivation, camera names, numbers",
              per_size(der, "BM_CameraNumbers/%d/0", lambda f, k: fmt_ms(ms(f[k]))),
              "< 100 ms at 100,000")
    table.add("derivation, numbers as text",
              per_size(der, "BM_CameraNumbers/%d/1", lambda f, k: fmt_ms(ms(f[k]))),
              "< 100 ms at 100,000")
    table.add("one keystroke (regenerate + validate)",
              per_size(key, "Keystroke/%d", lambda f, k: fmt_ms(ms(f[k]))),
              "<= 8 ms at 100,000")
    table.add("  the same, CPU of every thread",
              per_size(key, "KeystrokeAllThreads/%d/process_time", lambda f, k: fmt_ms(ms(f[k]))))
    # These programs measure 100,000 files only: their column, or the label says so.
    def at_100k(what, entry, goal):
        cells = ["-"] * len(sizes)
        if 100000 in sizes:
            cells[sizes.index(100000)] = fmt_ms(ms(entry))
        else:
            what, cells[-1] = what + " (100,000 files)", fmt_ms(ms(entry))
        table.add(what, cells, goal)

    if "RegenerateEditedPattern" in reg:
        at_100k("  regenerate, typical edited pattern", reg["RegenerateEditedPattern"],
                "< 30 ms")
    if "BM_ValidateAll" in val:
        at_100k("  validate every name", val["BM_ValidateAll"], "< 30 ms")
    if "BM_ChainPlan" in val:
        at_100k("plan a 100,000-long rename chain", val["BM_ChainPlan"], "< 50 ms")
    bare_rename = {n: ms(val["BM_BareRenameat2/%d" % n]) for n in sizes
                   if "BM_BareRenameat2/%d" % n in val}
    mover = [l.strip() for l in val_out.splitlines()
             if "mover" in l or "bare renameat2" in l or "undo of" in l]
    if mover:
        notes.append("validation_bench, the mover in-process at 100,000 files (median of 5):")
        notes.extend("  " + l for l in mover)
    return bare_rename


def create_camera_folder(base, count):
    """count real camera files in a new folder; returns the folder and its names."""
    subprocess.run([sys.executable, str(GEN_RECORDS), "--shape", "camera", "--count",
                    str(count), "--create", str(base), "-o", os.devnull], check=True)
    folder = base / "f000"
    return folder, sorted(os.listdir(folder))


def holiday(names):
    return sorted("Holiday_" + n[len("IMG_"):] for n in names)


def apply_figures(build, sizes, table, bare_rename, notes, work):
    """Every tool renames the same real files IMG_* to Holiday_* and back."""
    cli = str(build / "cli" / "multirename")
    env = dict(os.environ, XDG_STATE_HOME=str(work / "state"))
    peers = {"rename": shutil.which("rename"), "mmv": shutil.which("mmv")}
    _, _, _, base_rss, _, _ = run_measured([cli, "--version"], env=env, own_peak=True)
    rows = {k: [] for k in ("dry", "mr", "mrcpu", "undo", "undo_ratio", "bare", "ratio", "rename",
                            "rename_back", "mmv", "mmv_back", "vs_rename", "vs_mmv", "mem")}
    timed_out = set()
    for n in sizes:
        folder, names = create_camera_folder(work / ("apply-%d" % n), n)
        target = holiday(names)

        def check(expected, who):
            got = sorted(os.listdir(folder))
            if got != expected:
                sys.exit("%s left %d files under unexpected names" %
                         (who, len(set(got) - set(expected))))

        # The same run without --apply: everything but the mover and its journal.
        status, dwall, dcpu, _, _, err = run_measured([cli, "-t", "0=Holiday_"] + names,
                                                      cwd=folder, env=env)
        if status != 0:
            sys.exit("multirename (dry run) failed (%s): %s" % (status, err.decode()[:500]))
        check(names, "multirename (dry run)")
        rows["dry"].append("%.0f ms (%.0f)" % (dwall * 1e3, dcpu * 1e3))
        status, wall, cpu, rss, _, err = run_measured(
            [cli, "--apply", "-t", "0=Holiday_"] + names, cwd=folder, env=env, own_peak=True)
        if status != 0:
            sys.exit("multirename --apply failed (%s): %s" % (status, err.decode()[:500]))
        check(target, "multirename --apply")
        rows["mr"].append("%.0f ms (%.0f)" % (wall * 1e3, cpu * 1e3))
        # Peak memory beyond a run that reads no file at all.
        rows["mem"].append("%.0f B" % (max(0, rss - base_rss) * 1024 / n) if rss > base_rss
                           else "-")
        status, uwall, ucpu, _, _, err = run_measured([cli, "--undo"], env=env)
        if status != 0:
            sys.exit("multirename --undo failed (%s): %s" % (status, err.decode()[:500]))
        check(names, "multirename --undo")
        rows["undo"].append("%.0f ms (%.0f)" % (uwall * 1e3, ucpu * 1e3))
        rows["undo_ratio"].append("%.2fx (%.2f)" % (uwall / wall, ucpu / cpu))
        if n in bare_rename:
            b = bare_rename[n][0] / 1e3
            rows["bare"].append("%.1f ms" % (b * 1e3))
            rows["ratio"].append("%.2fx" % (wall / b))
        else:
            rows["bare"].append("-")
            rows["ratio"].append("-")

        # The peers, in one place: the same renames on the same files, there and back.
        peer_runs = (
            ("rename", [peers["rename"], "s/^IMG_/Holiday_/"] + names,
             [peers["rename"], "s/^Holiday_/IMG_/"] + target),
            ("mmv", [peers["mmv"], "IMG_*", "Holiday_#1"], [peers["mmv"], "Holiday_*", "IMG_#1"]))
        folder_unknown = False  # a peer was stopped halfway
        for peer, there, again in peer_runs:
            if not peers[peer] or folder_unknown or peer in timed_out:
                rows[peer].append("not installed" if not peers[peer] else "skipped")
                rows[peer + "_back"].append("-")
                rows["vs_" + peer].append("-")
                continue
            status, pwall, pcpu, _, _, err = run_measured(there, cwd=folder,
                                                          timeout=PEER_TIMEOUT)
            if status is None:
                rows[peer].append("> %d s" % PEER_TIMEOUT)
                rows[peer + "_back"].append("-")
                rows["vs_" + peer].append("-")
                notes.append("%s at %d files was stopped after %d s" % (peer, n, PEER_TIMEOUT))
                timed_out.add(peer)
                folder_unknown = True
                continue
            check(target, peer)
            rows[peer].append("%.0f ms (%.0f)" % (pwall * 1e3, pcpu * 1e3))
            rows["vs_" + peer].append("%.2fx" % (pwall / wall))
            status, bwall, bcpu, _, _, err = run_measured(again, cwd=folder,
                                                          timeout=PEER_TIMEOUT)
            check(names, peer + " (back)")
            rows[peer + "_back"].append("%.0f ms (%.0f)" % (bwall * 1e3, bcpu * 1e3))
        shutil.rmtree(folder.parent)

    def pad(cells):
        return cells + ["-"] * (len(sizes) - len(cells))

    table.section("Renaming real files IMG_* -> Holiday_* on /dev/shm, one process each "
                  "(wall ms (CPU ms))")
    table.add("multirename --apply (whole run)", pad(rows["mr"]))
    table.add("  the same without --apply (dry run)", pad(rows["dry"]))
    table.add("bare renameat2 loop (validation_bench)", pad(rows["bare"]))
    table.add("  --apply / bare, whole process", pad(rows["ratio"]), "<= 1.25x at 100,000")
    table.add("multirename --undo", pad(rows["undo"]))
    table.add("  --undo / --apply, wall (CPU)", pad(rows["undo_ratio"]), "<= 1.0x")
    table.add("Perl rename", pad(rows["rename"]))
    table.add("  Perl rename / multirename", pad(rows["vs_rename"]), "> 1 (be faster)")
    table.add("  Perl rename back", pad(rows["rename_back"]))
    table.add("mmv", pad(rows["mmv"]))
    table.add("  mmv / multirename", pad(rows["vs_mmv"]), "> 1 (be faster)")
    table.add("  mmv back", pad(rows["mmv_back"]))
    table.add("peak memory per file of --apply", pad(rows["mem"]), "<= 300 B at 100,000")
    notes.append("peak memory per file: (peak RSS of multirename --apply - peak RSS of "
                 "multirename --version, %d KiB) / files; both the program's own (%s)" %
                 (base_rss, "GNU time" if os.access(GNU_TIME, os.X_OK) else
                  "no GNU time: at least this script's own, which hides part of it"))


DIALOG_LINE = re.compile(r"(\d+) files: Rename pressed until the dialog hid (\d+) ms, until the "
                         r"call returned (\d+) ms; on disk (\d+) with the new name, (\d+) with")


def wine_timing(script, tool, sizes, notes, what):
    """Runs scripts/<script> over the sizes with the Release module; its output, or None
    (with a note) when there is no Wine or no Release build of tools/<tool>."""
    release = ROOT / "build" / "windows-release"
    if not shutil.which("wine") or not (release / "entry" / tool).exists():
        notes.append("%s: not measured (no Wine or no Release build of %s in "
                     "build/windows-release)" % (what, tool))
        return None
    env = dict(os.environ, MR_BUILD_DIR=str(release))
    return subprocess.run(["bash", str(ROOT / "scripts" / script)] + [str(n) for n in sizes],
                          env=env, capture_output=True, text=True, timeout=1800).stdout


def dialog_figures(sizes, table, notes):
    """"Rename" through the real dialog under Wine (scripts/rename-timing.sh)."""
    out = wine_timing("rename-timing.sh", "rename_timing.exe", sizes, notes,
                      "Rename through the dialog")
    if out is None:
        return
    found = {int(m[1]): m for m in DIALOG_LINE.finditer(out)}
    hid, returned, done = [], [], []
    for n in sizes:
        m = found.get(n)
        hid.append("%s ms" % m[2] if m else "-")
        returned.append("%s ms" % m[3] if m else "-")
        done.append(("all" if int(m[4]) == n and m[5] == "0" else "%s of %d" % (m[4], n))
                    if m else "-")
    table.section('"Rename" through the real dialog under Wine, a prefix typed over '
                  'IMG_* on /dev/shm (wall ms)')
    table.add("pressed until the dialog hid", hid, "<= 40 s at 10,000")
    table.add("  until run_multirename returned", returned)
    table.add("  files with their new names", done, "all")
    notes.append("Under Xvfb, which has no window manager, Wine waits 2 s for one when it "
                 "hides the dialog: the call returns about 2 s after the dialog hid.")


OPEN_COUNT = re.compile(r"^(\d+) files \(ms\):$")
OPEN_MODEL = re.compile(r"patterns derived (\d+) \(of which the files taking part marked (\d+)\), "
                        r"first refresh (\d+), refresh after a change (\d+)")
OPEN_SHOWN = re.compile(r"dialog: shown with \d+ rows (\d+), painted (\d+)")
OPEN_CPU = re.compile(r"until shown (\d+), per typed character (\d+)(?: \((\d+) in all threads\))?")
OPEN_KEYS = re.compile(r"with the list repainted((?: \d+)+)")


def open_figures(sizes, table, notes):
    """The real dialog under Wine opened over one folder and typed into
    (scripts/open-timing.sh, tool tools/open_timing.cpp, a Release build)."""
    out = wine_timing("open-timing.sh", "open_timing.exe", sizes, notes, "The dialog under Wine")
    if out is None:
        return
    found, count = {}, None
    for line in out.splitlines():
        if m := OPEN_COUNT.match(line):
            count = int(m[1])
            found[count] = {}
        elif count is not None:
            for key, rx in (("model", OPEN_MODEL), ("shown", OPEN_SHOWN), ("cpu", OPEN_CPU),
                            ("keys", OPEN_KEYS)):
                if m := rx.search(line):
                    found[count][key] = m

    def cells(key, fmt):
        return [fmt(found[n][key]) if key in found.get(n, {}) else "-" for n in sizes]

    def median_keys(m):
        keys = sorted(int(k) for k in m[1].split())
        return "%d ms" % keys[len(keys) // 2]

    table.section("The real dialog under Wine over one folder of IMG_* on /dev/shm, Release "
                  "build (scripts/open-timing.sh; wall ms (CPU ms of the dialog's thread))")
    table.add("called until shown with its list filled",
              cells("shown", lambda m: "%s ms" % m[1]), "<= 0.30 s at 100,000")
    table.add("  processor time of the dialog's thread",
              cells("cpu", lambda m: "%s ms" % m[1]))
    table.add("one typed character, list repainted (median of 5)",
              cells("keys", median_keys), "<= 16 ms at 100,000")
    table.add("  processor time per typed character", cells("cpu", lambda m: "%s ms" % m[2]))
    table.add("  the same in all threads of the process",
              cells("cpu", lambda m: "%s ms" % m[3] if m[3] else "-"))
    table.add("derivation (the dialog's own, both variants)",
              cells("model", lambda m: "%d ms" % (int(m[1]) - int(m[2]))), "<= 10 ms at 100,000")
    table.add("  the model's refresh after a change, no window",
              cells("model", lambda m: "%s ms" % m[4]))
    notes.append("Under Wine, derivation is the model's construction without marking the files "
                 "that take part (timed on its own just before).")


def records_figures(build, count, notes, work):
    """multirename --records over generated sets: the whole dry run, end to end."""
    cli = str(build / "cli" / "multirename")
    lines = []
    for shape, extra, json_out in (
            ("camera", ["--json", "-t", "0=Photo_", "--number", "1=renumber:1"], True),
            ("dates", [], False), ("long", [], False), ("extensions", [], False),
            ("invalid", [], False), ("mixed", [], False)):
        records = work / ("%s.json" % shape)
        subprocess.run([sys.executable, str(GEN_RECORDS), "--shape", shape, "--count",
                        str(count), "--folders", "1" if shape == "camera" else "10",
                        "-o", str(records)], check=True)
        status, wall, cpu, rss, out, err = run_measured(
            [cli, "--records", str(records)] + extra)
        if status != 0:
            notes.append("multirename --records refused the %s set: %s" %
                         (shape, err.decode(errors="replace").strip()[:300]))
        lines.append("  %-10s %-48s exit %s  %6.0f ms (%5.0f)  %4.0f MB peak%s" % (
            shape, " ".join(extra) or "(no edit, human view)", status, wall * 1e3,
            cpu * 1e3, rss / 1024, "  goal < 1 s at 100,000" if json_out else ""))
        records.unlink()
    print("\nmultirename --records over %s generated files (scripts/gen-records.py), "
          "dry run end to end, wall ms (CPU ms):" % "{:,}".format(count))
    print("\n".join(lines))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default=str(ROOT / "build" / "bench"))
    parser.add_argument("--sizes", default="1000,10000,100000")
    parser.add_argument("--no-wine", action="store_true",
                        help="leave out the figures under Wine (no display or no Wine)")
    args = parser.parse_args()
    build = Path(args.build)
    sizes = [int(s) for s in args.sizes.split(",")]
    started = time.monotonic()
    print("Multi Rename benchmark report, %s UTC" % time.strftime("%Y-%m-%d %H:%M",
                                                                 time.gmtime()))
    print("machine: %s; load average at start: %s" % (machine(), load()))
    if os.environ.get("MR_BUILD_SECONDS"):
        print("Release builds (the bench preset and the module, -j2): %s s wall" %
              os.environ["MR_BUILD_SECONDS"])
    print("Figures: wall time, CPU time in brackets (the machine may be shared).\n")
    table = Table(sizes)
    notes = []
    work = Path(tempfile.mkdtemp(prefix="mr-report-", dir="/dev/shm"))
    try:
        bare_rename = engine_figures(build, sizes, table, notes)
        apply_figures(build, sizes, table, bare_rename, notes, work)
        if args.no_wine:
            notes.append("Under Wine: not measured (--no-wine)")
        else:
            open_figures(sizes, table, notes)
            dialog_figures(sizes, table, notes)
        table.print()
        records_figures(build, max(sizes), notes, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("\nNotes:")
    for n in notes:
        print("  " + n)
    print("\nload average at end: %s; report took %.0f s" % (load(), time.monotonic() - started))


if __name__ == "__main__":
    main()
