# Sourced with WORK: builds sketches for an Arduino Uno with Debian's Arduino
# core, and runs them on the Uno's own processor in simavr, with
# uno_frames.c, which prints each change of the ten LEDs. Exits 77
# (skipped) where arduino-builder, the core or libsimavr-dev is missing.
uno_hardware=/usr/share/arduino/hardware
command -v arduino-builder > /dev/null && [ -d "$uno_hardware/arduino/avr" ] ||
	{ echo "no arduino-builder or Arduino AVR core: skipped"; exit 77; }
[ -e /usr/include/simavr/sim_avr.h ] || { echo "no libsimavr-dev: skipped"; exit 77; }
uno_work=$1
mkdir -p "$uno_work/uno-build"
cc -std=c99 -O2 -I/usr/include/simavr -o "$uno_work/uno_frames" \
	"$(dirname "${BASH_SOURCE[0]}")/uno_frames.c" -lsimavr 2> "$uno_work/uno_frames.log" ||
	{ cat "$uno_work/uno_frames.log"; exit 1; }

# uno_build SKETCH ELF: builds SKETCH, a code.ino beside its param.h, into
# the firmware ELF; what the build said goes to ELF.log.
#
# Debian's core and its avr-libc disagree on DECIMAL_DIG, which the core's
# WString.cpp needs: a packaging mismatch, not the sketch's fault. It only
# sizes number buffers, so a generous 17 is safe.
uno_build() {
	rm -f "$uno_work/uno-build/code.ino.elf"
	arduino-builder -hardware "$uno_hardware" -hardware /usr/share/arduino-builder \
		-tools /usr/bin -fqbn arduino:avr:uno -build-path "$uno_work/uno-build" \
		-prefs=compiler.cpp.extra_flags=-DDECIMAL_DIG=17 "$1" > "$2.log" 2>&1 &&
		cp "$uno_work/uno-build/code.ino.elf" "$2"
}

# uno_run ELF MILLISECONDS [SYMBOL VALUE]: prints the LEDs' frames of ELF run
# for MILLISECONDS of the Uno's time, as uno_frames.c says.
uno_run() {
	"$uno_work/uno_frames" "$@"
}
