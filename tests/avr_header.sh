#!/usr/bin/env bash
# avr_header.sh SELECTOR SKETCH_FOLDER: each of the fifteen headers that the
# selector writes compiles for the microcontroller and defines choix as the
# number chosen.
set -u
command -v avr-g++ > /dev/null || { echo "no avr-g++: skipped"; exit 77; }

selector=$1 sketch=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
printf '#!/bin/sh\n' > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

passed=0 failed=0
for n in $(seq 15); do
	rm -rf "$sketch" && mkdir -p "$sketch"
	echo "$n" | PATH="$work/bin:$PATH" "$selector" > /dev/null
	if printf '#include <avr/io.h>\n#include "param.h"\nstatic_assert(choix == %d, "choix");\n' "$n" |
		avr-g++ -mmcu=atmega328p -std=gnu++11 -fsyntax-only -I "$sketch" -x c++ -; then
		passed=$((passed + 1))
	else
		echo "FAIL header of choice $n"
		failed=$((failed + 1))
	fi
done
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
