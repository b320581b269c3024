#!/usr/bin/env python3
"""Refuses an identifier header in which two names of one kind share a number.

Each deliverable names its resource, command and message numbers once, in one
header. Two strings (or dialogs, bitmaps, icons, menus, menu commands) with
the same number are a fault no compiler reports: the resource compiler keeps
one of them and the program shows the other's text. Control identifiers
(IDC_) are per dialog and may repeat; a name defined twice with one value is
refused too, so that each number has one home.

    check_resource_ids.py HEADER...
"""
import re
import sys

DEFINE = re.compile(r"^\s*#define\s+(ID[A-Z]?_\w+)\s+(-?\d+|0x[0-9A-Fa-f]+)\b")
# Kinds whose numbers must be unique among themselves. Commands (IDM_ and
# ID_ entries of menus, buttons and timers) share WM_COMMAND's number space,
# except timers, which are told apart by their own message.
KINDS = {"IDS": "string", "IDD": "dialog", "IDB": "bitmap", "IDI": "icon", "IDR": "menu", "IDM": "command"}


def check(path):
    seen = {}
    names = set()
    faults = []
    with open(path, encoding="utf-8") as header:
        for number, line in enumerate(header, 1):
            match = DEFINE.match(line)
            if not match:
                continue
            name, value = match.group(1), int(match.group(2), 0)
            if name in names:
                faults.append(f"{path}:{number}: {name} is defined again")
                continue
            names.add(name)
            kind = KINDS.get(name.split("_", 1)[0])
            if kind is None:
                continue
            other = seen.get((kind, value))
            if other:
                faults.append(f"{path}:{number}: {kind} {value} is both {other} and {name}")
            else:
                seen[(kind, value)] = name
    return faults


def main(paths):
    faults = [fault for path in paths for fault in check(path)]
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
