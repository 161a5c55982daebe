#!/usr/bin/env python3
# Checks that every source folder under src/ includes only the folders it may depend on.
#     check_layers.py [REPOSITORY_ROOT]
#
# Reads every `#include "..."` in src/ and names each file and line that crosses a boundary
# the table below does not allow. The same table is shown in ARCHITECTURE.md; the check also
# fails when that copy no longer says the same. Exit status 0 when every include is allowed.

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

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCE_SUFFIXES = {".h", ".cpp", ".in"}


def folder_of(path):
    # The table's longest folder that a path relative to src/ lies in, or None.
    return max((f for f in ALLOWED if path == f or path.startswith(f + "/")), key=len, default=None)


def table_rows():
    # The table as ARCHITECTURE.md shows it, one Markdown row per folder.
    return ["| Folder | May include |", "|---|---|"] + [
        "| %s | %s |" % (folder, ", ".join(allowed) or "nothing else")
        for folder, allowed in ALLOWED.items()]


def check_includes(root):
    problems, src = [], root / "src"
    for path in sorted(p for p in src.rglob("*") if p.is_file() and p.suffix in SOURCE_SUFFIXES):
        name, folder = "src/" + path.relative_to(src).as_posix(), folder_of(path.relative_to(src).as_posix())
        if folder is None:
            problems.append("%s: lies in a folder the layer table does not name" % name)
            continue
        lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
        for number, target in ((n, m.group(1)) for n, m in enumerate(map(INCLUDE.match, lines), 1)
                               if m and not m.group(1).endswith(".moc")):  # Qt's generated code
            included = folder_of(target)
            if included is None:
                problems.append('%s:%d: includes "%s", which is in no folder of the layer table' % (name, number, target))
            elif included != folder and included not in ALLOWED[folder]:
                problems.append('%s:%d: %s may not include %s ("%s")' % (name, number, folder, included, target))
    return problems


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[1])
    rows = table_rows()
    problems = check_includes(root)
    # The same table in ARCHITECTURE.md.
    if not set(rows) <= {line.strip() for line in (root / "ARCHITECTURE.md").read_text(encoding="utf-8").splitlines()}:
        problems += ["ARCHITECTURE.md: its layer table differs from tests/check_layers.py; it should read:"] + [
            "    " + row for row in rows]
    print("\n".join(problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
