#!/bin/sh
# The command line's conversion: each foreign format there and back, --fit, and the refusals
# (exit 2 with exactly one line on standard error, nothing written).
#   convert_cli.sh PROGRAM EXAMPLES_DIR
set -eu
program=$1
examples=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export XDG_CONFIG_HOME="$dir/config"

fail() { echo "convert_cli: $*" >&2; exit 1; }

for ext in glb gltf obj stl ply tx1 dxf; do
    "$program" --convert "$examples/tetrahedron.fcw" "$dir/t.$ext" 2> "$dir/err" ||
        fail "fcw to $ext failed: $(cat "$dir/err")"
    "$program" --convert "$dir/t.$ext" "$dir/back-$ext.fcw" 2> "$dir/err" ||
        fail "$ext to fcw failed: $(cat "$dir/err")"
    [ -s "$dir/back-$ext.fcw" ] || fail "$ext to fcw wrote nothing"
done
[ -s "$dir/t.mtl" ] || fail "the OBJ came without its .mtl"
"$program" --convert "$examples/tetrahedron.fcw" "$dir/fit.GLB" --fit 2.5 2> "$dir/err" ||
    fail "--fit failed: $(cat "$dir/err")"

refused() {
    if "$program" --convert "$@" > "$dir/out" 2> "$dir/err"; then
        fail "'$*' reported success"
    else
        status=$?
    fi
    [ "$status" -eq 2 ] || fail "'$*' exited with $status, not 2"
    [ "$(wc -l < "$dir/err")" -eq 1 ] || fail "'$*' did not say why in one line: $(cat "$dir/err")"
}
refused "$examples/tetrahedron.fcw" "$dir/x.unknown"
refused "$examples/tetrahedron.fcw" "$dir/x.dae"
refused "$dir/missing.glb" "$dir/x.glb"
printf 'glTF garbage' > "$dir/bad.glb"
refused "$dir/bad.glb" "$dir/x.stl"
refused "$examples/tetrahedron.fcw" "$dir/x.glb" --fit -1
[ ! -e "$dir/x.glb" ] && [ ! -e "$dir/x.stl" ] || fail "a refused conversion wrote a file"
echo "convert_cli: ok"
