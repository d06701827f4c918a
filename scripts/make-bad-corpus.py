#!/usr/bin/env python3
"""Writes the bad-input corpus: make-bad-corpus.py OUTDIR

One small game folder per fault (resource/missions/*.nfo and servercycle.txt), each with one bad
thing in an otherwise sound folder. tests/wine/bad_corpus_test.cpp starts the editor on every
folder and says what must happen. OUTDIR is made afresh on each run: the large inputs live only
in the build, never in the repository.
"""

import random
import shutil
import sys
from pathlib import Path

MISSIONS = "resource/missions/"
FOLDER = object()  # a folder where a file would be expected
MISSION_CAP = 32 << 20  # the program's caps on a mission file and on servercycle.txt
ROTATION_CAP = 16 << 20
# Deeper than 260 characters wherever the build lies, and named outside the ANSI code page.
LONG_FOLDER = "long-folder/" + "d" * 120 + "/" + "e" * 120
WIDE_FOLDER = "wide-folder/\u65e5\u672c\u043a\u0430\u0440\u0442\u0430"


class Link(str):
    """A symbolic link to this target, where a file would be expected."""


class Sparse(int):
    """A file of this many zero bytes that takes no room on the disk."""


def lines(*items, end=b"\r\n"):
    return b"".join(item + end for item in items)


def block(title, name, ruleset, *settings):
    return [title + b" = {", b"[server]", b"name = " + name, b"ruleset = " + ruleset, *settings, b"}"]


HILL = block(b"Hill Fight", b"Hill Fight", b"Free For All")
VALLEY = block(b"Valley Run", b"Valley Run", b"Team Attrition")
BASE_NFO = lines(b"[Scenarios]", *HILL, *VALLEY)
ROTATION = [b"[cycle]", b"map=base.nfo::HillFight", b"map=base.nfo::ValleyRun"]
RIDGE_NFO = lines(b"[Scenarios]", *block(b"Ridge Line", b"Ridge Line", b"Capture"))


def game(extra=None, nfo=BASE_NFO, rotation=lines(*ROTATION)):
    """The sound folder, base.nfo with two scenarios and a rotation of both, changed by extra."""
    files = {MISSIONS + "base.nfo": nfo, "servercycle.txt": rotation}
    files.update(extra or {})
    return {path: data for path, data in files.items() if data is not None}


def with_ridge(nfo_name, nfo=RIDGE_NFO):
    """A second mission file holding Ridge Line, which the rotation names after Hill Fight."""
    entry = b"map=%s::RidgeLine" % nfo_name.encode()
    return game({MISSIONS + nfo_name: nfo}, rotation=lines(b"[cycle]", b"map=base.nfo::HillFight", entry))


