#!/usr/bin/env bash
# sketch_frames.sh SELECTOR SKETCH_FOLDER SOURCE: the example sketch stops
# its build on a French line where no param.h is beside it; and beside each
# header that the selector writes, it is built for an
# Arduino Uno with the Arduino core and run on the Uno's own processor, in
# simavr. Its ten LEDs show, frame by frame, the program that the menu names,
# past the step's return to 0 after 30 steps; and the same again once its
# step counter starts near the 16-bit limit, where hours of running would
# bring a counter that is never wrapped. The preview page that the kit
# ships, made from these firmwares, is the one kept in SOURCE.
set -u
command -v python3 > /dev/null || { echo "no python3, which writes the preview page: skipped"; exit 77; }
. "$(dirname "$0")/harness.sh" native "$1" "$2"
. "$(dirname "$0")/uno.sh" "$work"
source=$3
example=$source/examples/sketch/code.ino

# A frame's duration is its delay() plus the code that runs between two
# changes of the LEDs, the ten digitalWrite calls among them: a few tens of
# microseconds. delay() counts with micros(), which timer 0 advances every
# 4 us (16 MHz, prescaler 64), so the wait itself is right within 4 us. A
# tolerance of half a millisecond takes all that, and still tells apart a
# delay that is off by one millisecond. A frame shorter than a millisecond
# is the LEDs changing one by one inside a loop, not a frame anyone sees.
tolerance_ms=0.5 shortest_ms=1
# Late in life, the step counter starts at a multiple of 30 less than 40
# steps below the 16-bit limit: a counter that is wrapped every 30 steps
# goes on as from 0, and one that is never wrapped passes 32767 within the
# 40 steps watched.
late_in_life=32730

# alone LED MS: the frame of LED alone, lasting MS.
alone() {
	local dark=0000000000
	echo "${dark:0:$1-1}1${dark:$1} $2"
}

# simulate ELF LOOPS LOOP_MS PER_LOOP FRAMES OUT [SYMBOL VALUE]: runs ELF for
# LOOPS calls of loop(), each LOOP_MS long, and writes to OUT what differs
# from FRAMES (one per line) shown again and again, PER_LOOP of them in each
# call; OUT stays empty if nothing does. A frame of 0 ms is a program's
# last, which never changes.
simulate() {
	local elf=$1 loops=$2 loop_ms=$3 per_loop=$4 frames=$5 out=$6
	shift 6
	uno_run "$elf" $(((loops + 1) * loop_ms + 50)) "$@" > "$out.shown" 2> /dev/null ||
		{ echo "simavr: $(tail -n 1 "$out.shown")" > "$out"; return; }
	awk -v want=$((loops * per_loop)) -v tolerance="$tolerance_ms" -v shortest="$shortest_ms" '
		BEGIN { n = m = k = 0 }
		NR == FNR { expected[n++] = $0; next }
		{ state[m] = $1; start[m++] = $2 }
		END {
			# Complete frames, the last one being cut by the end of the run.
			for (i = 0; i + 1 < m; i++) {
				length_ms = start[i + 1] - start[i]
				if (length_ms < shortest) continue
				if (k > 0 && kept[k - 1] == state[i]) { lasted[k - 1] += length_ms; continue }
				kept[k] = state[i]; lasted[k++] = length_ms
			}
			split(expected[0], first)
			if (first[2] == 0) {
				if (m != 1 || state[0] != first[1]) print "shown: " m " frames, the first " state[0]
				exit
			}
			if (k < want) { print "shown: " k " frames of " want; exit }
			for (i = 0; i < want; i++) {
				split(expected[i % n], frame)
				off = lasted[i] - frame[2]
				if (kept[i] != frame[1] || off > tolerance || -off > tolerance) {
					printf "frame %d shown: %s %.3f, expected: %s\n", i + 1, kept[i], lasted[i], expected[i % n]
					exit
				}
			}
		}' <(printf '%s\n' "$frames") "$out.shown" > "$out"
}

