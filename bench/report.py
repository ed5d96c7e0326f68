"""Turns the samples of bench/run into bench/results/results.md, results.csv and results.png.

    report.py SAMPLES INFO RESULTS_DIR

SAMPLES has one line per run: "section case repetition value", the value in seconds, or in
GiB/s for the generator. INFO has "key value" lines about the run.
"""
import math
import platform
import statistics
import sys
from datetime import datetime, timezone

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

samples_path, info_path, results = sys.argv[1:4]

samples = {}
for line in open(samples_path):
    section, case, _, value = line.split()
    samples.setdefault((section, case), []).append(float(value))
info = dict(line.rstrip("\n").split(" ", 1) for line in open(info_path))
reps, slow_reps = int(info["reps"]), int(info["slow_reps"])
multi_mib = int(info["multi_mib"])
tree_files, tree_folders = int(info["tree_files"]), int(info["tree_folders"])
tree_mib = int(info["tree_bytes"]) / 2**20
free_mib = int(info["free_bytes"]) / 2**20
packed_mib = int(info["packed_mib"])
# The x86-64 build's cases are there where the host started both builds.
both_builds = ("pass1024", "zeroes_x64") in samples


def median(section, case):
    return statistics.median(samples[(section, case)])


# Every row: section, case, label, role (ours, peer, limit), throughput and its unit, the
# speed ratio against the peer and against the limit (above 1: faster), and the peer's name.
rows = []


def add(section, case, label, role, throughput, unit, vs_peer=None, vs_limit=None, extra="",
        computed=None):
    """A row of measured runs, or with `computed` a row of seconds derived from other rows."""
    runs = [] if computed is not None else samples[(section, case)]
    rows.append(dict(section=section, case=case, label=label, role=role, runs=runs,
                     median=computed if computed is not None else median(section, case),
                     throughput=throughput, unit=unit, vs_peer=vs_peer, vs_limit=vs_limit,
                     extra=extra))


# 1. One pass.
for size_mib in (256, 1024):
    section = f"pass{size_mib}"
    t = {case: median(section, case) for case in ("zeroes", "random", "dd", "shred", "shred_zero")}
    speed = {case: size_mib / seconds for case, seconds in t.items()}
    add(section, "zeroes", "ours, zeroes (0x90)", "ours", speed["zeroes"], "MiB/s",
        t["shred_zero"] / t["zeroes"], t["dd"] / t["zeroes"])
    add(section, "random", "ours, pseudo-random (0x88)", "ours", speed["random"], "MiB/s",
        t["shred"] / t["random"], t["dd"] / t["random"])
    if both_builds:
        for case, label in (("zeroes_x64", "zeroes (0x90)"), ("random_x64", "pseudo-random (0x88)")):
            seconds = median(section, case)
            peer = t["shred_zero"] if case == "zeroes_x64" else t["shred"]
            add(section, case, f"ours, x86-64 build, {label}", "ours", size_mib / seconds, "MiB/s",
                peer / seconds, t["dd"] / seconds,
                f"the release ÷ this build: {seconds / t[case[:-4]]:.2f}")
    add(section, "shred_zero", "shred -n0 -z (zeroes)", "peer", speed["shred_zero"], "MiB/s",
        vs_limit=t["dd"] / t["shred_zero"])
    add(section, "shred", "shred -n1 (random)", "peer", speed["shred"], "MiB/s",
        vs_limit=t["dd"] / t["shred"])
    add(section, "dd", "dd zeroes over the file, conv=notrunc,fsync (limit)", "limit",
        speed["dd"], "MiB/s")

# 2. Several passes: the limit of N passes is N passes written at dd's rate over the 1 GiB file;
# one flushed pass of dd over the small file costs mostly the flush's latency.
passes = {"dod": 3, "shred3": 3, "gutmann": 35, "srm": 38}
t = {case: median("multi", case) for case in passes}
t["dd"] = multi_mib * median("pass1024", "dd") / 1024
passes["dd"] = 1
rate = {case: passes[case] / t[case] for case in passes}


def multi_limit(case):
    return passes[case] * t["dd"] / t[case]


