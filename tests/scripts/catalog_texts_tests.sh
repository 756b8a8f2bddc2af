#!/usr/bin/env bash
# The translators' checks of scripts/update-translations over crafted catalogs:
# a translation whose value slots are not its key's fails, one that only
# reorders them passes, and the template carries the English shown for a key
# that is not it.
set -euo pipefail
texts=(/usr/bin/python3 "$(dirname "$0")/../../scripts/translations/catalog_texts.py")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

header='msgid ""
msgstr ""
"Language: vi\n"
"Content-Type: text/plain; charset=UTF-8\n"
"Plural-Forms: nplurals=1; plural=0;\n"
'
catalog() { printf '%s\n%s\n' "$header" "$2" >"$scratch/$1.po"; }

catalog reordered 'msgid "%@ of %@"
msgstr "%2$@ của %1$@"

msgid "Freed %@; %lld items"
msgstr "Đã giải phóng %@; %lld mục"

#, fuzzy
msgid "Left as it was %@"
msgstr "Bỏ qua"

msgid "Not yet translated %@"
msgstr ""

msgid "%lld items"
msgid_plural "%lld items"
msgstr[0] "%lld mục"'
"${texts[@]}" check-placeholders "$scratch/reordered.po" || fail "reordered slots, fuzzy and untranslated texts pass"

check_fails() {
  local name=$1 expected=$2
  if "${texts[@]}" check-placeholders "$scratch/$name.po" 2>"$scratch/$name.err"; then
    fail "$name passes"
  elif ! grep -qF -- "$expected" "$scratch/$name.err"; then
    fail "$name: no \"$expected\" in: $(cat "$scratch/$name.err")"
  fi
}
catalog broken 'msgid "Freed %@"
msgstr "Đã giải phóng % @"'
check_fails broken "are not those of its key 'Freed %@'"
catalog kind 'msgid "%lld items"
msgid_plural "%lld items"
msgstr[0] "%@ mục"'
check_fails kind '(%1$@)'
catalog extra 'msgid "Done"
msgstr "Xong %@"'
check_fails extra '(none)'
catalog mixed 'msgid "%@ of %@"
msgstr "%2$@ của %@"'
check_fails mixed 'numbered and plain slots mixed'
msgfmt --check -o /dev/null "$scratch/broken.po" 2>/dev/null || fail "msgfmt was expected to let the broken slot through"

printf '%s\n' "$header" 'msgid "Scanning your Mac"' 'msgstr ""' '' 'msgid "Done"' 'msgstr ""' '' \
  '#. TRANSLATORS: a count' 'msgid "%lld mục"' 'msgid_plural "%lld mục"' 'msgstr[0] ""' >"$scratch/template.pot"
printf '%s\n' "$header" 'msgid "Scanning your Mac"' 'msgstr "Scanning your computer"' '' \
  'msgid "Done"' 'msgstr "Done"' '' 'msgid "%lld mục"' 'msgid_plural "%lld mục"' \
  'msgstr[0] "%lld item"' 'msgstr[1] "%lld items"' >"$scratch/en.po"
"${texts[@]}" english-comments "$scratch/template.pot" "$scratch/en.po"
"${texts[@]}" english-comments "$scratch/template.pot" "$scratch/en.po"  # twice: still one comment each
grep -qx '#. English: Scanning your computer' "$scratch/template.pot" || fail "no English for a rewritten key"
grep -qx '#. English: %lld item | %lld items' "$scratch/template.pot" || fail "no English for a Vietnamese counted key"
grep -qx '#. TRANSLATORS: a count' "$scratch/template.pot" || fail "the translators' comment is lost"
[ "$(grep -c '^#. English:' "$scratch/template.pot")" -eq 2 ] || fail "a key that is its English has a comment"

[ "$failures" -eq 0 ] && echo "catalog checks: all passed"
exit $((failures > 0))