def corpus():
    many = [b"[Scenarios]"]
    for i in range(1, 40001):
        many += block(b"S%d" % i, b"S%d" % i, b"R")
    # The first 32767 entries alternate between the two scenarios; those past the limit match none.
    long_rotation = [b"[cycle]"] + [ROTATION[1 + i % 2] for i in range(32767)]
    long_rotation += [b"map=base.nfo::Nowhere"] * (40000 - 32767)
    lf_ridge = RIDGE_NFO.replace(b"\r\n", b"\n")
    hill_then = [b"[cycle]", b"map=base.nfo::HillFight"]

    return {
        "binary-nfo": game({MISSIONS + "noise.nfo": random.Random(20240501).randbytes(64 * 1024)}),
        "nul-bytes": game(nfo=lines(b"[Scen\0arios]", b"Hill\0 Fight = {", b"[ser\0ver]", b"na\0me = Hill\0 Fight",
                                    b"rule\0set = Free For\0 All", b"}", *VALLEY),
                          rotation=lines(*hill_then, b"map=base.nfo::Valley\0Run")),
        "long-line": game(nfo=lines(b"[Scenarios]", *block(b"Hill Fight", b"L" * (10 << 20), b"Free For All"),
                                    *VALLEY)),
        "many-scenarios": game({MISSIONS + "many.nfo": lines(*many)}, nfo=None,
                               rotation=lines(b"[cycle]", *(b"map=many.nfo::S%d" % i
                                                            for i in (1, 32767, 32768, 40000)))),
        "long-rotation": game(rotation=lines(*long_rotation)),
        "cr-only": game(nfo=lines(b"[Scenarios]", *HILL, *VALLEY, end=b"\r"), rotation=lines(*ROTATION, end=b"\r")),
        "lf-only-nfo": with_ridge("lf.nfo", lf_ridge),
        "lf-only-rotation": game(rotation=lines(*ROTATION, end=b"\n")),
        "high-bytes": game(nfo=lines(b"[Scenarios]", b"Hill\xe9 Fight = {", b"[server]",
                                     b"na\xadme = Hill \xabFight\xbb", b"ruleset = Free For All", b"}", *VALLEY),
                           rotation=lines(*hill_then, b"map=base.nfo::Valley\xe9Run")),
        # A mission file's name in a message, with a character above 0x7F in the ANSI code page.
        "high-byte-name": with_ridge("caf\u00e9.nfo", lf_ridge),
        # A name the ANSI code page cannot hold: the rotation could never name it, so it is left out.
        "wide-name": with_ridge("\u65e5\u672c.nfo"),
        "empty-nfo": game({MISSIONS + "empty.nfo": b""}),
        "folder-nfo": game({MISSIONS + "x.nfo": FOLDER}),
        # The test gives it the hidden attribute.
        "hidden-nfo": with_ridge("hidden.nfo"),
        # The test holds it open without sharing.
        "locked-nfo": with_ridge("locked.nfo"),
        "text-folder": game({MISSIONS + "hill.txt": FOLDER},
                            nfo=lines(b"[Scenarios]", *block(b"Hill Fight", b"Hill Fight", b"Free For All",
                                                             b"scenariotext = resource\\missions\\hill.txt"),
                                      *VALLEY)),
        # Written as a save writes it, so a save must give back the same bytes.
        "long-entry": game(rotation=lines(*hill_then, b"map=base.nfo::HillFight" + b"x" * (5000 - 23))),
        "no-cycle": game(rotation=lines(b"[rotation]", *ROTATION[1:])),
        "no-servercycle": game(rotation=None),
        "no-server": game({MISSIONS + "noserver.nfo": lines(b"[Scenarios]", b"Lone Peak = {", b"name = Lone Peak")},
                          rotation=lines(*hill_then, b"map=noserver.nfo::LonePeak")),
        # Windows opens the device COM1 for this name; it is left alone like an unreadable file.
        "device-nfo": with_ridge("com1.nfo"),
        "endless-nfo": game({MISSIONS + "zero.nfo": Link("/dev/zero")}),
        "endless-rotation": game(rotation=Link("/dev/zero")),
        "cap-nfo": game({MISSIONS + "cap.nfo": Sparse(MISSION_CAP)}),
        "huge-nfo": game({MISSIONS + "huge.nfo": Sparse(MISSION_CAP + 1)}),
        "cap-rotation": game(rotation=Sparse(ROTATION_CAP)),
        "huge-rotation": game(rotation=Sparse(ROTATION_CAP + 1)),
        # Fifteen files without scenarios: ten boxes, then one question about the other five.
        "flood": game({MISSIONS + "e%02d.nfo" % i: b"" for i in range(15)}),
        LONG_FOLDER: game(),
        WIDE_FOLDER: game(),
        # Scenario texts that must show an empty box (checked through the program's own reading).
        "text-elsewhere": game({"outside.txt": b"not the game's\r\n",
                                MISSIONS + "zero.txt": Link("/dev/zero"),
                                MISSIONS + "com1.txt": b"a device to Windows\r\n"},
                               nfo=lines(b"[Scenarios]", *block(b"Hill Fight", b"Hill Fight", b"Free For All",
                                                                b"scenariotext = ..\\outside.txt"),
                                         *block(b"Valley Run", b"Valley Run", b"Team Attrition",
                                                b"scenariotext = resource\\missions\\zero.txt"),
                                         *block(b"Ridge Line", b"Ridge Line", b"Capture",
                                                b"scenariotext = resource\\missions\\com1.txt"))),
        "big-numbers": game(nfo=lines(b"[Scenarios]",
                                      *block(b"Hill Fight", b"Hill Fight", b"Free For All", b"gamelength = 40000",
                                             b"killlimitnumber = 1e9", b"teamcount = " + b"9" * 100,
                                             b"maximumtonnage = 99999999999999999999.5"), *VALLEY)),
    }


def main():
    out = Path(sys.argv[1])
    shutil.rmtree(out, ignore_errors=True)
    for name, files in corpus().items():
        for relative, data in files.items():
            path = out / name / relative
            if data is FOLDER:
                path.mkdir(parents=True)
            elif isinstance(data, Link):
                path.parent.mkdir(parents=True, exist_ok=True)
                path.symlink_to(data)
            elif isinstance(data, Sparse):
                path.parent.mkdir(parents=True, exist_ok=True)
                with open(path, "wb") as file:
                    file.truncate(data)
            else:
                path.parent.mkdir(parents=True, exist_ok=True)
                path.write_bytes(data)


if __name__ == "__main__":
    main()
