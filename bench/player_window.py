#!/usr/bin/env python3
"""The player window as a user starts it, on a display (run under `xvfb-run -a`).

Three figures, each against its budget (release build):
  - start: from exec of `sonvia` to its first painted frame, median of several starts with a
    fresh settings hive, at most 150 ms;
  - playing: CPU (user + system) of the whole process while it plays a 128 kbit/s MP3 with the
    window visible and the graph on, over 10 s, at most 3 % of one core;
  - memory: peak resident memory (VmHWM) with a 10,000-song list shown, at most 25 MB above a
    bare window of the same size through the same window system (bench/programs/bare_window),
    both measured in this run.

Both programs write "first frame" on standard error when SONVIA_REPORT_FIRST_FRAME is set.
Usage: bench/player_window.py [--build build/release] [--starts 10]
Exit status 1 when a budget is exceeded.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cli_playlist_sort import write_list  # noqa: E402

START_BUDGET_MS = 150.0
CPU_BUDGET_PERCENT = 3.0
MEMORY_BUDGET_MB = 25.0
TICKS = os.sysconf("SC_CLK_TCK")


def environment(work, **extra):
    env = dict(os.environ)
    for name in ("run", "config", "data", "music"):
        os.makedirs(os.path.join(work, name), mode=0o700, exist_ok=True)
    env.update(XDG_RUNTIME_DIR=os.path.join(work, "run"),
               XDG_CONFIG_HOME=os.path.join(work, "config"),
               XDG_DATA_HOME=os.path.join(work, "data"),
               XDG_MUSIC_DIR=os.path.join(work, "music"),
               SONVIA_REPORT_FIRST_FRAME="1", SONVIA_AUDIO_DEVICE="null")
    env.update(extra)
    return env


def start(command, env):
    """Starts the program and waits for its first frame: (process, milliseconds to the frame)."""
    t0 = time.perf_counter()
    proc = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    for line in proc.stderr:
        if line.strip() == "first frame":
            return proc, (time.perf_counter() - t0) * 1000.0
    proc.wait()
    sys.exit(f"{command[0]} ended before painting a frame (status {proc.returncode})")


def finish(proc):
    proc.terminate()
    try:
        proc.wait(timeout=10)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def status_kb(pid, key):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(key + ":"):
                return int(line.split()[1])
    return 0


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime, stime


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build/release")
    parser.add_argument("--starts", type=int, default=10)
    args = parser.parse_args()
    sonvia = os.path.join(args.build, "app", "sonvia")
    bare = os.path.join(args.build, "bench", "bare_window")
    failed = False
    work = tempfile.mkdtemp(prefix="sonvia-bench-")
    try:
        # ---- start
        times = []
        for i in range(args.starts):
            run = os.path.join(work, f"start{i}")
            proc, ms = start([sonvia], environment(run))
            times.append(ms)
            finish(proc)
        bare_times = []
        for i in range(args.starts):
            proc, ms = start([bare, "350", "280"], environment(os.path.join(work, f"bare{i}")))
            bare_times.append(ms)
            finish(proc)
        median = statistics.median(times)
        print(f"start to first frame, {len(times)} starts: median {median:.1f} ms, "
              f"max {max(times):.1f} ms (bare window: median {statistics.median(bare_times):.1f} ms)"
              f" (budget {START_BUDGET_MS:.0f} ms)")
        failed |= median > START_BUDGET_MS

        # ---- playing
        wav = os.path.join(work, "song.wav")
        mp3 = os.path.join(work, "song.mp3")
        subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", wav,
                        "synth", "40", "sine", "220:880", "vol", "0.5"], check=True)
        subprocess.run(["lame", "--quiet", "-b", "128", "--cbr", wav, mp3], check=True)
        proc, _ = start([sonvia, mp3], environment(os.path.join(work, "play")))
        time.sleep(3)  # past the song's start and the first graph columns
        t0, c0 = time.monotonic(), cpu_ticks(proc.pid)
        time.sleep(10)
        t1, c1 = time.monotonic(), cpu_ticks(proc.pid)
        finish(proc)
        percent = (c1 - c0) / TICKS / (t1 - t0) * 100.0
        print(f"CPU while playing a 128 kbit/s MP3 with the graph: {percent:.2f} % of one core"
              f" (budget {CPU_BUDGET_PERCENT:.0f} %)")
        failed |= percent > CPU_BUDGET_PERCENT

        # ---- memory
        songs = os.path.join(work, "songs.mpl")
        write_list(songs, 10000)
        proc, _ = start([sonvia, songs], environment(os.path.join(work, "memory")))
        time.sleep(2)
        player_kb = status_kb(proc.pid, "VmHWM")
        finish(proc)
        proc, _ = start([bare, "350", "280"], environment(os.path.join(work, "memory-bare")))
        time.sleep(2)
        bare_kb = status_kb(proc.pid, "VmHWM")
        finish(proc)
        above = (player_kb - bare_kb) / 1024.0
        print(f"peak resident memory with 10,000 songs shown: {player_kb / 1024:.1f} MB, bare window"
              f" {bare_kb / 1024:.1f} MB, {above:.1f} MB above (budget {MEMORY_BUDGET_MB:.0f} MB)")
        failed |= above > MEMORY_BUDGET_MB
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