# DoD reads its last pass back: its limit with the read-back adds one sequential read of the file
# from the device, which dd measures past the cache.
t["readback"] = median("multi", "readback")
dod_with_read = 3 * t["dd"] + t["readback"]
add("multi", "dod", "ours, DoD 5220.22-M (0x84), 3 passes", "ours", rate["dod"], "passes/s",
    t["shred3"] / t["dod"], multi_limit("dod"),
    extra=f"÷ 3 passes at dd's rate and one direct read: {dod_with_read / t['dod']:.2f}")
add("multi", "shred3", "shred -n3, 3 passes", "peer", rate["shred3"], "passes/s",
    vs_limit=multi_limit("shred3"))
add("multi", "gutmann", "ours, Gutmann (0x81), 35 passes", "ours", rate["gutmann"], "passes/s",
    rate["gutmann"] / rate["srm"], multi_limit("gutmann"))
add("multi", "srm", "srm, default mode, 38 passes", "peer", rate["srm"], "passes/s",
    vs_limit=multi_limit("srm"))
add("multi", "readback", "one sequential read of the file from the device, dd iflag=direct",
    "limit", multi_mib / t["readback"], "MiB/s")
add("multi", "dd", f"one {multi_mib} MiB pass at dd's rate over the 1 GiB file (limit)", "limit",
    rate["dd"], "passes/s", extra="computed, not run", computed=t["dd"])

# 3. Many small files.
t = {case: median("tree", case)
     for case in ("ours", "ours_wide", "shred_u", "rm", "wine_delete", "wine_start")}


def per_file(case):
    return f"{1000 * t[case] / tree_files:.3f} ms a file"


add("tree", "ours", "ours, EmptyDirectory, one pseudo-random pass (0x88)", "ours",
    tree_files / t["ours"], "files/s", t["shred_u"] / t["ours"], t["rm"] / t["ours"],
    f"{per_file('ours')}; ÷ Wine's floor {t['wine_delete'] / t['ours']:.3f}")
add("tree", "ours_wide", "ours, the same with names no code page spells", "ours",
    tree_files / t["ours_wide"], "files/s", t["shred_u"] / t["ours_wide"], t["rm"] / t["ours_wide"],
    f"{per_file('ours_wide')}; ÷ plain names {t['ours'] / t['ours_wide']:.3f}")
if both_builds:
    t["ours_x64"] = median("tree", "ours_x64")
    add("tree", "ours_x64", "ours, x86-64 build, EmptyDirectory, one pseudo-random pass", "ours",
        tree_files / t["ours_x64"], "files/s", t["shred_u"] / t["ours_x64"], t["rm"] / t["ours_x64"],
        f"{per_file('ours_x64')}; the release ÷ this build {t['ours_x64'] / t['ours']:.3f}")
add("tree", "shred_u", "find -exec shred -u -n1 (random)", "peer", tree_files / t["shred_u"],
    "files/s", vs_limit=t["rm"] / t["shred_u"], extra=per_file("shred_u"))
add("tree", "wine_delete", "plain deletion under Wine (DeleteFileA, RemoveDirectoryA)", "limit",
    tree_files / t["wine_delete"], "files/s", vs_limit=t["rm"] / t["wine_delete"],
    extra=per_file("wine_delete"))
add("tree", "rm", "rm -rf (floor)", "limit", tree_files / t["rm"], "files/s",
    extra=per_file("rm"))
add("tree", "wine_start", "start and end of a Windows program under Wine (no work)", "limit",
    None, "", extra="not in our times: they are taken inside the process")

# 4. Free space.
t = {case: median("free", case) for case in ("ours", "dd", "sfill")}
add("free", "ours", "ours, ShredUnSpace, zeroes (0x90)", "ours", free_mib / t["ours"], "MiB/s",
    t["sfill"] / t["ours"], t["dd"] / t["ours"])
add("free", "sfill", "sfill -l -l -z (one zero pass, free space and inodes)", "peer",
    free_mib / t["sfill"], "MiB/s", vs_limit=t["dd"] / t["sfill"])
add("free", "dd", "dd zeroes until full, conv=fsync, then rm (limit)", "limit",
    free_mib / t["dd"], "MiB/s")

# 4, names: the wipe of a volume holding the tree against one holding a file of the same bytes;
# what it adds is the cover of the tree's folders.
t = {case: median("names", case) for case in ("tree", "flat")}
held_mib = free_mib - tree_mib
added = t["tree"] / t["flat"] - 1
add("names", "tree", f"ours, ShredUnSpace, zeroes, the volume holding the tree of "
    f"{tree_folders} folders", "ours", held_mib / t["tree"], "MiB/s",
    extra=f"the folders' covers add {100 * added:.1f}% to the wipe")
