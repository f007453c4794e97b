#!/usr/bin/env python3
"""Benchmarks; each prints its figures (medians over repeated runs).

overhead  the native program running a do-nothing setup, against /bin/sh -c
          running the same command directly; interleaved runs; goal: median
          ratio at most 1.05. Also timed: a bare C program that only calls
          system(), the least that running the setup through the
          interpreter costs, to tell the program's own share apart
report    the error-file report on a 100,000-line file, output to a file,
          against a minimal C loop that reads a line, writes it and flushes;
          goal: median ratio at most 1.2
size      the stripped size of the 32-bit Quorvantel.exe and the DLLs it
          imports; goal: at most 512 KiB, Windows system DLLs only
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "release"))
import check_release  # noqa: E402


def timed(command, **kwargs):
    start = time.perf_counter()
    subprocess.run(command, check=True, **kwargs)
    return time.perf_counter() - start


def median_ms(samples):
    return statistics.median(samples) * 1000


def overhead(build, runs):
    work = tempfile.mkdtemp()
    try:
        shutil.copy(os.path.join(build, "bench", "setup.exe"), work)
        program = os.path.join(build, "Quorvantel")
        options = ["/T=c", "/L=g", "/S=i", "/D=" + work]
        direct = "'./setup.exe' '/S' '/L=g' '/SO=i' '/T=c' '/D=%s'" % work
        floor = os.path.join(build, "bench", "system_floor")
        ours, shell, floors = [], [], []
        for _ in range(runs):
            ours.append(timed([program, "./setup.exe", *options], cwd=work,
                              stdout=subprocess.DEVNULL))
            shell.append(timed(["/bin/sh", "-c", direct], cwd=work))
            floors.append(timed([floor, direct], cwd=work))
        leftovers = sorted(set(os.listdir(work)) - {"setup.exe"})
    finally:
        shutil.rmtree(work)
    ratio = statistics.median(a / b for a, b in zip(ours, shell))
    floor_ratio = statistics.median(a / b for a, b in zip(floors, shell))
    own_ratio = statistics.median(a / b for a, b in zip(ours, floors))
    print("overhead: %d interleaved runs; Quorvantel %.3f ms, /bin/sh -c "
          "%.3f ms (medians); median ratio %.3f (goal <= 1.05)"
          % (runs, median_ms(ours), median_ms(shell), ratio))
    print("overhead: a bare C program that only calls system() %.3f ms, "
          "ratio %.3f to /bin/sh -c; Quorvantel against it %.3f"
          % (median_ms(floors), floor_ratio, own_ratio))
    if leftovers:
        print("overhead: files left behind: %s" % leftovers)


def report(build, runs, lines):
    work = tempfile.mkdtemp()
    try:
        source = os.path.join(work, "source.txt")
        with open(source, "wb") as f:
            for i in range(lines):
                f.write(b"Unknown tool letter in line %06d of the setup\r\n"
                        % i)
        target = os.path.join(work, "errorFile.txt")
        ours, loop = [], []
        for _ in range(runs):
            for binary, samples in (("report_main", ours),
                                    ("line_loop", loop)):
                shutil.copyfile(source, target)
                with open(os.path.join(work, "out"), "wb") as out:
                    samples.append(timed(
                        [os.path.join(build, "bench", binary), target],
                        stdout=out))
    finally:
        shutil.rmtree(work)
    ratio = statistics.median(a / b for a, b in zip(ours, loop))
    print("report: %d lines, %d interleaved runs; report %.1f ms, C loop "
          "%.1f ms (medians); median ratio %.3f (goal <= 1.2)"
          % (lines, runs, median_ms(ours), median_ms(loop), ratio))


def size(exe):
    stripped = tempfile.mktemp(suffix=".exe")
    try:
        subprocess.run(["i686-w64-mingw32-strip", "-o", stripped, exe],
                       check=True, env=dict(os.environ, SOURCE_DATE_EPOCH="0"))
        size_bytes = os.path.getsize(stripped)
        dlls = check_release.PeFile(stripped).imported_dlls()
    finally:
        if os.path.exists(stripped):
            os.remove(stripped)
    system_only = {d.lower() for d in dlls} <= check_release.SYSTEM_DLLS
    print("size: stripped Quorvantel.exe (32-bit) %d bytes = %.1f KiB "
          "(goal <= 512 KiB); imports %s (%s)"
          % (size_bytes, size_bytes / 1024, ", ".join(dlls),
             "Windows system DLLs only" if system_only else "NOT only system"))


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawTextHelpFormatter)
    parser.add_argument("which", nargs="*", default=["overhead", "report", "size"])
    parser.add_argument("--build", default=os.path.join(ROOT, "build", "bench"))
    parser.add_argument("--exe", default=os.path.join(ROOT, "build", "win32",
                                                      "Quorvantel.exe"))
    parser.add_argument("--runs", type=int, default=201)
    parser.add_argument("--report-runs", type=int, default=21)
    parser.add_argument("--lines", type=int, default=100000)
    args = parser.parse_args()
    for which in args.which:
        if which == "overhead":
            overhead(args.build, args.runs)
        elif which == "report":
            report(args.build, args.report_runs, args.lines)
        elif which == "size":
            size(args.exe)
        else:
            parser.error("no benchmark " + which)


if __name__ == "__main__":
    main()
