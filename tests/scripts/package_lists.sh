#!/bin/sh
# The two package lists: ./run's holds what building and running needs and none of the test
# tools; ./test's holds all of it and the test tools; no name is pinned to one release's
# version except clang's runtime, which has no other name and must match the clang installed.
# Reads the lists only; installs nothing.
#   package_lists.sh ENSURE_PACKAGES_SCRIPT
set -eu
script=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "package_lists: $*" >&2; exit 1; }

"$script" --list run > "$dir/run"
"$script" --list test > "$dir/test"
[ -s "$dir/run" ] || fail "the run list is empty"
for p in $(cat "$dir/run"); do
    grep -qx "$p" "$dir/test" || fail "$p is in the run list but not in the test list"
done
for tool in libgtest-dev libgmock-dev libbenchmark-dev clang clang-format xvfb xdotool lintian \
            appstream desktop-file-utils libgl1-mesa-dri; do
    grep -qx "$tool" "$dir/test" || fail "the test list lacks $tool"
    ! grep -qx "$tool" "$dir/run" || fail "the run list installs the test tool $tool"
done
! grep -q '^libclang-rt' "$dir/run" || fail "the run list installs clang's runtime"

major=$(clang --version | sed -n 's/.*clang version \([0-9][0-9]*\)\..*/\1/p' | head -n 1)
grep -qx "libclang-rt-$major-dev" "$dir/test" ||
    fail "the test list does not name the runtime of clang $major"
pinned=$(grep -E -- '-[0-9]+(\.[0-9]+)*(-dev)?$' "$dir/test" | grep -vx "libclang-rt-$major-dev" || true)
[ -z "$pinned" ] || fail "names pinned to a version: $pinned"

# Every name is one Debian knows: installed (one query for all), or else in the package index.
dpkg-query -W -f='${Package}\n' $(cat "$dir/test") > "$dir/known" 2> /dev/null || true
for p in $(cat "$dir/test"); do
    grep -qx "$p" "$dir/known" || apt-cache show --no-all-versions "$p" > /dev/null 2>&1 ||
        fail "Debian has no package $p"
done
echo "package_lists: ok"
