#!/usr/bin/env python3
"""`sonvia-cli playlist sort` as a user runs it: load, sort, renumber, save, exit.

The lists are generated here the way the player writes them: one MP3 entry per song with three
tags (title, artist, album), each with its text, its bytes and its code page, about 600 bytes a
song (100,000 songs make a 60 MB file).

Budgets on the development machine (release build, peak resident memory from /usr/bin/time -v):
  - 100,000 songs sorted by title in at most 2 s wall;
  - at most 2.5 KB of peak resident memory per song above the process without a list, at 10,000
    and at 100,000 songs.

Usage: bench/cli_playlist_sort.py [--cli build/release/tools/sonvia-cli] [--runs 3]
Exit status 1 when a budget is exceeded. The CPU time (user + system) is printed beside the wall
time: on a machine busy with other work the wall time says more about the machine.
"""
import argparse
import os
import random
import re
import subprocess
import sys
import tempfile

WALL_BUDGET_S = 2.0          # for 100,000 songs
PER_SONG_BUDGET_KB = 2.5


def tag(key, text):
    hex_bytes = text.encode("cp1252").hex() + "00"
    return (f' {key}="{text}" {key}Bytes="{hex_bytes}" {key}CodePage="1252"'
            f' {key}CodePageName="Western (Windows-1252)"')


def write_list(path, songs):
    rng = random.Random(7)
    parts = [f'<PlayListXml><Generator Application="Pruv Sonvia" Version="1.56" URL="">'
             f'</Generator><PlayList length="{songs}" filePath="{path}">']
    for i in range(songs):
        n = rng.randrange(1000000)
        artist = f"Artist {i % 700}"
        album = f"Album {i % 50}"
        parts.append(
            f'<_{i} type="mp3" filePath="/home/user/Music/{artist}/{album}/{i} Song {n}.mp3"'
            f' songNumber="{i + 1}" playTimeMilliSec="{120000 + rng.randrange(300000)}"'
            f' bitRateKBps="192" isStereo="1" sampleRate="44100"'
            + tag("title", f"Song {n}") + tag("artist", artist) + tag("album", album)
            + f"></_{i}>")
    parts.append("</PlayList></PlayListXml>")
    with open(path, "w", encoding="utf-8") as out:
        out.write("".join(parts))


def measure(cli, path):
    """(wall seconds, CPU seconds, peak resident KB) of one sort of a fresh copy of the list."""
    result = subprocess.run(["/usr/bin/time", "-v", cli, "playlist", "sort", path, "title"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    if result.returncode != 0:
        sys.exit(f"sonvia-cli failed on {path}:\n{result.stderr}")
    wall = re.search(r"Elapsed \(wall clock\) time.*: (?:(\d+):)?(\d+):([\d.]+)", result.stderr)
    rss = re.search(r"Maximum resident set size \(kbytes\): (\d+)", result.stderr)
    user = re.search(r"User time \(seconds\): ([\d.]+)", result.stderr)
    system = re.search(r"System time \(seconds\): ([\d.]+)", result.stderr)
    hours, minutes, seconds = wall.groups()
    return (int(hours or 0) * 3600 + int(minutes) * 60 + float(seconds),
            float(user.group(1)) + float(system.group(1)), int(rss.group(1)))


def best_of(cli, source, runs):
    walls, cpus, peaks = [], [], []
    for _ in range(runs):
        copy = source + ".run.mpl"
        with open(source, "rb") as a, open(copy, "wb") as b:
            b.write(a.read())
        wall, cpu, peak = measure(cli, copy)
        walls.append(wall)
        cpus.append(cpu)
        peaks.append(peak)
        os.remove(copy)
    return min(walls), min(cpus), min(peaks)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/release/tools/sonvia-cli")
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    within = True
    with tempfile.TemporaryDirectory(prefix="sonvia-sort-bench-") as folder:
        empty = os.path.join(folder, "empty.mpl")
        write_list(empty, 0)
        _, _, base_kb = best_of(args.cli, empty, args.runs)
        print(f"no songs: peak {base_kb / 1024:.1f} MB")
        for songs in (10000, 100000):
            path = os.path.join(folder, f"{songs}.mpl")
            write_list(path, songs)
            wall, cpu, peak_kb = best_of(args.cli, path, args.runs)
            per_song = (peak_kb - base_kb) / songs
            size_mb = os.path.getsize(path) / 1e6
            print(f"{songs} songs ({size_mb:.0f} MB): {wall:.2f} s wall ({cpu:.2f} s CPU),"
                  f" peak {peak_kb / 1024:.0f} MB, {per_song:.2f} KB per song")
            if per_song > PER_SONG_BUDGET_KB:
                print(f"  over the budget of {PER_SONG_BUDGET_KB} KB per song")
                within = False
            if songs == 100000 and wall > WALL_BUDGET_S:
                print(f"  over the budget of {WALL_BUDGET_S} s")
                within = False
    return 0 if within else 1


if __name__ == "__main__":
    sys.exit(main())
