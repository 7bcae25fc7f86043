#!/usr/bin/env bash
# Checks that the English catalogue is complete: lupdate, run over the marked texts of every
# layer into a scratch copy of translations/facetcraftwerk_en.ts, must find no text that the
# catalogue lacks (a new or changed one comes in unfinished) and none that the sources no
# longer have. Prints the texts to translate and fails when there are any.
#   tools/check-translations.sh        check
#   tools/check-translations.sh --update   bring the catalogue in step (then translate the
#                                          unfinished entries, e.g. with linguist)
set -euo pipefail
cd "$(dirname "$0")/.."

lupdate=${LUPDATE:-}
if [[ -z "$lupdate" ]]; then
    for candidate in /usr/lib/qt6/bin/lupdate "$(command -v lupdate6 || true)" \
                     "$(command -v lupdate || true)"; do
        if [[ -n "$candidate" && -x "$candidate" ]]; then
            lupdate=$candidate
            break
        fi
    done
fi
[[ -n "$lupdate" ]] || { echo "check-translations: lupdate not found (qt6-l10n-tools)"; exit 1; }

catalogue=translations/facetcraftwerk_en.ts
# The same options as the build's lupdate target (app/CMakeLists.txt).
options=(-silent -tr-function-alias QT_TRANSLATE_NOOP+=FCW_TR_NOOP -locations none
         -source-language ja -target-language en -extensions cpp,h)
# The layers' folders, as the build names them (FCW_LAYERS in CMakeLists.txt); lupdate reads
# every source in them, sub-folders included.
read -r -a sources < <(sed -n 's/^set(FCW_LAYERS \(.*\))$/\1/p' CMakeLists.txt)
((${#sources[@]} > 0)) || { echo "check-translations: no FCW_LAYERS in CMakeLists.txt"; exit 1; }

if [[ "${1:-}" == --update ]]; then
    "$lupdate" "${options[@]}" -no-obsolete "${sources[@]}" -ts "$catalogue"
    exit 0
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$catalogue" "$scratch/check.ts"
# Without -no-obsolete: texts the sources dropped stay, marked vanished, and are counted.
"$lupdate" "${options[@]}" "${sources[@]}" -ts "$scratch/check.ts"

status=0
report() { # $1: what, $2: the translation tag's type
    local found
    found=$(grep -B3 "<translation type=\"$2\"" "$scratch/check.ts" |
            sed -n 's:.*<source>\(.*\):\1:p' | sed 's:</source>$::' || true)
    if [[ -n "$found" ]]; then
        echo "check-translations: $1 in $catalogue:"
        sed 's/^/    /' <<<"$found"
        status=1
    fi
}
report "texts to translate (run tools/check-translations.sh --update, then translate)" unfinished
report "texts the sources no longer have (run tools/check-translations.sh --update)" vanished
report "texts the sources no longer have (run tools/check-translations.sh --update)" obsolete
if ! cmp -s "$catalogue" "$scratch/check.ts" && [[ $status -eq 0 ]]; then
    echo "check-translations: $catalogue is not in step with the sources (run --update)"
    diff "$catalogue" "$scratch/check.ts" | head -20
    status=1
fi
[[ $status -eq 0 ]] && echo "check-translations: ok ($(grep -c '<message>' "$catalogue") texts)"
exit $status