add("names", "flat", "ours, the same, the volume holding one file of the same bytes", "limit",
    held_mib / t["flat"], "MiB/s")

# 8. A compressed file against the same file stored plainly.
t = {case: median("packed", case) for case in ("packed", "plain")}
add("packed", "packed", f"ours, zeroes (0x90), a {packed_mib} MiB text NTFS keeps compressed",
    "ours", packed_mib / t["packed"], "MiB/s", vs_limit=t["plain"] / t["packed"],
    extra="a pass of random data first, which cannot compress")
add("packed", "plain", "ours, zeroes, the same text stored plainly", "limit",
    packed_mib / t["plain"], "MiB/s")

# 9. A whole run with and without what it adds to its erase: the plan of its bytes from a walk of
# what it will erase, its record, and its report written.
t = {case: median("run", case)
     for case in ("tree_bare", "tree_reported", "file_bare", "file_reported")}
for kind, label, amount, unit in (("tree", f"the tree of {tree_files:,} small files", tree_files,
                                   "files/s"), ("file", "the 1 GiB file", 1024, "MiB/s")):
    add("run", f"{kind}_reported", f"ours, a run over {label}, planned, recorded and reported",
        "ours", amount / t[f"{kind}_reported"], unit, vs_limit=t[f"{kind}_bare"] /
        t[f"{kind}_reported"], extra="the plan, the record and the report add "
        f"{100 * (t[f'{kind}_reported'] / t[f'{kind}_bare'] - 1):.1f}%")
    add("run", f"{kind}_bare", f"ours, the same run with none of them", "limit",
        amount / t[f"{kind}_bare"], unit)

# 5. The generator; the values are GiB/s already.
g = {case: median("rng", case) for section, case in samples if section == "rng"}
windows_build = "32-bit release" if info["arch"] == "i686" else "x86-64 build"
add("rng", "chacha_windows", f"ours, ChaChaRng, {windows_build} under Wine", "ours",
    g["chacha_windows"], "GiB/s", g["chacha_windows"] / g["chacha_native"],
    g["chacha_windows"] / g["memset_windows"])
if both_builds:
    add("rng", "chacha_windows_x64", "ours, ChaChaRng, x86-64 build under Wine", "ours",
        g["chacha_windows_x64"], "GiB/s", g["chacha_windows_x64"] / g["chacha_native"],
        g["chacha_windows_x64"] / g["memset_windows_x64"])
add("rng", "chacha_native", "ours, ChaChaRng, native x86-64 build", "ours",
    g["chacha_native"], "GiB/s", vs_limit=g["chacha_native"] / g["memset_native"])
add("rng", "memset_windows", f"memset, {windows_build} under Wine (limit)", "limit",
    g["memset_windows"], "GiB/s")
if both_builds:
    add("rng", "memset_windows_x64", "memset, x86-64 build under Wine (limit)", "limit",
        g["memset_windows_x64"], "GiB/s")
add("rng", "memset_native", "memset, native x86-64 build (limit)", "limit",
    g["memset_native"], "GiB/s")


def row(section, case):
    return next(r for r in rows if r["section"] == section and r["case"] == case)


targets = [
    (f"one pass, zeroes, {s}: ÷ dd ≥ {bound}", row(f"pass{n}", "zeroes")["vs_limit"], bound)
    for n, s, bound in ((256, "256 MiB", 0.85), (1024, "1 GiB", 0.95))
] + [
    (f"one pass, pseudo-random, {s}: ÷ dd ≥ {bound}", row(f"pass{n}", "random")["vs_limit"],
     bound)
    for n, s, bound in ((256, "256 MiB", 0.85), (1024, "1 GiB", 0.95))
] + [
    ("many small files: files/s ≥ 1,000", row("tree", "ours")["throughput"], 1000),
    ("small files with names no code page spells: ÷ plain names ≥ 0.95",
     row("tree", "ours")["median"] / row("tree", "ours_wide")["median"], 0.95),
    ("DoD, 3 passes: ÷ shred -n3 (time) ≥ 1", row("multi", "dod")["vs_peer"], 1),
    ("Gutmann: ÷ srm (passes/s) ≥ 1", row("multi", "gutmann")["vs_peer"], 1),
    ("many small files: ÷ shred -u (time) ≥ 1", row("tree", "ours")["vs_peer"], 1),
    ("free space: ÷ dd ≥ 0.85", row("free", "ours")["vs_limit"], 0.85),
    ("free space: time without the folders' covers ÷ with them ≥ 0.9",
     row("names", "flat")["median"] / row("names", "tree")["median"], 0.9),
    ("a run over small files: time without plan, record and report ÷ with them ≥ 0.98",
     row("run", "tree_reported")["vs_limit"], 0.98),
    ("a run over 1 GiB: time without plan, record and report ÷ with them ≥ 0.98",
     row("run", "file_reported")["vs_limit"], 0.98),
    ("random data, Windows build: GiB/s ≥ 1", row("rng", "chacha_windows")["throughput"], 1),
    ("random data, Windows build: ÷ native build ≥ 0.9", row("rng", "chacha_windows")["vs_peer"],
     0.9),
]


