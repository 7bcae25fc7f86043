#!/bin/sh
# A picture that cannot be written is reported, the script stops with an error, and nothing is
# left behind: no temporary file beside the target, and a directory in the way untouched. A
# picture that can be written replaces the previous one whole.
#   render_write_failure.sh PROGRAM
set -eu
program=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export XDG_CONFIG_HOME="$dir/config"

fail() { echo "render_write_failure: $*" >&2; exit 1; }

# A directory stands where the picture should go.
mkdir "$dir/pic.png"
echo keep > "$dir/pic.png/inside"
if printf 'render %s\n' "$dir/pic.png" | "$program" --batch - > "$dir/out" 2> "$dir/err"; then
    fail "a render onto a directory reported success"
fi
grep -q "cannot write" "$dir/err" || fail "the failed render was not reported: $(cat "$dir/err")"
[ "$(cat "$dir/pic.png/inside")" = keep ] || fail "the directory in the way was changed"
[ "$(ls -A "$dir" | grep -cv -e '^pic.png$' -e '^out$' -e '^err$' -e '^config$')" = 0 ] ||
    fail "a temporary file was left behind: $(ls -A "$dir")"

# The folder does not exist.
if printf 'render %s\n' "$dir/missing/pic.png" | "$program" --batch - > "$dir/out" 2> "$dir/err"; then
    fail "a render into a missing folder reported success"
fi
grep -q "cannot write" "$dir/err" || fail "the render into a missing folder was not reported"

# An old picture is replaced by a whole new one.
echo old > "$dir/ok.png"
printf 'render %s\n' "$dir/ok.png" | "$program" --batch - > "$dir/out" 2> "$dir/err" ||
    fail "a plain render failed: $(cat "$dir/err")"
[ "$(head -c 4 "$dir/ok.png" | od -An -tx1 | tr -d ' \n')" = 89504e47 ] ||
    fail "the new picture is not a PNG"
echo "render_write_failure: ok"
