#!/usr/bin/env python3
"""Measures the games' difficulty with the bot and writes the tuning table.

Every play is a real headless run of the host program:
    mentarium --headless --stepped --bot GAME --unlock-all --difficulty D --bot-skill S --seed N
with a profile of its own in a temporary directory, so no run sees another's
scores and the player's own profile is never touched. Stepped, a play's frames
follow the bot rather than the clock: its minute of game time passes as fast as
the machine allows, and the same build, numbers and seed give the same score
however loaded the machine is. The runs are kept in a cache (JSON lines) and a
later call only plays what is missing; the table is written from whatever the
cache holds, a dash standing for a cell not measured yet.

    tools/tuning/tuning.py --mentarium build/mentarium --out docs/tuning.md
    tools/tuning/tuning.py --games StroopTest,Simon --difficulties easy --skills 1.0 --seeds 1
"""
import argparse
import concurrent.futures
import hashlib
import json
import os
import statistics
import struct
import subprocess
import tempfile
import time

from scene_param import scene_numbers

GAMES = ["Concentration", "FindNewImage", "SpatialMemory", "Simon", "StroopTest", "ColorLabels",
         "SpotChanges", "FindCircles", "NumberOrder", "ShadowShift", "WhichIsMore", "MemoRandom",
         "MatchMaker", "MatchMaker2", "FlyBy", "GetInShape"]
DIFFICULTIES = ["easy", "normal", "hard"]
SKILLS = ["1.0", "0.6", "0.3"]
TROPHIES = {-1: "none", 0: "bronze", 1: "silver", 2: "gold"}
RUN_TIMEOUT_S = 240


def archive_items(data):
    """The items of an archive image, name to bytes: a value, the size of an opaque block, the
    block, the item count, then per item its name (length byte first), offset and length."""
    _, opaque = struct.unpack_from("<II", data, 0)
    (count,), pos = struct.unpack_from("<I", data, 8 + opaque), 12 + opaque
    items = {}
    for _ in range(count):
        size = data[pos]
        name = data[pos + 1:pos + 1 + size].decode("latin-1")
        offset, length = struct.unpack_from("<II", data, pos + 1 + size)
        pos += 9 + size
        if offset + length > len(data):
            raise ValueError("item %s lies past the end" % name)
        items[name] = data[offset:offset + length]
    return items


def fingerprints(mentarium):
    """What a play of each game depends on: the host program (the bot), the library (the
    games) and the archive beside them, less the other games' scene numbers, so retuning
    one game leaves the plays of the others standing. Plays of another build are stale
    and are played again. An archive that cannot be read counts as a whole."""
    common = hashlib.sha256()
    folder = os.path.dirname(os.path.abspath(mentarium))
    for name in (os.path.basename(mentarium), "libmentarium.so"):
        path = os.path.join(folder, name)
        if os.path.exists(path):
            with open(path, "rb") as f:
                common.update(f.read())
    items, path = {}, os.path.join(folder, "Cogniquilt.bin")
    if os.path.exists(path):
        with open(path, "rb") as f:
            data = f.read()
        try:
            items = archive_items(data)
        except (struct.error, IndexError, ValueError):
            items = {"": data}
    scenes = {game + ".dat" for game in GAMES}
    for name in sorted(items):
        if name not in scenes:
            common.update(name.encode("latin-1") + struct.pack("<I", len(items[name])) + items[name])
    builds = {}
    for game in GAMES:
        digest = common.copy()
        digest.update(items.get(game + ".dat", b""))
        builds[game] = digest.hexdigest()[:16]
    return builds