def spread(section, case):
    runs = samples[(section, case)]
    return max(runs) - min(runs)


# A spread no wider than dd's: dd's spread ÷ ours at least 1.
targets += [
    (f"one pass, {name}, 1 GiB: spread of the runs, dd's ÷ ours ≥ 1",
     spread("pass1024", "dd") / spread("pass1024", case), 1)
    for case, name in (("zeroes", "zeroes"), ("random", "pseudo-random"))
]

sections = [
    ("pass256", "1. One pass over a 256 MiB file", reps, "s"),
    ("pass1024", "1. One pass over a 1 GiB file", reps, "s"),
    ("multi", f"2. Several passes over a {multi_mib} MiB file", slow_reps, "s"),
    ("tree", f"3. Many small files: {tree_files:,} files of 1–64 KiB ({tree_mib:.0f} MiB) "
             f"in {tree_folders} folders", slow_reps, "s"),
    ("free", f"4. Free space of a 512 MiB volume ({free_mib:.0f} MiB free)", reps, "s"),
    ("names", f"4. Free space and the names in its folders: the same volume holding "
              f"{tree_mib:.0f} MiB", slow_reps, "s"),
    ("packed", f"8. A compressed file on NTFS, {packed_mib} MiB through ntfs-3g", reps, "s"),
    ("run", "9. A whole run with its plan, record and report, and without", slow_reps, "s"),
    ("rng", "5. Random data in memory, one 3 MiB buffer (the erase component's chunk)", reps,
     "GiB/s"),
]
peers = {"pass256": "shred of the same data", "pass1024": "shred of the same data",
         "multi": "shred -n3 (time) / srm (passes/s)", "tree": "shred -u", "free": "sfill",
         "rng": "native build", "names": "none", "packed": "none", "run": "none"}
limits = {"pass256": "dd", "pass1024": "dd", "multi": "dd's rate × passes", "tree": "rm -rf",
          "free": "dd", "rng": "memset", "names": "one file",
          "packed": "plain file", "run": "the run without them"}


def fmt(value, digits=2):
    return "" if value is None else f"{value:.{digits}f}"


def fmt_speed(r):
    if r["throughput"] is None:
        return ""
    digits = 2 if r["unit"] in ("GiB/s", "passes/s") else 0
    return f"{r['throughput']:,.{digits}f} {r['unit']}"


with open(f"{results}/results.csv", "w") as csv:
    most = max(len(r["runs"]) for r in rows)
    csv.write("section,case,label,role," + ",".join(f"run{i + 1}" for i in range(most)) +
              ",median,median_unit,throughput,throughput_unit,vs_peer,vs_limit\n")
    for r in rows:
        runs = [f"{v:.6f}" for v in r["runs"]] + [""] * (most - len(r["runs"]))
        unit = "GiB/s" if r["section"] == "rng" else "s"
        csv.write(",".join([r["section"], r["case"], '"' + r["label"] + '"', r["role"]] + runs +
                           [f"{r['median']:.6f}", unit, fmt(r["throughput"], 3),
                            r["unit"] if r["section"] != "rng" else "GiB/s",
                            fmt(r["vs_peer"], 3), fmt(r["vs_limit"], 3)]) + "\n")

cpu = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo")
            if line.startswith("model name")), platform.processor())
