#!/usr/bin/env bash
# Brings translations/Varnel_*.ts up to date with the interface texts of the sources.
#
#   tools/update-translations.sh            or   cmake --build build --target update_translations
#
# New or changed texts then appear in translations/Varnel_en.ts as unfinished entries:
# translate them (Qt Linguist, or by hand: write the text and drop type="unfinished"),
# then run tst_translations, which fails while any text lacks its English. Removed texts
# are dropped from both files. Varnel_fr.ts needs no work: the French source texts are
# its translations and are copied in here.
#
# The folders scanned are listed in translations/sources.lst (the test reads it too).
# LUPDATE may name the lupdate program; by default Qt 6's is used.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

lupdate="${LUPDATE:-}"
if [[ -z "$lupdate" ]]; then
    for candidate in /usr/lib/qt6/bin/lupdate "$(command -v lupdate6 || true)" \
                     "$(command -v lupdate || true)"; do
        if [[ -n "$candidate" && -x "$candidate" ]]; then
            lupdate="$candidate"
            break
        fi
    done
fi
if [[ -z "$lupdate" ]]; then
    echo "lupdate not found: install qt6-l10n-tools or set LUPDATE" >&2
    exit 1
fi

# No source locations: line numbers would change with every edit and make the
# translation files conflict on every merge.
"$lupdate" -silent -locations none -no-obsolete -source-language fr \
    @translations/sources.lst \
    -ts translations/Varnel_en.ts translations/Varnel_fr.ts

# French is the source language: every French entry is its own source text, finished.
perl -0777 -pi -e '
    s{<source>(.*?)</source>(.*?)<translation\b[^>]*?(?:/>|>.*?</translation>)}
     {my ($s, $between) = ($1, $2);
      $between =~ s{\s*<oldsource>.*?</oldsource>}{}s;
      "<source>$s</source>$between<translation>$s</translation>"}gse
' translations/Varnel_fr.ts

echo "Updated translations/Varnel_en.ts and translations/Varnel_fr.ts."
if grep -q 'type="unfinished"' translations/Varnel_en.ts; then
    echo "Varnel_en.ts has unfinished entries to translate:"
    grep -c 'type="unfinished"' translations/Varnel_en.ts
fi
