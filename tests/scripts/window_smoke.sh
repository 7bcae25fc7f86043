#!/bin/sh
# Starts the editor in a virtual X server with a document named on the command line, waits
# until a screenshot shows the model, and keeps the screenshot.
#   window_smoke.sh PROGRAM SCREEN_CHECK DOCUMENT SHOT.png
set -eu
program=$1 check=$2 document=$3 shot=$4
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
# A settings folder of its own, so the test neither reads nor changes the user's.
export XDG_CONFIG_HOME="$config" XDG_DATA_HOME="$config" XDG_RUNTIME_DIR="$config"
export XDG_STATE_HOME="$config"
chmod 700 "$config"
exec xvfb-run -a -s "-screen 0 1024x800x24" sh -c '
  "$1" "$2" &
  editor=$!
  status=0
  "$3" "$4" 8000 60 || status=$?
  kill "$editor" 2>/dev/null || true
  wait "$editor" 2>/dev/null || true
  exit $status' smoke "$program" "$document" "$check" "$shot"