with open(f"{results}/results.md", "w") as md:
    md.write("# Benchmark: the erase component and the cleaning engine\n\n")
    md.write(f"{datetime.now(timezone.utc):%Y-%m-%d %H:%M} UTC, {cpu}, "
             f"Linux {platform.release()}, {info['wine']}; measured: {info['builds']}. ext4 on loop-mounted sparse images; "
             "page cache dropped before every run. Medians of the runs given per section, run "
             "in turns.\n\n")
    md.write("Our times are taken inside the Windows process around the engine's call alone "
             "(overwrite, flushes, truncation, renames, deletion); the Linux tools' times are the "
             "whole command. Ratios compare speed: above 1 means the row is faster than the "
             "peer or the limit.\n\n")
    for section, title, count, unit in sections:
        md.write(f"## {title}\n\nMedian of {count} runs.\n\n")
        md.write(f"| case | median {unit} | runs, min–max | speed | ÷ {peers[section]} | "
                 f"÷ {limits[section]} | notes |\n")
        md.write("|---|---:|---:|---:|---:|---:|---|\n")
        for r in (r for r in rows if r["section"] == section):
            digits = 2 if section == "rng" else 3
            label = f"**{r['label']}**" if r["role"] == "ours" else r["label"]
            spread = (f"{min(r['runs']):.{digits}f}–{max(r['runs']):.{digits}f}"
                      if r["runs"] else "")
            md.write(f"| {label} | {r['median']:.{digits}f} | {spread} | {fmt_speed(r)} | "
                     f"{fmt(r['vs_peer'])} | {fmt(r['vs_limit'])} | {r['extra']} |\n")
        md.write("\n")
    md.write("## Targets\n\n")
    for text, value, threshold in targets:
        md.write(f"- {text}: {value:.2f} — {'met' if value >= threshold else 'missed'}\n")
    md.write("\nNotes: shred without -u leaves the file, while our one-pass time includes the "
             "removal; the DoD method reads its last pass back, shred -n3 does not; srm writes "
             "32 KiB at a time with O_SYNC; sfill also fills the free inodes, as our wipe fills "
             f"the file system's slack with small files. The multi-pass file is {multi_mib} MiB "
             "to keep the run short; their limit is the passes written at dd's rate over the "
             "1 GiB file. sfill runs after the turns of the other two free-space cases, since "
             "the next full writes after it run slower for a while.\n")

# The chart: one panel per section, bars coloured by role, higher is better everywhere.
colours = {"ours": "#1f6fb4", "peer": "#e8812a", "limit": "#9a9a9a"}
fig, axes = plt.subplots(3, 2, figsize=(15, 13.5))
fig.suptitle("Erase component and cleaning engine against Linux tools and the volume's limit"
             " (medians; higher is better)", fontsize=14, fontweight="bold")


def bar(label, r, note, light=False):
    return dict(label=label, value=r["throughput"], role=r["role"], note=note, light=light)


def bars(ax, items, title, xlabel, log=False, left=None):
    """Horizontal bars from top to bottom, each with its note at its end; a logarithmic axis
    starts at `left`, or a power of ten well below the shortest bar."""
    positions = list(range(len(items)))[::-1]
    top = max(item["value"] for item in items)
    for y, item in zip(positions, items):
        ax.barh(y, item["value"], color=colours[item["role"]],
                alpha=0.55 if item["light"] else 1.0, hatch="//" if item["light"] else "",
                edgecolor="white")
        x = item["value"] * 1.08 if log else item["value"] + top * 0.01
        ax.text(x, y, item["note"], va="center", fontsize=8.5)
    ax.set_yticks(positions)
    ax.set_yticklabels([item["label"] for item in items])
    ax.set_title(title, loc="left", fontweight="bold")
    ax.set_xlabel(xlabel)
    if log:
        ax.set_xscale("log")
    if log:
        shortest = min(item["value"] for item in items)
        left = left or 10 ** math.floor(math.log10(shortest / 2))
        ax.set_xlim(left, top * 8)
    else:
        ax.set_xlim(0, top * 1.45)
    ax.grid(axis="x", alpha=0.3)


def times_limit(r):
    return f"  ({r['vs_limit']:.2f}× {limits[r['section']]})" if r["vs_limit"] else ""


