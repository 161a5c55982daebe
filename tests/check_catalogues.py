#!/usr/bin/env python3
# Checks that every catalogue under translations/ matches the sources.
#
#     check_catalogues.py LUPDATE [REPOSITORY_ROOT]
#
# Refreshes a copy of each catalogue from src/ with lupdate, as a translator would, and names
# every text the copy shows as untranslated (a source text without a finished entry) or as
# vanished or obsolete (an entry whose source text is gone). Exit status 0 when every
# catalogue is complete and current.

import pathlib
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def faults(lupdate, root, catalogue):
    with tempfile.TemporaryDirectory() as tmp:
        copy = pathlib.Path(tmp) / catalogue.name
        shutil.copyfile(catalogue, copy)
        subprocess.run([lupdate, "-silent", "-locations", "none", "-source-language", "en",
                        str(root / "src"), "-ts", str(copy)], check=True)
        found = []
        for context in ET.parse(copy).getroot().iter("context"):
            name = context.findtext("name")
            for message in context.iter("message"):
                translation = message.find("translation")
                kind = translation.get("type") if translation is not None else "unfinished"
                if kind is None and not (translation.text or "").strip():
                    kind = "empty"
                if kind is not None:
                    found.append(f"{catalogue.name}: {kind}: {name}: {message.findtext('source')!r}")
        return found


def main():
    lupdate = sys.argv[1]
    root = pathlib.Path(sys.argv[2] if len(sys.argv) > 2 else ".").resolve()
    catalogues = sorted((root / "translations").glob("*.ts"))
    if not catalogues:
        print("no catalogue under translations/")
        return 1
    found = [f for c in catalogues for f in faults(lupdate, root, c)]
    print("\n".join(found) if found else f"{len(catalogues)} catalogue(s) complete")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
