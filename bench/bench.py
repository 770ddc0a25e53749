#!/usr/bin/env python3
"""Measures Tavrin against its floors inside one Wine session (scripts/bench.sh starts it and
sets TAVRIN_HARNESS) and prints a Markdown table of figures and ratios:

  launch   `Tavrin.scr /s` to a visible full-screen window, against capture_window.exe (copies
           the screen into a bitmap before its full-screen window shows, as the saver does) and
           against bare_window.exe (the window alone)
  CPU      a running saver at pace 1 (a picture every 100 ms), against bare_stamp.exe stamping
           from a 100 ms timer; CPU time of the program's process over the same wall time
  tick     one call of the saver's tick handler (tick_bench.exe), against one bare
           LoadIconA + DrawIcon (bare_stamp.exe loop)
  size     Tavrin.scr, 32- and 64-bit, against bare_stamp.exe of the same build (a C program
           with the same icons around a bare stamp loop)

The launch figure is the median of several runs, the tick figure the best of several; the runs
of a figure and of its floor alternate so that both see the same machine."""
import argparse
import os
import re
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "harness"))
import tavrin_harness as h  # noqa: E402

TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")


def options():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build32", required=True, help="the 32-bit build tree (its programs are measured)")
    parser.add_argument("--build64", help="the 64-bit build tree (sizes only)")
    parser.add_argument("--measure", help="the tree whose programs are timed instead of the 32-bit one "
                        "(the 64-bit one, on a machine that runs no 32-bit programs)")
    parser.add_argument("--launches", type=int, default=20)
    parser.add_argument("--cpu-seconds", type=int, default=60)
    parser.add_argument("--ticks", type=int, default=1000)
    parser.add_argument("--tick-runs", type=int, default=9)
    return parser.parse_args()


def figure(pattern, text):
    match = re.search(pattern + r"=([0-9.]+)", text)
    if not match:
        raise h.HarnessError(f"no {pattern}= in {text!r}")
    return float(match.group(1))


def store_settings():
    """Pace 1, set 1 with all its pictures, the desktop as background, password option off."""
    h.reset_registry()
    h.reg_load(h.product_key(**h.valid_settings(Speed=1)))


def launch_ms(launcher, program, *args):
    result = h.wine(launcher, program, *args, timeout=60)
    h.reset_state()
    return figure("launch_ms", result.stdout)


def measure_launch(b, count):
    """Medians of the saver, the capturing floor and the bare window."""
    programs = [(b.scr, "/s"), (b.capture_window,), (b.bare_window,)]
    times = [[] for _ in programs]
    for program in programs:  # warm-up of each, not counted
        launch_ms(b.launcher, *program)
    for _ in range(count):
        for program, found in zip(programs, times):
            found.append(launch_ms(b.launcher, *program))
    return [statistics.median(found) for found in times]


def measure_tick(b, ticks, runs):
    saver, floor = [], []
    for _ in range(runs):
        floor.append(figure("stamp_us", h.wine(b.bare_stamp, "loop", str(ticks), timeout=120).stdout))
        saver.append(figure("tick_us", h.wine(b.tick_bench, str(ticks), timeout=120).stdout))
        h.reset_state()
    store_settings()  # tick_bench stored its own
    # The best run: the cost of the work itself, with the least of the other programs on the
    # machine (and the X server's other clients) in it.
    return min(saver), min(floor)


def cpu_seconds(pid):
    fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS_PER_SECOND  # utime + stime


def cpu_percent(command, window_class, seconds):
    """Share of one core the program's own process uses over `seconds` once its window shows."""
    process = subprocess.Popen(["wine", *command], env=h.ENV, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        window = h.wait_window(cls=window_class, pid=None, timeout=20)
        start_cpu, start = cpu_seconds(process.pid), time.monotonic()
        time.sleep(seconds)
        used, elapsed = cpu_seconds(process.pid) - start_cpu, time.monotonic() - start
        h.close(window)
        process.wait(timeout=10)
        return 100.0 * used / elapsed
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
        h.reset_state()


def measure_cpu(b, seconds):
    floor = cpu_percent([b.bare_stamp, "pace", "100", str(seconds + 30)], "TavrinBenchWindow", seconds)
    saver = cpu_percent([b.scr, "/s"], h.SAVER_CLASS, seconds)
    return saver, floor


class Build:
    def __init__(self, tree):
        self.tree = tree
        self.scr = os.path.join(tree, "Tavrin.scr")
        self.bare_window = os.path.join(tree, "bench", "bare_window.exe")
        self.capture_window = os.path.join(tree, "bench", "capture_window.exe")
        self.bare_stamp = os.path.join(tree, "bench", "bare_stamp.exe")
        self.tick_bench = os.path.join(tree, "bench", "tick_bench.exe")
        self.launcher = os.path.join(tree, "bench", "launch_time.exe")


def row(name, saver, floor, unit, digits=1):
    return f"| {name} | {saver:,.{digits}f} {unit} | {floor:,.{digits}f} {unit} | {saver / floor:.2f} |"


def main():
    args = options()
    b32 = Build(args.build32)
    timed = Build(args.measure) if args.measure else b32
    rows = []
    store_settings()
    saver, floor, bare = measure_launch(timed, args.launches)
    rows.append(row(f"Launch to a visible full-screen window (median of {args.launches})", saver, floor, "ms"))
    rows.append(row("Launch, against a bare full-screen window that copies no screen", saver, bare, "ms"))
    print("\n".join(rows), file=sys.stderr)
    saver, floor = measure_tick(timed, args.ticks, args.tick_runs)
    rows.append(row(f"One pace tick (mean of {args.ticks} calls, best of {args.tick_runs} runs)",
                    saver, floor, "µs"))
    print(rows[-1], file=sys.stderr)
    saver, floor = measure_cpu(timed, args.cpu_seconds)
    rows.append(row(f"CPU at pace 1 over {args.cpu_seconds} s (share of one core)", saver, floor, "%", 2))
    print(rows[-1], file=sys.stderr)
    for bits, build in (("32", b32), ("64", Build(args.build64) if args.build64 else None)):
        if build:
            saver, floor = os.path.getsize(build.scr), os.path.getsize(build.bare_stamp)
            rows.append(row(f"Size of Tavrin.scr, {bits}-bit (stripped)", saver / 1024, floor / 1024, "KiB"))

    print("| Measure | Tavrin | Floor | Ratio |")
    print("|---|---:|---:|---:|")
    print("\n".join(rows))


if __name__ == "__main__":
    main()
