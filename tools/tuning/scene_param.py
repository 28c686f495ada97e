#!/usr/bin/env python3
"""Reads or changes a game's scene parameters in place, keeping the file's layout and comments.

    tools/tuning/scene_param.py FlyBy                 # every parameter with its position
    tools/tuning/scene_param.py FlyBy 19              # one parameter
    tools/tuning/scene_param.py FlyBy 19=-20 21=4     # change some

The parameters are the whole numbers of the <data> block of content/scenes/GAME.dat,
counted from 0 across its lines; what follows a ';' is a comment.
"""
import argparse
import os
import re
import sys

SCENES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "content", "scenes")
NUMBER = re.compile(r"-?\d+")


def number_spans(lines):
    """(line index, start, end) of every parameter of the data block, in order."""
    spans, in_data = [], False
    for i, line in enumerate(lines):
        code = line.split(";")[0]
        if code.strip().startswith("<"):
            in_data = code.strip() == "<data>"
            continue
        if in_data:
            spans += [(i, m.start(), m.end()) for m in NUMBER.finditer(code)]
    return spans


def scene_numbers(path):
    """The parameters of a scene file's data block, in order."""
    with open(path) as f:
        lines = f.read().split("\n")
    return [int(lines[i][a:b]) for i, a, b in number_spans(lines)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("game", help="the scene's name, e.g. FlyBy")
    parser.add_argument("params", nargs="*", help="POSITION to show one, POSITION=VALUE to change one")
    parser.add_argument("--scenes", default=SCENES, help="the folder of the scene files")
    args = parser.parse_args()

    path = os.path.join(args.scenes, args.game + ".dat")
    with open(path) as f:
        lines = f.read().split("\n")
    spans = number_spans(lines)
    values = [int(lines[i][a:b]) for i, a, b in spans]
    if not args.params:
        print(" ".join("%d=%d" % (k, v) for k, v in enumerate(values)))
        return 0
    changes = {}
    for p in args.params:
        position, _, value = p.partition("=")
        if not position.isdigit() or int(position) >= len(values):
            sys.exit("%s: no parameter %s (it has %d)" % (args.game, position, len(values)))
        if not value:
            print(values[int(position)])
        elif not NUMBER.fullmatch(value):
            sys.exit("%s: %s is not a whole number" % (args.game, value))
        else:
            changes[int(position)] = value
    # Right to left within a line, so earlier spans keep their offsets.
    for k in sorted(changes, key=lambda k: (spans[k][0], -spans[k][1])):
        i, a, b = spans[k]
        lines[i] = lines[i][:a] + changes[k] + lines[i][b:]
    if changes:
        with open(path, "w") as f:
            f.write("\n".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