def play(mentarium, game, difficulty, skill, seed):
    """One play; answers its record (score and trophy, or the error)."""
    with tempfile.TemporaryDirectory(prefix="mentarium-tuning-") as home:
        env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy",
                   MENTARIUM_PROFILE=os.path.join(home, "profile.sqlite"), HOME=home)
        command = [mentarium, "--headless", "--stepped", "--bot", game, "--unlock-all", "--difficulty", difficulty,
                   "--bot-skill", skill, "--seed", str(seed)]
        began = time.monotonic()
        record = {"game": game, "difficulty": difficulty, "skill": skill, "seed": seed}
        try:
            done = subprocess.run(command, env=env, capture_output=True, text=True, timeout=RUN_TIMEOUT_S)
        except subprocess.TimeoutExpired:
            record["error"] = "timeout"
            return record
        record["seconds"] = round(time.monotonic() - began, 1)
        for line in done.stdout.splitlines():
            words = line.split()
            if words[:3] == ["bot", "result", "lastscore"]:
                record["score"] = int(words[3])
            elif words[:2] == ["bot", "trophy"]:
                record["trophy"] = int(words[2])
            elif words[:3] == ["bot", "level", "highest"]:
                record["level"] = int(words[3])
        if done.returncode != 0 or "score" not in record:
            record["error"] = "exit %d: %s" % (done.returncode, done.stderr.strip()[-200:])
        return record


def trophy_thresholds(scene):
    """Parameters 16-24 of the main scene: bronze, silver and gold for easy, normal, hard."""
    numbers = scene_numbers(scene)
    return {d: numbers[16 + 3 * i:19 + 3 * i] for i, d in enumerate(DIFFICULTIES)}


