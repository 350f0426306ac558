#!/usr/bin/env python3
"""Start-up to first paint, whole process, in a real X server.

Runs bench_first_paint (linked as pomuran is) and bench_first_paint_qt (Qt Widgets alone) many
times for each program: the real start-up (pomuran), an empty QMainWindow (empty) and a window with
the main window's menu bar and a label (menu), interleaved so that a busy machine slows all three alike. Each run's time is from just
before the process is started to the moment its first paint has gone to the screen, so it holds
the dynamic loader, Qt's set-up, the fonts, the draw database and the first paint. The processor
time the process used up to that moment is kept too: on a busy machine it varies far less than
the wall clock. Prints the median and the fastest run of each, and pomuran's ratios to both
baselines.

Uses $DISPLAY when set; otherwise starts its own Xvfb.

  bench/first_paint.py [--runs N] [--bin-dir build/bin]
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

PROGRAMS = ("empty", "menu", "pomuran")


def start_xvfb():
    for number in range(90, 140):
        if os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
            continue
        server = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", "1280x1024x24",
                                   "-nolisten", "tcp"],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if os.path.exists(f"/tmp/.X11-unix/X{number}"):
                return server, f":{number}"
            if server.poll() is not None:
                break
            time.sleep(0.05)
        server.kill()
    sys.exit("first_paint.py: no Xvfb could be started")


def run_once(bin_dir, program, env, folder):
    binary = os.path.join(bin_dir,
                          "bench_first_paint" if program == "pomuran" else "bench_first_paint_qt")
    started = time.monotonic_ns()
    result = subprocess.run([binary, program], env=env, cwd=folder, capture_output=True,
                            text=True, timeout=60)
    if result.returncode != 0:
        sys.exit(f"first_paint.py: {program} ended with {result.returncode}: {result.stderr}")
    times = {}
    for line in result.stdout.splitlines():
        what, ns, cpu_us = line.split()
        times[what] = ((int(ns) - started) / 1e6, int(cpu_us) / 1e3)
    return times


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=15)
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--bin-dir", default=os.path.join(here, "..", "build", "bin"))
    args = parser.parse_args()

    server = None
    env = dict(os.environ)
    if not env.get("DISPLAY"):
        server, env["DISPLAY"] = start_xvfb()
    env["QT_QPA_PLATFORM"] = "xcb"
    runtime = tempfile.mkdtemp(prefix="first-paint-")
    os.chmod(runtime, 0o700)
    env["XDG_RUNTIME_DIR"] = runtime
    try:
        samples = {"empty": [], "menu": [], "pomuran": [], "prediction": []}
        # One warm-up round fills the page cache, as for a player who has started it before.
        for program in PROGRAMS:
            run_once(args.bin_dir, program, env, runtime)
        for i in range(args.runs):
            order = PROGRAMS[i % 3:] + PROGRAMS[:i % 3]
            for program in order:
                times = run_once(args.bin_dir, program, env, runtime)
                samples[program].append(times["main_window_painted"])
                if "prediction_painted" in times:
                    samples["prediction"].append(times["prediction_painted"])
    finally:
        if server:
            server.kill()
        shutil.rmtree(runtime, ignore_errors=True)

    labels = {"empty": "empty QMainWindow", "menu": "menu bar + label",
              "pomuran": "pomuran main window", "prediction": "pomuran prediction window"}
    print(f"first paint, whole process, {args.runs} runs each: median (fastest), ms")
    print(f"  {'':28} {'wall clock':>18} {'processor time':>18}")
    median = {}
    for name, values in samples.items():
        wall = [v[0] for v in values]
        cpu = [v[1] for v in values]
        median[name] = (statistics.median(wall), statistics.median(cpu))
        print(f"  {labels[name]:28} {median[name][0]:8.1f} ({min(wall):7.1f})"
              f" {median[name][1]:8.1f} ({min(cpu):7.1f})")
    for base in ("empty", "menu"):
        for kind, k in (("wall clock", 0), ("processor time", 1)):
            print(f"  pomuran / {labels[base]:18} {kind:15} "
                  f"{median['pomuran'][k] / median[base][k]:.2f}x "
                  f"(+{median['pomuran'][k] - median[base][k]:.0f} ms), with the prediction "
                  f"window {median['prediction'][k] / median[base][k]:.2f}x")

if __name__ == "__main__":
    main()
