#!/usr/bin/env bash
# Faults around the selector: broken streams, a param.h that cannot be
# written, no opener. Whatever happens, the exit status is 0, the console
# gets what it accepts, param.h is right wherever it can be, and nothing else
# is written.
#
#   faults.sh SELECTOR SKETCH_FOLDER
set -u
. "$(dirname "$0")/harness.sh" native "$@"

old='#define choix 12'
standard_launch="call"$'\n'"arg=$sketch_path"$'\n'

# expect NAME OUTCOME...: checks the run just made; each OUTCOME is one of
#   console      the console got the menu and the confirmation of 5
#   header       param.h holds "#define choix 5"
#   launched     the opener was called once, on code.ino
expect() {
	[ "$status" = 0 ] || fail "exit status $status"
	local outcome
	for outcome; do
		case $outcome in
		console)
			same "$work/console" "$menu${confirmations[5]}" ||
				fail "console: $(od -c "$work/console" | tail -n 3)" ;;
		header)
			same "$sketch/param.h" '#define choix 5' ||
				fail "param.h: $(od -c "$sketch/param.h" | head -n 3)" ;;
		launched)
			head -n 2 "$launches" 2> /dev/null | cmp -s - <(printf '%s' "$standard_launch") ||
				fail "launches: $(cat "$launches" 2> /dev/null)"
			[ "$(grep -c '^call$' "$launches" 2> /dev/null)" = 1 ] || fail "not launched once" ;;
		esac
	done
	local others
	others=$( (ls -A "$sketch"; ls -A "$work") | grep -vx -e param.h -e code.ino -e bin \
		-e input -e console -e errors -e launches)
	[ -z "$others" ] || fail "wrote other files: $others"
	end
}

begin 'param.h is a folder'
lay_sketch absent
mkdir "$sketch/param.h"
run_selector '5\n'
[ -d "$sketch/param.h" ] && [ -z "$(ls -A "$sketch/param.h")" ] || fail "param.h folder changed"
expect console launched

begin 'param.h on a full disk'
lay_sketch absent
ln -s /dev/full "$sketch/param.h"
run_selector '5\n'
[ "$(readlink "$sketch/param.h")" = /dev/full ] || fail "param.h link replaced"
expect console launched

begin 'standard output closed'
lay_sketch "$old"
run_selector '5\n' '>&- 2> "$work/errors"'
expect header launched

begin 'standard output full'
lay_sketch "$old"
run_selector '5\n' '> /dev/full 2> "$work/errors"'
expect header launched

begin 'standard output and error closed'
lay_sketch "$old"
run_selector '5\n' '>&- 2>&-'
expect header launched

begin 'standard output closed, nothing chosen'
lay_sketch "$old"
run_selector '0\n' '>&- 2>&-'
same "$sketch/param.h" "$old" || fail "param.h changed"
[ -e "$launches" ] && fail "launched"
expect

begin 'standard output a pipe closed by its reader'
lay_sketch "$old"
# The answer comes late, so the reader has gone before the selector writes.
(cd "$work" && { sleep 0.5; echo 5; } | PATH="$work/bin:$PATH" "$selector" 2> "$work/errors" | true
	exit "${PIPESTATUS[1]}")
status=$?
expect header launched

begin 'no opener'
lay_sketch "$old"
(cd "$work" && PATH=$work/input "$selector" < <(echo 5) > "$work/console" 2> "$work/errors")
status=$?
[ -e "$launches" ] && fail "launched"
expect console header

begin 'no opener, standard output closed'
lay_sketch "$old"
(cd "$work" && PATH=$work/input "$selector" < <(echo 5) >&- 2> "$work/errors")
status=$?
expect header

report
