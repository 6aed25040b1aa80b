#!/bin/sh
# Starts the jigsaw game on a puzzle. Until the game window is built, it shows
# what the puzzle inspector reads from the puzzle instead.
set -eu
bin="$1"
puzzle="$2"
if [ -x "$bin/qvrk32" ]; then
    exec "$bin/qvrk32" "$puzzle"
fi
echo "The game window is not built yet; this is what the inspector reads from $puzzle:"
exec "$bin/puzdump" header "$puzzle"
