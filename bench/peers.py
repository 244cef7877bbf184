#!/usr/bin/env python3
"""Kelvary beside ImageMagick and libvips: the same operations on the same
12-megapixel picture, each tool through its command line, on one core and on
all of them, in one run.

    python3 bench/peers.py [build dir, default build] [runs, default 5] > table.md

Needs ImageMagick (convert, identify) and libvips-tools (vips):
    apt-get install imagemagick libvips-tools

Every command is a whole process, timed from start to exit; the table gives
the median of the runs in milliseconds, with the fastest and slowest run.
Each tool reads its own uncompressed format (Kelvary's bare .raw rows,
ImageMagick's .mpc, vips's .v) and writes it too, except ImageMagick, which
works each operation as it comes and so writes nothing (null:). An
operation's figure is its command's time less the median of the same tool's
plain copy, so start-up and the uncompressed input and output cancel out.
Decoding is a copy from the JPEG or PNG file, encoding a copy to one, each
less the plain copy. "One core" pins the process to core 0 and sets the
tools' own thread limits to 1; vips has no colour count.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

BUILD = sys.argv[1] if len(sys.argv) > 1 else "build"
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 5
KELVARY = os.path.abspath(os.path.join(BUILD, "bench", "kelvary_peer_ops"))

BOX = "3 3 9 0\n1 1 1\n1 1 1\n1 1 1\n"
EMBOSS = "3 3 1 128\n-1 -1 0\n-1 0 1\n0 1 1\n"
IM_EMBOSS = "3x3: -1,-1,0 -1,0,1 0,1,1"

# Each row: the operation and, per tool, its command (None when the tool has
# no such operation). {in} is the tool's uncompressed picture, {out} its output.
ROWS = [
    ("decode JPEG",
     ["copy", "photo.jpg", "out.raw"], ["convert", "photo.jpg", "null:"], ["vips", "copy", "photo.jpg", "out.v"]),
    ("decode PNG",
     ["copy", "photo.png", "out.raw"], ["convert", "photo.png", "null:"], ["vips", "copy", "photo.png", "out.v"]),
    ("brightness/contrast", ["brightness-contrast"], ["-brightness-contrast", "20x60"],
     ["linear", "{in}", "{out}", "1.6", "20", "--uchar"]),
    ("grey", ["grey"], ["-colorspace", "Gray"], ["colourspace", "{in}", "{out}", "b-w"]),
    ("negate", ["negate"], ["-negate"], ["invert", "{in}", "{out}"]),
    ("3 x 3 blur", ["blur3x3"], ["-define", "convolve:scale=!", "-morphology", "Convolve", "Square:1"],
     ["conv", "{in}", "{out}", "box.mat", "--precision", "integer"]),
    ("emboss", ["emboss"], ["-morphology", "Convolve", IM_EMBOSS],
     ["conv", "{in}", "{out}", "emboss.mat", "--precision", "integer"]),
    ("flip", ["flip"], ["-flop"], ["flip", "{in}", "{out}", "horizontal"]),
    ("rotate 90", ["rotate90"], ["-rotate", "90"], ["rot", "{in}", "{out}", "d90"]),
    ("resize 50 %", ["resize50"], ["-resize", "50%"], ["resize", "{in}", "{out}", "0.5"]),
    ("colour count", ["colours"], "identify", None),
    ("encode JPEG",
     ["copy", "photo.raw", "out.jpg"], ["convert", "photo.mpc", "-quality", "80", "out.jpg"],
     ["vips", "copy", "photo.v", "out.jpg[Q=80]"]),
    ("encode PNG",
     ["copy", "photo.raw", "out.png"], ["convert", "photo.mpc", "out.png"], ["vips", "copy", "photo.v", "out.png"]),
]


def kelvary_command(entry):
    return [KELVARY] + entry if len(entry) == 3 else [KELVARY, entry[0], "photo.raw", "out.raw"]


def magick_command(entry):
    if entry[0] == "convert":
        return entry
    return ["convert", "photo.mpc"] + entry + ["null:"]


def vips_command(entry):
    if entry[0] == "vips":
        return entry
    return ["vips", entry[0]] + [a.format(**{"in": "photo.v", "out": "out.v"}) for a in entry[1:]]


def median_ms(command, env):
    subprocess.run(command, env=env, check=True, stdout=subprocess.DEVNULL)  # warm-up
    times = []
    for _ in range(RUNS):
        start = time.perf_counter()
        subprocess.run(command, env=env, check=True, stdout=subprocess.DEVNULL)
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times), min(times), max(times)


def environment(one_core):
    env = dict(os.environ)
    if one_core:
        env.update(MAGICK_THREAD_LIMIT="1", VIPS_CONCURRENCY="1", OMP_NUM_THREADS="1")
    return env


def pinned(command, one_core):
    return (["taskset", "-c", "0"] if one_core else []) + command


def column(tool, one_core):
    env = environment(one_core)
    copies = {
        "kelvary": [KELVARY, "copy", "photo.raw", "out.raw"],
        "magick": ["convert", "photo.mpc", "null:"],
        "vips": ["vips", "copy", "photo.v", "out.v"],
    }
    copy = median_ms(pinned(copies[tool], one_core), env)[0]
    figures = []
    for _, kelvary, magick, vips in ROWS:
        command = {"kelvary": kelvary, "magick": magick, "vips": vips}[tool]
        if command is None:
            figures.append(None)
        elif command == "identify":  # the count alone, less reading the picture
            count = median_ms(pinned(["identify", "-format", "%k", "photo.mpc"], one_core), env)
            read = median_ms(pinned(["identify", "-format", "%w", "photo.mpc"], one_core), env)
            figures.append(tuple(c - read[0] for c in count))
        else:
            build = {"kelvary": kelvary_command, "magick": magick_command, "vips": vips_command}[tool]
            figures.append(tuple(t - copy for t in median_ms(pinned(build(command), one_core), env)))
    return copy, figures


def main():
    for tool in ("convert", "identify", "vips", "taskset"):
        if shutil.which(tool) is None:
            sys.exit(f"{tool} is missing: apt-get install imagemagick libvips-tools util-linux")
    if not os.access(KELVARY, os.X_OK):
        sys.exit(f"{KELVARY} is missing: cmake --build {BUILD} --target kelvary_peer_ops")
    work = tempfile.mkdtemp(prefix="kelvary-peers-")
    os.chdir(work)
    with open("box.mat", "w") as f:
        f.write(BOX)
    with open("emboss.mat", "w") as f:
        f.write(EMBOSS)
    for made in ("photo.png", "photo.jpg", "photo.raw"):
        subprocess.run([KELVARY, "photo", "-", made], check=True)
    subprocess.run(["convert", "photo.png", "photo.mpc"], check=True)
    subprocess.run(["vips", "copy", "photo.png", "photo.v"], check=True)

    tools = ("kelvary", "magick", "vips")
    columns = {}
    for one_core in (True, False):
        for tool in tools:
            columns[(tool, one_core)] = column(tool, one_core)
    shutil.rmtree(work)

    magick = subprocess.run(["convert", "-version"], capture_output=True, text=True).stdout.splitlines()[0]
    vips = subprocess.run(["vips", "--version"], capture_output=True, text=True).stdout.strip()
    print(f"12-megapixel picture (4000 x 3000, 24 bits), {os.cpu_count()} cores, median (fastest to slowest) of {RUNS} runs, ms.")
    print(f"{magick}; {vips}.\n")
    names = {"kelvary": "Kelvary", "magick": "ImageMagick", "vips": "vips"}
    heads = [f"{names[t]}, {'one core' if one else 'all cores'}" for one in (True, False) for t in tools]
    print("| Operation | " + " | ".join(heads) + " |")
    print("|---" * (len(heads) + 1) + "|")
    order = [(t, one) for one in (True, False) for t in tools]
    for i, row in enumerate(ROWS):
        cells = []
        for key in order:
            value = columns[key][1][i]
            cells.append("n/a" if value is None else f"{value[0]:.0f} ({value[1]:.0f} to {value[2]:.0f})")
        print(f"| {row[0]} | " + " | ".join(cells) + " |")
    print("| (plain copy, subtracted) | " + " | ".join(f"{columns[k][0]:.0f}" for k in order) + " |")


if __name__ == "__main__":
    main()
