#!/bin/sh
# The recovery cycle through the real program: an edit, its recovery copy, a crash (the copy is
# left beside a lock whose process has ended), then a restart that answers No (the copy is set
# aside) and, after a second crash, one that answers Yes (the copy opens, modified).
#   recovery_after_crash.sh PROGRAM
set -eu
program=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export XDG_CONFIG_HOME="$dir/config" XDG_DATA_HOME="$dir/data"
state="$dir/state"

fail() { echo "recovery_after_crash: $*" >&2; exit 1; }

crash() {
    printf 'recovery folder %s\ndown 400 300\ndown 500 300\ndown 400 400\nrecovery write\nrecovery crash\n' \
        "$state" | "$program" --batch - > "$dir/out" 2>/dev/null
    [ -f "$state/recovery-1.fcw" ] || fail "no recovery copy after the edit: $(ls -A "$state")"
    [ -f "$state/recovery-1.lock" ] || fail "no lock beside the copy"
}

crash
printf 'answer no\nrecovery folder %s\ndump\n' "$state" | "$program" --batch - > "$dir/out" 2>/dev/null
grep -q '^message 前回、保存されないまま終了した変更が残っています。' "$dir/out" ||
    fail "the restart did not ask: $(cat "$dir/out")"
grep -q '"lastIndex":-1' "$dir/out" || fail "No opened the copy"
[ "$(ls "$state" | grep -c '^aside-.*\.fcw$')" = 1 ] || fail "No did not set the copy aside: $(ls -A "$state")"
[ ! -e "$state/recovery-1.fcw" ] || fail "the declined copy is still offered"

crash
printf 'answer ok\nrecovery folder %s\ndump\n' "$state" | "$program" --batch - > "$dir/out" 2>/dev/null
grep -q '"lastIndex":0,.*"modified":true' "$dir/out" || fail "Yes did not open the copy: $(cat "$dir/out")"
# A clean exit leaves only what was set aside.
[ "$(ls -A "$state" | grep -vc '^aside-')" = 0 ] || fail "a clean exit left files: $(ls -A "$state")"
echo "recovery_after_crash: ok"