# row CHOICE EARLY LATE PER_LOOP FRAME...: with CHOICE the sketch shows
# FRAME... again and again, PER_LOOP of them in each call of loop(), watched
# for EARLY calls from the start, and for LATE calls once its step counter
# starts late in life. The two runs go side by side.
row() {
	local choice=$1 early=$2 late=$3 per_loop=$4
	shift 4
	local frames loop_ms=0 frame
	frames=$(printf '%s\n' "$@")
	for frame in "$@"; do loop_ms=$((loop_ms + ${frame#* })); done
	loop_ms=$((loop_ms * per_loop / $#))

	local early_name="example sketch on the Uno, choice $choice"
	local late_name="$early_name, late in life"
	chosen "$early_name" || chosen "$late_name" || return

	local elf=$work/choice-$choice.elf counter built=yes chose
	name=$early_name ok=1
	choose_for_sketch "$example" "$choice"
	chose=$ok
	uno_build "$sketch/code.ino" "$elf" || built=no
	if [ "$built" = yes ]; then
		counter=$(avr-nm "$elf" | awk '$3 ~ /^_ZZ4loopv?E4step/ { print $3; exit }')
		simulate "$elf" "$early" "$loop_ms" "$per_loop" "$frames" "$work/early" &
		local early_run=$!
		if [ -n "$counter" ]; then
			simulate "$elf" "$late" "$loop_ms" "$per_loop" "$frames" "$work/late" "$counter" "$late_in_life"
		else
			echo "no step counter in the sketch" > "$work/late"
		fi
		wait "$early_run"
		mkdir -p "$work/frames"
		cp "$work/early.shown" "$work/frames/choice-$choice.frames"
	fi

	if begin "$early_name"; then
		[ "$chose" = 1 ] || fail "the selector did not hand over the header as it should"
		[ "$built" = yes ] || fail "did not build: $(tail -n 5 "$elf.log")"
		[ "$built" = no ] || [ ! -s "$work/early" ] || fail "$(cat "$work/early")"
		end
	fi
	if begin "$late_name"; then
		[ "$chose" = 1 ] || fail "the selector did not hand over the header as it should"
		[ "$built" = yes ] || fail "did not build"
		[ "$built" = no ] || [ ! -s "$work/late" ] || fail "$(cat "$work/late")"
		end
	fi
}

# Before any choice there is no param.h. This row builds first, so that no
# earlier build has left a copy of one in the build folder.
if begin 'example sketch without param.h: stops on a French line that names selector.exe'; then
	lay_sketch absent
	cp "$example" "$sketch/code.ino"
	uno_build "$sketch/code.ino" "$work/none.elf" && fail "built"
	grep -q "error: #error \"Il manque param.h : lancez d'abord selector.exe" "$work/none.elf.log" ||
		fail "the build said: $(grep -m 2 error "$work/none.elf.log")"
	[ "$(grep -c 'error: #error' "$work/none.elf.log")" = 1 ] || fail "more than one error: $(grep '#error' "$work/none.elf.log")"
	end
fi

mapfile -t caterpillar < <(for led in $(seq 10); do alone "$led" 100; done)
# The programs that follow the step are watched past its return to 0, and
# late in life past the 16-bit limit; the others for two calls, or one.
row 1 31 40 1 "${caterpillar[@]}"
row 2 2 2 2 '1111111111 500' '0000000000 500'
row 3 31 40 1 '1010101010 300' '0101010101 300'
row 4 31 40 1 '1001001001 300' '0100100100 300' '0010010010 300'
row 5 2 2 4 '1111111111 120' '0000000000 120' '1111111111 120' '0000000000 700'
for choice in $(seq 6 15); do
	row "$choice" 1 1 1 "$(alone $((choice - 5)) 0)"
done

# The preview page and the README's picture are made anew from the frames
# that the rows above recorded, or by tools/apercu.sh where they did not
# run: a change to the sketch that leaves them stale fails here.
if begin 'the preview page and picture from these firmwares are the kept ones'; then
	mkdir "$work/apercu"
	if [ "$(ls "$work/frames" 2> /dev/null | wc -l)" = 15 ]; then
		python3 "$source/tools/apercu.py" "$source" "$work/frames" "$work/apercu"
	else
		"$source/tools/apercu.sh" "$work/apercu"
	fi > "$work/apercu.log" 2>&1 || fail "the preview: $(tail -n 3 "$work/apercu.log")"
	for file in apercu.html apercu.svg; do
		cmp -s "$work/apercu/$file" "$source/examples/$file" ||
			fail "examples/$file is not what tools/apercu.sh makes now: $(diff "$source/examples/$file" \
				"$work/apercu/$file" | head -n 4)"
	done
	end
fi
report
