#!/bin/sh
# The command line's pictures: a still and a turntable of each format written, and the
# refusals (exit 2 with exactly one line on standard error, nothing written).
#   picture_cli.sh PROGRAM EXAMPLES_DIR
set -eu
program=$1
examples=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export XDG_CONFIG_HOME="$dir/config"
# No display: the forms must not need one.
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

fail() { echo "picture_cli: $*" >&2; exit 1; }

"$program" --render "$examples/showcase.fcw" "$dir/still.png" --size 64x48 2> "$dir/err" ||
    fail "--render failed: $(cat "$dir/err")"
[ -s "$dir/still.png" ] || fail "--render wrote nothing"
for ext in gif png webp; do
    "$program" --turntable "$examples/tetrahedron.fcw" "$dir/spin.$ext" --frames 4 \
        --size 32x32 --delay 20 --background 336699 2> "$dir/err" ||
        fail "--turntable .$ext failed: $(cat "$dir/err")"
    [ -s "$dir/spin.$ext" ] || fail "--turntable .$ext wrote nothing"
done

refused() {
    if "$program" "$@" > "$dir/out" 2> "$dir/err"; then
        fail "'$*' reported success"
    else
        status=$?
    fi
    [ "$status" -eq 2 ] || fail "'$*' exited with $status, not 2"
    [ "$(wc -l < "$dir/err")" -eq 1 ] || fail "'$*' did not say why in one line: $(cat "$dir/err")"
}
refused --render "$examples/showcase.fcw"
refused --render "$examples/showcase.fcw" "$dir/x.png" --size 8x8
refused --render "$examples/showcase.fcw" "$dir/x.png" --unknown 1
refused --render "$dir/missing.fcw" "$dir/x.png"
refused --turntable "$examples/showcase.fcw" "$dir/x.gif" --frames 400
refused --turntable "$examples/showcase.fcw" "$dir/x.bmp"
refused --turntable "$examples/showcase.fcw" "$dir/x.webp" --delay
refused --turntable "$examples/showcase.fcw" "$dir/no-such-folder/x.gif" --frames 2
[ ! -e "$dir/x.png" ] && [ ! -e "$dir/x.gif" ] && [ ! -e "$dir/x.webp" ] ||
    fail "a refused picture wrote a file"
[ "$(ls "$dir" | grep -c -v -e '^still.png$' -e '^spin\.' -e '^err$' -e '^out$' -e '^config$')" -eq 0 ] ||
    fail "something was left behind: $(ls "$dir")"
echo "picture_cli: ok"
