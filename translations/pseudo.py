#!/usr/bin/env python3
"""Writes a pseudo-language copy of a Qt Linguist catalogue for the layout check.

Every translation becomes its English source with accented letters and 40 % more
characters on each line, so that a window which cuts, clips or overlaps a longer text in
another language shows it here first. Access-key marks ("&" before a letter, "&&"),
placeholders (%1, %n, %L1, %s) and line breaks stay as they are, so the program treats
the pseudo text exactly as it treats the English.

    translations/pseudo.py translations/plimset_ja.ts build/plimset_pseudo.ts [--language xx]

The copy is then compiled with lrelease like any other catalogue. Its self-check:
    python3 -m doctest translations/pseudo.py
"""
import argparse
import math
import re
import sys
import xml.etree.ElementTree as ET

ACCENTED = str.maketrans(
    "abcdefghiklnoprstuwxyzABCDEGHIKLNOPRSTUWYZ",
    "åƀçđéƒĝĥîķĺñöþŕšţûŵẋýžÅƁÇĐÉĜĤÎĶĹÑÖÞŔŠŢÛŴÝŽ")
# What is added to each line: plain pseudo-words, so that a line can still wrap.
FILLER = "ŵîđé ţéxţ ĺöñĝéŕ šţîĺĺ "
GROWTH = 0.4

# Kept byte for byte: placeholders, a literal "&&" and an access-key mark with its letter
# (which stays typeable). Everything else is text.
KEPT = re.compile(r"%L?\d{1,2}|%L?n|%[sd]|&&|&.", re.DOTALL)


def accented(text):
    """The text with its letters accented and the kept tokens untouched.

    >>> accented("E&xit %1 && %n")
    'É&xîţ %1 && %n'
    """
    out = []
    last = 0
    for kept in KEPT.finditer(text):
        out.append(text[last:kept.start()].translate(ACCENTED))
        out.append(kept.group())
        last = kept.end()
    out.append(text[last:].translate(ACCENTED))
    return "".join(out)


def longer_line(line):
    """One line, accented and 40 % longer; the padding goes before trailing spaces so that
    texts joined to others keep their spacing.

    >>> longer_line("Input ")
    'Îñþûţ ŵî '
    >>> longer_line("")
    ''
    """
    body = line.rstrip(" ")
    trailing = line[len(body):]
    if not body:
        return line
    extra = math.ceil(len(line) * GROWTH)
    padding = (" " + FILLER * (extra // len(FILLER) + 1))[:extra] if extra > 1 else "ĩ"
    return accented(body) + padding + trailing


def pseudo_text(source):
    """The pseudo translation of a source text, line by line ("\\r\\n" stays "\\r\\n").

    >>> pseudo_text("Window Size, Font, \\r\\nand Background Color").split("\\r\\n")[1]
    'åñđ Ɓåçķĝŕöûñđ Çöĺöŕ ŵîđé ţé'
    >>> t = pseudo_text("&Options...")
    >>> t.startswith("&Oþţîöñš...") and len(t) >= 1.4 * len("&Options...")
    True
    """
    return "\n".join("\r".join(longer_line(part) for part in line.split("\r"))
                     for line in source.split("\n"))


def plural_forms(language, found):
    """How many plural forms to write: as many as the catalogue had, unless it is written
    for another language; then one where the language has no plural (CJK), else two."""
    if not language:
        return max(found, 1)
    return 1 if language[:2] in ("ja", "zh", "ko") else 2


def make_pseudo(tree, language):
    root = tree.getroot()
    if language and language == root.get("language"):
        language = ""
    if language:
        root.set("language", language)
    for message in root.iter("message"):
        translation = message.find("translation")
        source = message.findtext("source", default="")
        if translation is None or translation.get("type") in ("obsolete", "vanished"):
            continue
        if "type" in translation.attrib:
            del translation.attrib["type"]
        text = pseudo_text(source)
        forms = translation.findall("numerusform")
        if message.get("numerus") == "yes":
            for form in forms:
                translation.remove(form)
            translation.text = None
            for _ in range(plural_forms(language, len(forms))):
                ET.SubElement(translation, "numerusform").text = text
        else:
            for child in list(translation):
                translation.remove(child)
            translation.text = text


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("catalogue", help="a .ts file whose sources are the English texts")
    parser.add_argument("output", help="the pseudo-language .ts file to write")
    parser.add_argument("--language", default="",
                        help="the language code written into the copy (default: the input's)")
    args = parser.parse_args(argv)
    tree = ET.parse(args.catalogue)
    make_pseudo(tree, args.language)
    with open(args.output, "wb") as out:
        out.write(b'<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        tree.write(out, encoding="utf-8", xml_declaration=False)
        out.write(b"\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
