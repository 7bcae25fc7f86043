#!/usr/bin/env sh
# Runs one fuzz target for a while on a scratch copy of its seed corpus.
#   run_fuzz.sh TARGET SEED_CORPUS SCRATCH_CORPUS SECONDS
set -eu
target="$1"
seeds="$2"
scratch="$3"
seconds="$4"
rm -rf "$scratch"
mkdir -p "$scratch"
cp "$seeds"/* "$scratch"/
# Findings (crash-*, leak-*, timeout-*) are written beside the scratch corpus. The memory limit
# leaves room for the largest view a script may ask for: 16384 x 16384 pixels take 2 GiB of
# picture and depth buffer.
exec "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
     -artifact_prefix="$scratch-" "$scratch"
