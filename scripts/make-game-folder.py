#!/usr/bin/env python3
"""Writes a synthetic game folder for benchmarks: make-game-folder.py OUT --preset small|large|many|few
(or --files F --scenarios S --entries N).

OUT/resource/missions/ gets F mission description files holding S scenarios in all, each with a
scenario text file, and OUT/servercycle.txt a rotation of N entries that name scenarios by key in
mixed case, a few of them matching none. Every name is invented; the same arguments always give
the same bytes. Lines end in CR LF, as the game's files do.
"""

import argparse
import pathlib
import random
import sys

# (mission files, scenarios, rotation entries). Besides the limits of the formats (large): many
# small files, one scenario each, and a few huge ones.
PRESETS = {
    "small": (20, 60, 30),
    "large": (1000, 32767, 32767),
    "many": (20000, 20000, 32767),
    "few": (10, 30000, 32767),
}

PLACES = ["Ash", "Amber", "Basalt", "Cinder", "Cobalt", "Copper", "Crimson", "Dust", "Ember",
          "Frozen", "Glass", "Granite", "Hollow", "Iron", "Jade", "Lone", "Marble", "Misty",
          "Obsidian", "Pale", "Rust", "Salt", "Shale", "Silent", "Slate", "Storm", "Thorn", "Twin"]
LANDS = ["Basin", "Bluff", "Canyon", "Cliffs", "Crater", "Creek", "Delta", "Dunes", "Flats",
         "Forge", "Gap", "Gorge", "Heights", "Hill", "Lake", "Marsh", "Mesa", "Pass", "Peak",
         "Plateau", "Quarry", "Reach", "Ridge", "Run", "Shelf", "Spire", "Valley", "Wastes"]
VARIANTS = ["Fight", "Night", "Siege", "Duel", "Flag", "King", "Raid", "Storm", "Teams", "Hunt"]
RULESETS = ["Free For All", "Team Battle", "Capture The Flag", "King Of The Hill", "Last Pilot"]
TERRAINS = ["hills", "canyon", "ice", "desert", "swamp", "city", "mesa"]
SKIES = ["clear", "overcast", "moonless", "dusk", "storm"]
SENTENCES = [
    "Two ridges face each other across a dry creek.",
    "Fog rolls in from the lake at every change of wind.",
    "The old quarry walls give cover to the patient.",
    "Salt crust cracks under every step and shows where you went.",
    "A narrow pass, a long fall, and nowhere to hide.",
    "Storm cells sweep the flats and blind every sensor.",
]

# Keys of the server block with the range their numbers come from; text keys are written apart.
NUMBER_KEYS = [("TeamAllowed", 0, 1), ("TeamCount", 2, 4), ("Visibility", 0, 5),
               ("Kill Limit", 0, 1), ("Kill Limit Number", 5, 50), ("Respawn Limit", 0, 1),
               ("Respawn Limit Number", 1, 9), ("Is Night", 0, 1), ("Weather", 0, 3),
               ("Radar Mode", 0, 2), ("Only Stock Mech", 0, 1), ("Minimum Tonnage", 20, 45),
               ("Maximum Tonnage", 50, 100), ("Game Length", 10, 60)]
UNKNOWN_KEYS = ["maxplayers", "respawndelay", "friendlyfire"]


def mixed_case(rng, text):
    """One of the spellings a hand-edited file shows: as written, lower, upper or run together."""
    style = rng.randrange(4)
    if style == 1:
        return text.lower()
    if style == 2:
        return text.upper()
    if style == 3:
        return text.replace(" ", "")
    return text


def server_block(rng, title, text_path):
    lines = [f"{mixed_case(rng, 'Name')} = {title}",
             f"{mixed_case(rng, 'Rule Set')} = {rng.choice(RULESETS)}",
             f"{mixed_case(rng, 'Scenario Text')} = {text_path}"]
    for key, low, high in rng.sample(NUMBER_KEYS, 9):
        lines.append(f"{mixed_case(rng, key)} = {rng.randint(low, high)}")
    lines.append(f"{rng.choice(UNKNOWN_KEYS)} = {rng.randint(1, 16)}")
    rng.shuffle(lines)
    lines.insert(rng.randrange(len(lines) + 1), "")
    return ["\t[server]"] + [f"\t\t{line}" if line else "" for line in lines] + ["}"]


def scenario_block(rng, title, text_path):
    skipped = [f"\tterrain = {rng.choice(TERRAINS)}",
               f"\tsky = {rng.choice(SKIES)}",
               f"\tdescription = {rng.choice(SENTENCES)}",
               f"\tstartpoint 1 = {rng.randint(0, 999)}, 0, {rng.randint(0, 999)}"]
    return [f"{title} = {{"] + skipped[:rng.randint(2, 4)] + server_block(rng, title, text_path) + [""]


def scenario_text(rng, title):
    return [f"{title}.", *rng.sample(SENTENCES, 3), "Good hunting."]


def crlf(lines):
    return "".join(line + "\r\n" for line in lines).encode("ascii")


def write_folder(out, files, scenarios, entries, seed):
    rng = random.Random(seed)
    missions = out / "resource" / "missions"
    missions.mkdir(parents=True)
    keys = []  # (mission file, scenario key) of every scenario, in catalogue order
    serial = 0
    for f in range(files):
        place, land = PLACES[f % len(PLACES)], LANDS[(f // len(PLACES)) % len(LANDS)]
        stem = f"{place}{land}{f:04d}".lower()
        count = scenarios // files + (1 if f < scenarios % files else 0)
        lines = ["[Scenarios]", ""]
        for _ in range(count):
            serial += 1
            title = f"{place} {land} {rng.choice(VARIANTS)} {serial}"
            text_name = f"{stem}_{serial}.txt"
            lines += scenario_block(rng, title, f"resource\\missions\\{text_name}")
            (missions / text_name).write_bytes(crlf(scenario_text(rng, title)))
            keys.append((f"{stem}.nfo", title.replace(" ", "")))
        (missions / f"{stem}.nfo").write_bytes(crlf(lines))

    rotation = ["; rotation for the benchmark server", "[cycle]"]
    for n in range(entries):
        if not keys or rng.random() < 0.03:
            rotation.append(f"map=retired{n:05d}.nfo::RetiredMission{n}")
            continue
        mission_file, key = rng.choice(keys)
        indent = " " * rng.choice([0, 0, 0, 0, 2])
        rotation.append(f"{indent}{mixed_case(rng, 'map')}={mission_file}::{mixed_case(rng, key)}")
    (out / "servercycle.txt").write_bytes(crlf(rotation))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out", type=pathlib.Path, help="folder to create; must not hold anything")
    parser.add_argument("--preset", choices=PRESETS)
    parser.add_argument("--files", type=int)
    parser.add_argument("--scenarios", type=int)
    parser.add_argument("--entries", type=int)
    parser.add_argument("--seed", type=int, default=1999)
    args = parser.parse_args()

    files, scenarios, entries = PRESETS.get(args.preset, (None, None, None))
    files = args.files if args.files is not None else files
    scenarios = args.scenarios if args.scenarios is not None else scenarios
    entries = args.entries if args.entries is not None else entries
    if None in (files, scenarios, entries) or files < 1 or scenarios < 0 or entries < 0:
        parser.error("give --preset, or --files (at least 1), --scenarios and --entries")
    if args.out.exists() and any(args.out.iterdir()):
        sys.exit(f"{args.out} is not empty; remove it first")
    write_folder(args.out, files, scenarios, entries, args.seed)


if __name__ == "__main__":
    main()
