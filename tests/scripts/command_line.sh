#!/bin/sh
# The real program's command line: --help and --version print and exit 0; a wrong line is one
# line on standard error and exit status 2, with no window (there is no display to open one
# on, so a window would end in the toolkit's abort instead). The manual page lists every form
# and option --help prints.
#   command_line.sh PROGRAM MANPAGE
set -eu
program=$1 manpage=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "command_line: $*" >&2; exit 1; }
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$dir" XDG_STATE_HOME="$dir" XDG_DATA_HOME="$dir"

"$program" --help > "$dir/help" || fail "--help failed"
"$program" --version > "$dir/version" || fail "--version failed"
grep -qx 'facetcraftwerk [0-9][0-9.]*' "$dir/version" || fail "--version printed $(cat "$dir/version")"

# Every option --help names appears in the manual page (roff writes a dash as \-).
sed 's/\\-/-/g' "$manpage" > "$dir/man"
for option in $(grep -o -- '--*[a-z][a-z]*' "$dir/help" | sort -u); do
    grep -q -- "$option" "$dir/man" || fail "the manual page does not list $option"
done

refused() {
    if "$program" "$@" > "$dir/out" 2> "$dir/err"; then
        fail "'$*' reported success"
    else
        status=$?
    fi
    [ "$status" -eq 2 ] || fail "'$*' exited with $status, not 2: $(cat "$dir/err")"
    [ "$(wc -l < "$dir/err")" -eq 1 ] || fail "'$*' did not say why in one line: $(cat "$dir/err")"
    [ ! -s "$dir/out" ] || fail "'$*' printed on standard output"
}
refused --frobnicate
refused --lang
refused --lang xx
refused --batch
refused --convert only-one.fcw
refused --convert a.fcw b.glb --fit
refused a.fcw -q
echo "command_line: ok"