one = []
for case, label in (("zeroes", "ours, zeroes"), ("random", "ours, pseudo-random"),
                    ("shred_zero", "shred -n0 -z"), ("shred", "shred -n1"), ("dd", "dd (limit)")):
    for size, name in ((1024, "1 GiB"), (256, "256 MiB")):
        r = row(f"pass{size}", case)
        one.append(bar(f"{label}, {name}", r, f"{r['throughput']:,.0f}{times_limit(r)}",
                       light=size == 256))
    if both_builds and case in ("zeroes", "random"):
        r = row("pass1024", f"{case}_x64")
        one.append(bar(f"{label}, 1 GiB, x86-64 build", r,
                       f"{r['throughput']:,.0f}{times_limit(r)}"))
bars(axes[0][0], one, "1. One pass over one file", "MiB/s")

short = {"dod": "ours, DoD 5220.22-M, 3 passes", "shred3": "shred -n3, 3 passes",
         "gutmann": "ours, Gutmann, 35 passes", "srm": "srm, 38 passes",
         "dd": "dd's 1 GiB rate, 1 pass (limit)"}
bars(axes[0][1], [bar(short[r["case"]], r, f"{r['throughput']:.2f}/s, {r['median']:.2f} s")
                  for r in rows if r["section"] == "multi" and r["case"] in short],
     f"2. Several passes over a {multi_mib} MiB file", "passes per second (log)", log=True)

short = {"ours": "ours, EmptyDirectory, 1 random pass", "ours_wide": "ours, names no code page spells",
         "shred_u": "shred -u -n1",
         "wine_delete": "DeleteFileA under Wine (floor)", "rm": "rm -rf (floor)"}
bars(axes[1][0], [bar(short[r["case"]], r, f"{r['throughput']:,.0f}/s, {r['median']:.2f} s")
                  for r in rows if r["section"] == "tree" and r["case"] in short],
     f"3. {tree_files:,} small files in {tree_folders} folders", "files per second (log)",
     log=True)
axes[1][0].text(0.99, 0.02, "Wine start and end, not counted: "
                f"{row('tree', 'wine_start')['median']:.2f} s",
                transform=axes[1][0].transAxes, ha="right", fontsize=8.5, style="italic")

short = {"ours": "ours, ShredUnSpace, zeroes", "sfill": "sfill -l -l -z",
         "dd": "dd until full (limit)"}
bars(axes[1][1], [bar(short[r["case"]], r,
                      f"{r['throughput']:,.0f}, {r['median']:.2f} s{times_limit(r)}")
                  for r in rows if r["section"] == "free"],
     f"4. Free space of a 512 MiB volume ({free_mib:.0f} MiB)", "MiB of free space per second")

short = {"chacha_windows": f"ChaChaRng, {windows_build}", "chacha_native": "ChaChaRng, native",
         "chacha_windows_x64": "ChaChaRng, x86-64 build",
         "memset_windows": f"memset, {windows_build}", "memset_native": "memset, native",
         "memset_windows_x64": "memset, x86-64 build"}
rng_bars = [bar(short[r["case"]], r, f"{r['throughput']:.2f}") for r in rows if r["section"] == "rng"]
bars(axes[2][0], rng_bars,
     "5. Random data in memory (3 MiB buffer)", "GiB/s (log)", log=True, left=0.5)
axes[2][0].axvline(1, color="#c0392b", linestyle="--", linewidth=1)
axes[2][0].text(1.05, len(rng_bars) - 0.58, "target 1 GiB/s", color="#c0392b", fontsize=8.5)

ax = axes[2][1]
ax.axis("off")
ax.set_title("Targets", loc="left", fontweight="bold")
step = min(0.1, 0.95 / len(targets))
for i, (text, value, threshold) in enumerate(targets):
    met = value >= threshold
    ax.text(0.0, 0.93 - i * step, "met" if met else "MISSED", color="#1e8449" if met else "#c0392b",
            fontweight="bold", fontsize=10, transform=ax.transAxes)
    ax.text(0.15, 0.93 - i * step, f"{text}: {value:.2f}", fontsize=8, transform=ax.transAxes)
ax.text(0.0, -0.04, "blue: ours   orange: Linux peer   grey: limit or floor   "
        "light hatched: 256 MiB", fontsize=9, transform=ax.transAxes)

fig.tight_layout(rect=(0, 0, 1, 0.97))
fig.savefig(f"{results}/results.png", dpi=110)
print(open(f"{results}/results.md").read())
