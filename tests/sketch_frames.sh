#!/usr/bin/env bash
# sketch_frames.sh SELECTOR SKETCH_FOLDER EXAMPLE STAND_IN CXX: the example
# sketch, beside each header that the selector writes, shows on its ten
# LEDs, frame by frame, the program that the menu names; run for 31 calls of
# loop(), past the step's return to 0 after 30.
set -u
. "$(dirname "$0")/harness.sh" native "$1" "$2"
example=$3 stand_in=$4 cxx=$5
loops=31

# alone LED MS: the frame of LED alone, lasting MS.
alone() {
	local dark=0000000000
	echo "${dark:0:$1-1}1${dark:$1} $2"
}

# row CHOICE FRAMES_PER_LOOP FRAME...: with CHOICE the sketch shows FRAME...
# again and again, FRAMES_PER_LOOP of them in each call of loop().
row() {
	local choice=$1 per_loop=$2
	shift 2
	begin "example sketch, choice $choice"
	choose_for_sketch "$example" "$choice"
	if "$cxx" -std=c++17 -I "$sketch" -o "$work/frames" "$stand_in" 2> "$work/build.log"; then
		"$work/frames" "$loops" > "$work/shown"
		local frames=("$@") i
		for ((i = 0; i < loops * per_loop; i++)); do echo "${frames[i % $#]}"; done > "$work/expected"
		cmp -s "$work/expected" "$work/shown" ||
			fail "shown: $(diff "$work/expected" "$work/shown" | head -n 6)"
	else
		fail "did not build: $(head -n 5 "$work/build.log")"
	fi
	end
}

mapfile -t caterpillar < <(for led in $(seq 10); do alone "$led" 100; done)
row 1 1 "${caterpillar[@]}"
row 2 2 '1111111111 500' '0000000000 500'
row 3 1 '1010101010 300' '0101010101 300'
row 4 1 '1001001001 300' '0010010010 300' '0100100100 300'
row 5 4 '1111111111 120' '0000000000 120' '1111111111 120' '0000000000 700'
for choice in $(seq 6 15); do
	row "$choice" 1 "$(alone $((choice - 5)) 0)"
done
report
