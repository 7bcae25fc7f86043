#!/bin/sh
# The glTF files the program writes pass the Khronos glTF validator with no error and no
# warning. Skipped (77) when node or the npm package gltf-validator (through NODE_PATH) is
# missing: the validator is a check, not a build dependency.
#   gltf_validator.sh PROGRAM EXAMPLES_DIR VALIDATE_JS
set -eu
program=$1
examples=$2
script=$3
command -v node > /dev/null || { echo "node is not installed"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$program" --convert "$examples/showcase.fcw" "$dir/showcase.glb"
"$program" --convert "$examples/showcase.fcw" "$dir/showcase.gltf"
"$program" --convert "$examples/tetrahedron.fcw" "$dir/tetrahedron.glb"
node "$script" "$dir/showcase.glb" "$dir/showcase.gltf" "$dir/tetrahedron.glb"
