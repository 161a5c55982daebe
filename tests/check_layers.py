#!/usr/bin/env python3
"""Checks that every source folder under src/ includes only the folders it may depend on.

    check_layers.py [REPOSITORY_ROOT]

Reads every `#include "..."` in src/ and names each file and line that crosses a boundary
the table below does not allow. The same table is shown in ARCHITECTURE.md; the check also
fails when that copy no longer says the same. Exit status 0 when every include is allowed.
"""

import pathlib
import re
import sys

# Each folder of src/ and the folders its files may include, besides its own. A folder's
# files are those under it that no longer folder in the table claims (src/desktop/x11 is a
# folder of its own, not part of src/desktop).
ALLOWED = {
    "core": [],
    "text": ["core"],
    "settings": ["core", "text"],
    "desktop": ["core", "text", "desktop/x11"],
    "desktop/x11": ["core", "text", "desktop"],
    "sound": ["core"],
    "ui/widgets": ["core", "text"],
    "tray": ["core", "text", "desktop", "ui/widgets"],
    "alerts": ["core", "settings", "text", "desktop", "sound", "tray", "ui/widgets"],
    "ui/main": ["core", "settings", "text", "desktop", "ui/widgets", "ui/options"],
    "ui/options": ["core", "settings", "text", "desktop", "sound", "ui/widgets"],
    "app": ["core", "settings", "text", "desktop", "desktop/x11", "sound", "tray", "alerts",
            "ui/widgets", "ui/main", "ui/options"],
}

# Directions that break the table today and are on their way out: (folder, included folder).
TEMPORARY_EXCEPTIONS = {
}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCE_SUFFIXES = {".h", ".cpp", ".in"}


def folder_of(path):
    """The table's folder that a path relative to src/ lies in, or None."""
    best = None
    for folder in ALLOWED:
        if path == folder or path.startswith(folder + "/"):
            if best is None or len(folder) > len(best):
                best = folder
    return best


def table_rows():
    """The table as ARCHITECTURE.md shows it, one Markdown row per folder."""
    rows = ["| Folder | May include |", "|---|---|"]
    for folder, allowed in ALLOWED.items():
        rows.append("| %s | %s |" % (folder, ", ".join(allowed) if allowed else "nothing else"))
    return rows


def check_includes(root):
    problems = []
    src = root / "src"
    for path in sorted(src.rglob("*")):
        if not path.is_file() or path.suffix not in SOURCE_SUFFIXES:
            continue
        relative = path.relative_to(src).as_posix()
        name = "src/" + relative
        folder = folder_of(relative)
        if folder is None:
            problems.append("%s: lies in a folder the layer table does not name" % name)
            continue
        lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
        for number, line in enumerate(lines, start=1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            if target.endswith(".moc"):
                continue  # the meta-object code Qt generates for classes in a .cpp file
            included = folder_of(target)
            if included is None:
                problems.append('%s:%d: includes "%s", which is in no folder of the layer table'
                                % (name, number, target))
            elif (included != folder and included not in ALLOWED[folder]
                  and (folder, included) not in TEMPORARY_EXCEPTIONS):
                problems.append('%s:%d: %s may not include %s ("%s")'
                                % (name, number, folder, included, target))
    return problems


def check_architecture(root):
    text = (root / "ARCHITECTURE.md").read_text(encoding="utf-8")
    shown = [line.strip() for line in text.splitlines()]
    missing = [row for row in table_rows() if row not in shown]
    if not missing:
        return []
    return ["ARCHITECTURE.md: its layer table differs from tests/check_layers.py; it should read:"]\
        + ["    " + row for row in table_rows()]


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[1])
    problems = check_includes(root) + check_architecture(root)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
