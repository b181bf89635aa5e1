#!/usr/bin/env bash
# apercu.sh [OUT]: builds the example sketch for each of the fifteen
# choices, runs it on the Uno's processor in simavr with the harness of the
# sketch suite, and writes from its frames apercu.html, the preview that the
# ZIP ships, and apercu.svg, the README's picture, into OUT (examples/ by
# default). Needs what the sketch suite needs, and python3.
set -eu
source=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$source/examples}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$source/tests/uno.sh" "$work"

mkdir "$work/sketch" "$work/frames"
cp "$source/examples/sketch/code.ino" "$work/sketch/"
for choice in $(seq 15); do
	elf=$work/choice-$choice.elf
	printf '#define choix %d' "$choice" > "$work/sketch/param.h"
	uno_build "$work/sketch/code.ino" "$elf" || { cat "$elf.log"; exit 1; }
	# Three seconds hold two rounds of the longest program, a little over
	# one second each.
	uno_run "$elf" 3000 > "$work/frames/choice-$choice.frames"
done
mkdir -p "$out"
python3 "$source/tools/apercu.py" "$source" "$work/frames" "$out"