def stepped(start, largest, per_step, step):
    """Content that grows with the level by four parameters (their positions): its value at level 0,
    its largest, the levels per step and the step. Answers the level of its first step and the
    level from which it is at its largest."""
    def levels(p):
        if p[per_step] <= 0 or p[step] == 0:
            return None
        steps = -(-abs(p[largest] - p[start]) // abs(p[step]))
        return p[per_step], p[per_step] * max(steps, 1)
    return levels


def at(position):
    """Content that appears at one level, the parameter at a position."""
    return lambda p: (p[position], p[position])


# Each game's harder content and where in its scene parameters its levels are.
HARDER = {
    "Concentration": [("picture sets", stepped(43, 44, 45, 46)), ("larger deals", stepped(39, 40, 41, 42)),
                      ("shorter previews, then none", stepped(47, 48, 49, 50))],
    "FindNewImage": [("second picture set", stepped(45, 46, 47, 48))],
    "SpatialMemory": [("larger grids", stepped(46, 47, 48, 49))],
    "Simon": [("more buttons", stepped(43, 44, 45, 46)), ("longer sequences", stepped(39, 40, 41, 42))],
    "StroopTest": [("more buckets", stepped(39, 40, 41, 42))],
    "ColorLabels": [("more colours", stepped(43, 44, 45, 46)), ("more words", stepped(39, 40, 41, 42))],
    "SpotChanges": [("picture sets", stepped(50, 51, 52, 53)), ("scattered boards", lambda p: (max(54, p[55]),) * 2)],
    # The circle table runs from 3 x fewest to 6 x most: the most circles come in at 3 x most.
    "FindCircles": [("the most circles", lambda p: (3 * p[40], 6 * p[40]))],
    "NumberOrder": [("more tiles", stepped(42, 43, 44, 45)), ("wide numbers", at(50))],
    "ShadowShift": [("more choices", stepped(39, 40, 41, 42)), ("finer turns", stepped(47, 48, 49, 50))],
    "WhichIsMore": [("more panels", stepped(39, 40, 41, 42)), ("more pictures", stepped(43, 44, 45, 46))],
    "MemoRandom": [("more pictures", stepped(39, 40, 41, 42)), ("fuller grids", stepped(43, 44, 45, 46))],
    "MatchMaker": [("more options", stepped(39, 40, 41, 42)), ("look-alikes", stepped(44, 45, 46, 47))],
    "MatchMaker2": [("more steps back", stepped(39, 40, 41, 42))],
    "FlyBy": [("more kinds", stepped(43, 44, 45, 46)), ("motifs in two colours", at(53))],
    "GetInShape": [("more pieces", stepped(39, 40, 41, 42)), ("turned pieces", stepped(51, 52, 53, 54))],
}


def harder_table(runs, games, seeds, scenes):
    """Per game: where its harder content begins and is complete, and the highest level a
    skill-1.0 play reached (median of the seeds) on each difficulty."""
    lines = ["", "Where the harder content comes in: the level of its first step and the level from which",
             "all of it is in play (from the scene numbers), against the highest level a play at skill 1.0",
             "reached (median of the seeds; the level a play starts at is the difficulty's start level).", "",
             "| game | harder content: first step / all | highest level at skill 1.0: easy / normal / hard |",
             "|---|---|---|"]
    for game in games:
        numbers = scene_numbers(os.path.join(scenes, game + ".dat"))
        content = []
        for name, levels in HARDER.get(game, []):
            found = levels(numbers)
            if found:
                content.append("%s %d / %d" % (name, found[0], found[1]))
        reached = []
        for difficulty in DIFFICULTIES:
            plays = [runs.get((game, difficulty, "1.0", s)) for s in range(1, seeds + 1)]
            levels = [p["level"] for p in plays if p and "level" in p]
            reached.append(str(statistics.median_low(levels)) if levels else "—")
        lines.append("| %s | %s | %s |" % (game, "; ".join(content), " / ".join(reached)))
    return lines


def trophy_of(thresholds, difficulty, score):
    """The trophy a score earns, as the practice result screen shows it (-1: none)."""
    earned = -1
    for level, needed in enumerate(thresholds[difficulty]):
        if score >= needed:
            earned = level
    return earned


def key(r):
    return (r["game"], r["difficulty"], r["skill"], r["seed"])


def load(cache, builds):
    runs = {}
    if os.path.exists(cache):
        with open(cache) as f:
            for line in f:
                if line.strip():
                    r = json.loads(line)
                    if builds is None or r.get("build") == builds.get(r["game"]):
                        runs[key(r)] = r
    return runs


THRESHOLDS = {}


def scores(runs, game, difficulty, skill, seeds):
    """The scores of a cell's plays that reached a result."""
    plays = [runs.get((game, difficulty, skill, s)) for s in range(1, seeds + 1)]
    return [p["score"] for p in plays if p and "score" in p]


def cell(runs, game, difficulty, skill, seeds):
    scored = scores(runs, game, difficulty, skill, seeds)
    if not scored:
        failed = any("error" in runs.get((game, difficulty, skill, s), {}) for s in range(1, seeds + 1))
        return "error" if failed else "—"
    median = statistics.median_low(scored)
    trophy = trophy_of(THRESHOLDS, difficulty, median)
    text = "%d %s" % (median, TROPHIES.get(trophy, "?"))
    if len(scored) < seeds:
        text += " (%d of %d)" % (len(scored), seeds)
    return text


def first_three_bronze(runs, game, difficulty, skill):
    plays = [runs.get((game, difficulty, skill, s)) for s in (1, 2, 3)]
    if not all(p and "score" in p for p in plays):
        return "—"
    return "yes" if any(trophy_of(THRESHOLDS, difficulty, p["score"]) >= 0 for p in plays) else "no"


def write_table(runs, games, seeds, out, note, scenes):
    lines = ["# Tuning", "",
             "Generated by `tools/tuning/tuning.py` from plays of the bot (`mentarium --headless --stepped --bot GAME",
             "--unlock-all --difficulty D --bot-skill S --seed N`, seeds 1 to %d, each with a profile of its own)." % seeds,
             "Each cell is the median score of the plays and the trophy that score earns by the thresholds of",
             "content/scenes/Mentarium.dat (parameters 16-24, also the bot's own \"bot trophy\" line); \"bronze in 3\" says",
             "whether one of the first three plays at skill 0.3 earns a trophy. A dash: not measured yet.", ""]
    if note:
        lines += [note, ""]
    # The three skills of the table, and any other a run measured (such as 0.8 on hard).
    skills = sorted(set(SKILLS) | {r["skill"] for r in runs.values()}, key=float, reverse=True)
    lines += ["| game | difficulty | " + " | ".join("skill " + s for s in skills) + " | bronze in 3 at 0.3 |",
              "|---|---|" + "---|" * len(skills) + "---|"]
    for game in games:
        for difficulty in DIFFICULTIES:
            row = [game, difficulty] + [cell(runs, game, difficulty, s, seeds) for s in skills]
            row.append(first_three_bronze(runs, game, difficulty, "0.3"))
            lines.append("| " + " | ".join(row) + " |")
    lines += ["", "How far apart the games are: the lowest and highest median of a column and their ratio",
              "(the goal is at most 1.5).", "",
              "| difficulty | skill | lowest | highest | highest / lowest |", "|---|---|---|---|---|"]
    for difficulty in DIFFICULTIES:
        for skill in skills:
            medians = [(statistics.median_low(scored), game) for game in games
                       if (scored := scores(runs, game, difficulty, skill, seeds))]
            if len(medians) > 1 and min(medians)[0] > 0:
                low, high = min(medians), max(medians)
                lines.append("| %s | %s | %d %s | %d %s | %.2f |" % (difficulty, skill, low[0], low[1], high[0], high[1],
                                                                   high[0] / low[0]))
    lines += harder_table(runs, games, seeds, scenes)
    timed = [r["seconds"] for r in runs.values() if "seconds" in r]
    if timed:
        lines += ["", "%d plays measured; a play takes %.1f s of wall time (median)." %
                  (len(timed), statistics.median(timed))]
    os.makedirs(os.path.dirname(out) or ".", exist_ok=True)
    with open(out, "w") as f:
        f.write("\n".join(lines) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--mentarium", default="build/mentarium")
    parser.add_argument("--games", default=",".join(GAMES))
    parser.add_argument("--difficulties", default=",".join(DIFFICULTIES))
    parser.add_argument("--skills", default=",".join(SKILLS))
    parser.add_argument("--seeds", type=int, default=5)
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2, help="plays at once")
    parser.add_argument("--cache", default="build/tuning-runs.jsonl")
    parser.add_argument("--out", default="docs/tuning.md")
    parser.add_argument("--note", default="", help="a paragraph put above the table")
    parser.add_argument("--scene", default="content/scenes/Mentarium.dat", help="where the trophy thresholds are")
    parser.add_argument("--table-only", action="store_true", help="write the table from the cache, play nothing")
    parser.add_argument("--any-build", action="store_true",
                        help="use cached plays of other builds too (by default only this build's count)")
    args = parser.parse_args()

    THRESHOLDS.update(trophy_thresholds(args.scene))
    builds = fingerprints(args.mentarium)
    runs = load(args.cache, None if args.any_build else builds)
    wanted = [(g, d, s, n) for g in args.games.split(",") for d in args.difficulties.split(",")
              for s in args.skills.split(",") for n in range(1, args.seeds + 1)]
    missing = [w for w in wanted if w not in runs or "error" in runs[w]]
    if not args.table_only and missing:
        print("%d plays to make, %d at once" % (len(missing), args.jobs), flush=True)
        with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool, open(args.cache, "a") as cache:
            for record in pool.map(lambda w: play(args.mentarium, *w), missing):
                record["build"] = builds[record["game"]]
                runs[key(record)] = record
                cache.write(json.dumps(record) + "\n")
                cache.flush()
                print(json.dumps(record), flush=True)
    write_table(runs, GAMES, args.seeds, args.out, args.note, os.path.dirname(args.scene))


if __name__ == "__main__":
    main()
