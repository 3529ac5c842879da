#!/usr/bin/env python3
"""Measures the program against the floor: a program that only reads the
input and makes one write per record.

Builds the Release program (CMake preset "release") and the floor program,
generates a 10,000-record and a 1,000,000-record input, runs the two in turn
several times on each, and prints the median wall time of each, the ratio
program/floor and each one's peak resident memory.

Usage: bench/run.py [--runs N]
"""
import argparse
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build" / "bench"
SIZES = (10_000, 1_000_000)


def build() -> tuple[Path, Path]:
    for step in (["cmake", "--preset", "release"], ["cmake", "--build", "--preset", "release"]):
        subprocess.run(step, cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    BUILD.mkdir(parents=True, exist_ok=True)
    floor = BUILD / "floor"
    subprocess.run(["c++", "-O2", "-std=c++17", str(ROOT / "bench" / "floor.cpp"), "-o", str(floor)],
                   check=True)
    return ROOT / "build" / "release" / "summary-report", floor


def input_file(records: int) -> Path:
    path = BUILD / f"input-{records}.txt"
    if not path.exists():
        subprocess.run([sys.executable, str(ROOT / "bench" / "generate.py"), str(records), str(path)],
                       check=True)
    return path


def run_once(program: Path, workdir: Path) -> tuple[float, int]:
    """Wall seconds and peak resident KiB of one run in workdir. GNU time
    reports the memory: a child forked from Python would count Python's."""
    report = workdir / "time.txt"
    start = time.perf_counter()
    subprocess.run(["/usr/bin/time", "-f", "%M", "-o", str(report), str(program)],
                   cwd=workdir, check=True)
    seconds = time.perf_counter() - start
    return seconds, int(report.read_text().split()[-1])


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=7)
    runs = parser.parse_args().runs

    program, floor = build()
    print(f"{'records':>9} {'program s':>10} {'floor s':>8} {'ratio':>6} {'program KiB':>12} {'floor KiB':>10}")
    for records in SIZES:
        with tempfile.TemporaryDirectory() as work:
            workdir = Path(work)
            shutil.copy(input_file(records), workdir / "input.txt")
            times = {program: [], floor: []}
            memory = {program: 0, floor: 0}
            for _ in range(runs):
                for candidate in (program, floor):
                    seconds, kib = run_once(candidate, workdir)
                    times[candidate].append(seconds)
                    memory[candidate] = max(memory[candidate], kib)
            program_s = statistics.median(times[program])
            floor_s = statistics.median(times[floor])
            print(f"{records:>9} {program_s:>10.3f} {floor_s:>8.3f} {program_s / floor_s:>6.2f}"
                  f" {memory[program]:>12} {memory[floor]:>10}")


if __name__ == "__main__":
    main()
