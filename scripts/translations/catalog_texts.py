#!/usr/bin/python3
"""What scripts/update-translations asks of the catalogs beyond gettext's own tools.

  catalog_texts.py english-comments TEMPLATE EN_PO
      gives every template entry whose key is not the English the programs show
      (po/en.po's text for it) that English as an extracted comment ("#. English: ...").
  catalog_texts.py check-placeholders CATALOG...
      fails when a translation's value slots (%@, %lld, %1$@, ...) are not its key's.
  catalog_texts.py untranslated CATALOG
      prints how many texts the catalog leaves untranslated or fuzzy.
"""

import re
import sys

import polib

ENGLISH = "English: "

# The slots the programs fill: "%@" (a text) and "%lld" (a number), optionally
# numbered ("%2$@"); "%%" is a plain percent sign. Other conversions are
# listed so that a translation cannot swap one for another unnoticed.
SLOT = re.compile(r"%(?:(\d+)\$)?(@|lld|llu|ld|lu|d|i|u|s|%)")


def slots(text):
    """The value slots of `text` as sorted (number, kind) pairs, and whether it mixes numbered and plain slots."""
    found, plain, numbered = [], 0, False
    for match in SLOT.finditer(text):
        number, kind = match.groups()
        if kind == "%":
            continue
        if number:
            numbered = True
            found.append((int(number), kind))
        else:
            plain += 1
            found.append((plain, kind))
    return sorted(found), numbered and plain > 0


def shown(number, kind):
    return f"%{number}${kind}"


def translations(entry):
    if entry.msgid_plural:
        return [entry.msgstr_plural[form] for form in sorted(entry.msgstr_plural)]
    return [entry.msgstr]


def placeholder_problems(path):
    problems = []
    for entry in polib.pofile(path, wrapwidth=0):
        if entry.obsolete or "fuzzy" in entry.flags or not entry.msgid:
            continue
        wanted, _ = slots(entry.msgid)
        for text in translations(entry):
            if not text:
                continue  # untranslated: shown in English
            got, mixed = slots(text)
            where = f"{path}:{entry.linenum}"
            if mixed:
                problems.append(f"{where}: numbered and plain slots mixed in {text!r}")
            elif got != wanted:
                problems.append(
                    f"{where}: the slots of {text!r} ({' '.join(shown(*s) for s in got) or 'none'}) "
                    f"are not those of its key {entry.msgid!r} ({' '.join(shown(*s) for s in wanted) or 'none'})"
                )
    return problems


def english_of(entry):
    """The English the programs show for an entry of en.po when its key is not that English, else None.
    A counted text counts as its key when its plural form is the key's."""
    forms = [text for text in translations(entry) if text]
    if not forms or entry.obsolete or "fuzzy" in entry.flags:
        return None
    if forms[-1] == (entry.msgid_plural or entry.msgid):
        return None
    return " | ".join(forms)


def add_english_comments(template_path, english_path):
    english = {}
    for entry in polib.pofile(english_path, wrapwidth=0):
        text = english_of(entry)
        if text is not None:
            english[(entry.msgctxt, entry.msgid)] = text
    template = polib.pofile(template_path, wrapwidth=0)
    for entry in template:
        text = english.get((entry.msgctxt, entry.msgid))
        if text is None:
            continue
        lines = [line for line in entry.comment.split("\n") if line and not line.startswith(ENGLISH)]
        entry.comment = "\n".join(lines + [ENGLISH + text.replace("\n", "\\n")])
    template.save(template_path)


def main(arguments):
    if len(arguments) == 3 and arguments[0] == "english-comments":
        add_english_comments(arguments[1], arguments[2])
        return 0
    if len(arguments) >= 2 and arguments[0] == "check-placeholders":
        problems = [problem for path in arguments[1:] for problem in placeholder_problems(path)]
        for problem in problems:
            print(problem, file=sys.stderr)
        return 1 if problems else 0
    if len(arguments) == 2 and arguments[0] == "untranslated":
        catalog = polib.pofile(arguments[1], wrapwidth=0)
        print(len(catalog.untranslated_entries()) + len(catalog.fuzzy_entries()))
        return 0
    print(__doc__.strip(), file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
