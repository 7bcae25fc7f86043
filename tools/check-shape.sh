#!/usr/bin/env bash
# Checks the shape of the sources: no file over 600 lines, no function over 80 lines, and the
# tree formatted by its .clang-format. Prints what is out of shape and fails when something is.
# The sources are found in the tree itself (a copy without git is checked the same), and
# nothing here reads standard input.
set -euo pipefail
cd "$(dirname "$0")/.."
exec </dev/null

# Every .cpp and .h below the top, leaving out build folders and hidden ones.
mapfile -t sources < <(find . \( -path './build*' -o -path './.*' -o -path './Testing' \) -prune \
                            -o -type f \( -name '*.cpp' -o -name '*.h' \) -print |
                       sed 's|^\./||' | LC_ALL=C sort)
if ((${#sources[@]} == 0)); then
    echo "shape check: no sources found"
    exit 1
fi
status=0

for f in "${sources[@]}"; do
    lines=$(wc -l <"$f")
    if ((lines > 600)); then
        echo "shape check: $f has $lines lines (at most 600)"
        status=1
    fi
done

# A function at namespace scope starts on an unindented line (its signature, or the template
# line before it) and ends at the next unindented '}' (formatted code puts it there). Inline
# member functions of classes are indented and short.
for f in "${sources[@]}"; do
    awk -v file="$f" '
        /^}/ {
            if (start && $0 !~ /^} *\/\/ *namespace/ && $0 !~ /^}[;)]/) {
                n = NR - start + 1
                if (n > 80) {
                    printf "shape check: %s:%d: a function of %d lines (at most 80): %s\n", file, start, n, name
                    bad = 1
                }
            }
            start = 0
            next
        }
        /^[A-Za-z_]/ && !/^(namespace|using|extern|#)/ {
            if (!start) { start = NR; name = $0 }
            if ($0 ~ /;$/ && $0 !~ /[{]/) { start = 0 }
            next
        }
        END { exit bad }
    ' "$f" || status=1
done

if command -v clang-format >/dev/null; then
    if ! clang-format --dry-run -Werror "${sources[@]}" 2>/tmp/fcw-format.$$; then
        grep -E '^[^ ]+:[0-9]+:[0-9]+: error' /tmp/fcw-format.$$ | cut -d: -f1 | sort -u |
            sed 's/^/shape check: not formatted by .clang-format: /'
        status=1
    fi
    rm -f /tmp/fcw-format.$$
else
    echo "shape check: clang-format is missing"
    status=1
fi
exit "$status"
