#!/usr/bin/env bash
# avr_header.sh SELECTOR SKETCH_FOLDER: each of the fifteen headers that the
# selector writes compiles for the microcontroller and defines choix as the
# number chosen.
set -u
command -v avr-g++ > /dev/null || { echo "no avr-g++: skipped"; exit 77; }
. "$(dirname "$0")/harness.sh" native "$@"

for n in $(seq 15); do
	begin "header of choice $n"
	lay_sketch absent
	run_selector "$n\n"
	printf '#include <avr/io.h>\n#include "param.h"\nstatic_assert(choix == %d, "choix");\n' "$n" |
		avr-g++ -mmcu=atmega328p -std=gnu++11 -fsyntax-only -I "$sketch" -x c++ - || fail "rejected"
	end
done
report
