#!/usr/bin/env bash
# 64 MiB answers: blanks before a valid number, and one endless number. The
# first is taken, the second selects nothing, and neither costs memory in
# proportion to its length.
#
#   hostile_input.sh SELECTOR SKETCH_FOLDER PEAK_LIMIT_KIB
# A PEAK_LIMIT_KIB of 0 checks no memory (sanitizers' shadow memory is not
# the selector's).
set -u
. "$(dirname "$0")/harness.sh" native "$1" "$2"
limit=$3
old='#define choix 12'

# feed CHOICE GENERATOR...: runs the selector on what GENERATOR prints and
# checks that it took CHOICE, within the memory limit.
feed() {
	local choice=$1
	shift
	lay_sketch "$old"
	watch_run
	(cd "$work" && "$@" | PATH="$work/bin:$PATH" /usr/bin/time -f %M -o "$work/peak" \
		"$selector" > "$work/console" 2> "$work/errors" 9> "$alive")
	status=$?
	expect_status_0
	local console=$menu header=$old
	[ "$choice" = 0 ] || console+=${confirmations[choice]} header="#define choix $choice"
	expect_bytes "$work/console" "$console"
	expect_bytes "$sketch/param.h" "$header"
	expect_errors no
	if [ "$choice" = 0 ]; then expect_no_launch; else expect_launch "$header"; fi
	if [ "$limit" != 0 ]; then
		echo "$name: peak $(cat "$work/peak") KiB"
		[ "$(cat "$work/peak")" -lt "$limit" ] || fail "peak memory $(cat "$work/peak") KiB"
	fi
	end
}

blanks_then_5() {
	head -c 64M /dev/zero | tr '\0' ' '
	echo 5
}

digits() {
	head -c 64M /dev/zero | tr '\0' 7
}

/usr/bin/time -f %M -o /dev/null true 2> /dev/null || { echo "no GNU time: skipped"; exit 77; }
begin '64 MiB of blanks, then 5' && feed 5 blanks_then_5
begin '64 MiB of digits' && feed 0 digits
report
