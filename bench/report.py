#!/usr/bin/env python3
"""Turns one scripts/bench run (a folder of logs) into the table of figures.

Times in the logs are steady-clock nanoseconds, the same clock in the driver
and in the timed program, so a click and the block that sounds it compare
directly.
"""
import json
import math
import statistics
import sys
from pathlib import Path

TICK_NS = 20_000_000


def pct(xs, p):
    xs = sorted(xs)
    if not xs:
        return math.nan
    return xs[min(len(xs) - 1, max(0, math.ceil(p / 100 * len(xs)) - 1))]


def read_log(path):
    log = {"pass": [], "play": [], "block": [], "mark": [], "click": []}
    for line in Path(path).read_text().split("\n"):
        f = line.split()
        if not f:
            continue
        if f[0] in ("pass", "play", "click"):
            log[f[0]].append(int(f[1]))
        elif f[0] == "block":
            log["block"].append((int(f[1]), int(f[2])))
        elif f[0] == "mark":
            log["mark"].append((f[1], int(f[2])))
        elif f[0] == "quiet":
            log["quiet"] = (float(f[1]), float(f[2]))
        else:
            log[f[0]] = int(f[1])
    return log


def bench(path):
    """name -> (cpu_time, real_time) in the benchmark's own unit."""
    data = json.loads(Path(path).read_text())
    return {b["name"].replace("/real_time", ""): (b["cpu_time"], b["real_time"])
            for b in data["benchmarks"] if not b.get("error_occurred")}


def ears(run):
    """Input-to-ear latencies in ms: from each click to the moment the first
    sample of the sound it started leaves the mixer, plus the frames that the
    device still plays before it."""
    game, drv = read_log(run + ".log"), read_log(run + ".drv")
    held_ns = game["held"] * 1e9 / game["rate"]
    plays, blocks = sorted(game["play"]), sorted(game["block"])
    out, pi, bi = [], 0, 0
    for c in sorted(drv["click"]):
        while pi < len(plays) and plays[pi] < c:
            pi += 1
        if pi == len(plays) or plays[pi] - c > 200e6:
            continue
        # A start seen by a block must have been made before the block began.
        while bi < len(blocks) and blocks[bi][0] < plays[pi]:
            bi += 1
        if bi == len(blocks):
            break
        out.append((blocks[bi][1] + held_ns - c) / 1e6)
        pi += 1
    return out, drv, game


