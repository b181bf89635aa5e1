#!/usr/bin/env bash
# avr_sketch.sh SELECTOR SKETCH_FOLDER EXAMPLE: the example sketch builds for
# an Arduino Uno, with the real Arduino core, beside each of the fifteen
# headers that the selector writes.
set -u
hardware=/usr/share/arduino/hardware
builder_platform=/usr/share/arduino-builder
command -v arduino-builder > /dev/null && [ -d "$hardware/arduino/avr" ] ||
	{ echo "no arduino-builder or Arduino AVR core: skipped"; exit 77; }
. "$(dirname "$0")/harness.sh" native "$1" "$2"
example=$3
mkdir "$work/build"

for n in $(seq 15); do
	begin "example sketch with choice $n"
	choose_for_sketch "$example" "$n"
	# Debian's core and its avr-libc disagree on DECIMAL_DIG, which the
	# core's WString.cpp needs: a packaging mismatch, not the sketch's
	# fault. It only sizes number buffers, so a generous 17 is safe.
	arduino-builder -hardware "$hardware" -hardware "$builder_platform" -tools /usr/bin \
		-fqbn arduino:avr:uno -build-path "$work/build" \
		-prefs=compiler.cpp.extra_flags=-DDECIMAL_DIG=17 \
		"$sketch/code.ino" > "$work/build.log" 2>&1 ||
		fail "did not build: $(tail -n 5 "$work/build.log")"
	end
done
report
