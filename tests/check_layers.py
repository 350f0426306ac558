#!/usr/bin/env python3
"""Checks that no source file includes a header of a higher layer.

The layers, lowest first, are the folders below; a file may include its own folder and any
lower one. The features (analyses, prediction, ...) sit side by side on one level: they may use
each other's core, which is why they share a rank."""
import pathlib
import re
import sys

RANKS = {
    "core/base": 0,
    "core/lottery": 0,
    "core/draws": 1,
    "core/grid": 2,
    "core/report": 3,
    "core/analyses": 4,
    "core/prediction": 4,
    "core/backtest": 4,
    "core/maintenance": 4,
    "core/stats": 4,
    "core/tickets": 4,
    "core/session": 4,
    "cli": 5,
    "gui/report": 5,
    "gui/ui": 6,
    "gui/analyses": 7,
    "gui/prediction": 7,
    "gui/backtest": 7,
    "gui/maintenance": 7,
    "gui/stats": 7,
    "gui/tickets": 7,
    "gui/session": 7,
    "gui/app": 8,
    "gui/painter": 8,
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def layer_of(relative):
    parts = relative.split("/")
    for length in (2, 1):
        key = "/".join(parts[:length])
        if key in RANKS:
            return key
    return None


def main(src):
    src = pathlib.Path(src)
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        relative = path.relative_to(src).as_posix()
        own = layer_of(relative)
        if own is None:
            faults.append(f"{relative}: not in any layer folder")
            continue
        for included in INCLUDE.findall(path.read_text(encoding="utf-8")):
            theirs = layer_of(included)
            if theirs is None:
                continue  # a header beside the file or outside src
            # core never includes Qt code or the command line, and the command line never Qt
            # code; only the painter (pomuran-cli with Qt) joins the two.
            crossing = (own.split("/")[0] != theirs.split("/")[0] and theirs.split("/")[0] != "core"
                        and own != "gui/painter")
            if RANKS[theirs] > RANKS[own] or crossing:
                faults.append(f"{relative}: includes {included} from a higher layer")
    for fault in faults:
        print(fault)
    print(f"{len(faults)} layer faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "src"))