def ticks(game):
    starts = game["pass"][1:]  # the first pass follows start-up, not a tick
    n = [(t - game["timer"]) // TICK_NS for t in starts]
    late = [((t - game["timer"]) % TICK_NS) / 1e6 for t in starts]
    dist = [x if x < 10 else x - 20 for x in late]
    lost = sum(b - a - 1 for a, b in zip(n, n[1:]) if b - a > 1)
    span = (starts[-1] - starts[0]) / 1e9 if len(starts) > 1 else 0
    return dist, lost, span


def main(folder):
    d = str(Path(folder)) + "/"
    rows = []
    fmt = lambda x, u="": "n/a" if x is None or (isinstance(x, float) and math.isnan(x)) else f"{x:.3g}{u}"

    ours, drv, game = ears(d + "ours")
    mix = ears(d + "sdl_mixer")[0] if Path(d + "sdl_mixer.log").exists() else []
    p99 = pct(ours, 99)
    rows.append(("input to ear, ours (p50 / p99)",
                 f"{fmt(pct(ours, 50))} / {fmt(p99)} ms over {len(ours)} shots",
                 "p99 <= 31 ms", p99 <= 31))
    rows.append(("input to ear, SDL_mixer 2048 (p50 / p99)",
                 f"{fmt(pct(mix, 50))} / {fmt(pct(mix, 99))} ms over {len(mix)} shots", "peer", None))

    dist, lost, span, ended = [], 0, 0.0, []
    for run in ("ours", "still"):
        g, r = read_log(d + run + ".log"), read_log(d + run + ".drv")
        x, n, t = ticks(g)
        dist, lost, span = dist + x, lost + n, span + t
        if "quiet" not in r:
            ended.append(f"{run} after {t:.0f} s")
    p99d = pct([abs(x) for x in dist], 99)
    rows.append(("tick: p99 distance from the 20 ms grid",
                 f"{fmt(p99d)} ms over {len(dist)} passes, {span:.0f} s", "<= 1 ms", p99d <= 1))
    rows.append(("tick: ticks lost", f"{lost}", "0", lost == 0))
    still = read_log(d + "still.drv")
    if "quiet" in still:
        wall, cpu = still["quiet"]
        share = 100 * cpu / wall
        rows.append(("tick: CPU while the player stands still", f"{share:.2f} % of a core over {wall:.0f} s",
                     "< 2 %", share < 2))
    if ended:
        rows.append(("games the zombies ended early", ", ".join(ended), "", None))

    ourmix, al = bench(d + "mixer.json"), bench(d + "openal.json") if Path(d + "openal.json").exists() else {}
    for n in (16, 256, 4095):
        o = ourmix.get(f"BM_MixOneSecond/{n}", (math.nan,))[0]
        a = al.get(f"BM_OpenAlOneSecond/{n}", (math.nan,))[0]
        ratio = o / a if a == a and a else math.nan
        per = lambda ms: ms * 1e6 / (n * 48000)
        rows.append((f"mixer: 1 s of {n} channels, ours / OpenAL Soft",
                     f"{fmt(o)} / {fmt(a)} ms CPU ({per(o):.2f} / {per(a):.2f} ns a voice-frame), x{ratio:.2f}",
                     "<= x0.4", ratio <= 0.4))
    o = ourmix.get("BM_MixOneSecond/4095", (math.nan,))[0]
    rows.append(("mixer: 4095 channels in real time", f"{o / 10:.1f} % of a core", "< 10 %", o / 10 < 10))

    def startups(pattern):
        ups = []
        for run in sorted(Path(d).glob(pattern)):
            g, r = read_log(run), read_log(str(run)[:-4] + ".drv")
            if g["pass"]:
                ups.append((g["pass"][0] - r["exec"]) / 1e6)
        return statistics.median(ups) if ups else math.nan, len(ups)

    up, runs = startups("startup*.log")
    dec = bench(d + "decode.json").get("BM_DecodeBank", (math.nan, math.nan))[1]
    rows.append(("start-up: exec to first pass / plain ov_read of the 18 files",
                 f"{fmt(up)} / {fmt(dec)} ms (median of {runs}), x{up / dec:.1f}", "<= x1.2", up / dec <= 1.2))
    plain, runs = startups("plainfb*.log")
    rows.append(("start-up with SDL_FRAMEBUFFER_ACCELERATION=0",
                 f"{fmt(plain)} ms (median of {runs}), x{plain / dec:.1f}", "<= x1.2", plain / dec <= 1.2))
    stages = [(name, (t - game_exec) / 1e6) for game_exec in [drv["exec"]] for name, t in game["mark"]]
    loads = [t for name, t in stages if name == "sound_loaded"]
    if stages and loads:
        at = dict((name, t) for name, t in stages if name != "sound_loaded")
        rows.append(("start-up, where it goes (ours, 60 s run)",
                     f"timer {fmt((game['timer'] - drv['exec']) / 1e6)}, display {fmt(at.get('display_open', math.nan) - at.get('display_asked', math.nan))}, "
                     f"audio {fmt(at.get('audio_open', math.nan) - at.get('display_open', math.nan))}, sounds {fmt(loads[-1] - at.get('audio_open', math.nan))} ms", "", None))

    passes = bench(d + "pass.json")
    small = passes.get("BM_Pass/50/100/iterations:3000", (math.nan,))[0]
    big = passes.get("BM_Pass/5000/4000/iterations:500", (math.nan,))[0]
    rows.append(("a pass: 50 zombies, 100 sounds", f"{fmt(small)} us CPU", "us", None))
    rows.append(("a pass: 5000 zombies, 4000 sounds", f"{fmt(big)} us CPU (x{big / small:.0f} for x100 zombies, x40 sounds)",
                 "linear", None))

    print("| Figure | Measured | Goal | Met |")
    print("|---|---|---|---|")
    for name, got, goal, ok in rows:
        print(f"| {name} | {got} | {goal} | {'' if ok is None else ('yes' if ok else 'NO')} |")


if __name__ == "__main__":
    main(sys.argv[1])
