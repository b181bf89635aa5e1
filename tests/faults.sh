#!/usr/bin/env bash
# Faults around the selector: broken streams, a param.h that cannot be
# written, no opener, SIGPIPE ignored. Whatever happens, the exit status is
# 0, the console gets what it accepts, param.h is right wherever it can be,
# a param.h left unwritten is said, and nothing else is written.
#
#   faults.sh SELECTOR SKETCH_FOLDER
set -u
. "$(dirname "$0")/harness.sh" native "$@"

old='#define choix 12'
chosen='#define choix 5'
console=$menu${confirmations[5]}
# A full disk is /dev/full, which macOS lacks.
full=/dev/full

if begin 'param.h on a full disk' dev-full; then
	lay_sketch absent
	ln -s "$full" "$sketch/param.h"
	run_selector '5\n'
	[ "$(readlink "$sketch/param.h")" = "$full" ] || fail "param.h link replaced"
	expect_status_0; expect_bytes "$work/console" "$console"; expect_errors yes; expect_launch ''
	end
fi

# Both streams go to one file, then to a terminal. The confirmation must
# come first; on a terminal, where the confirmation leaves its line open,
# the message must start on a new line.
unwritten=$(unwritten_line)$'\n'
if begin 'param.h unwritten, both streams on one file'; then
	lay_sketch 'param.h folder'
	run_selector '5\n' '> "$work/console" 2>&1'
	expect_bytes "$work/console" "$console$unwritten"; expect_launch ''
	end
fi

# On a terminal whose locale is UTF-8, the menu's "à" is written as UTF-8;
# on any other, it stays the byte 0xE0, as on a pipe.
for charset in 'not UTF-8' UTF-8; do
	locale=C needs=
	[ "$charset" = UTF-8 ] && locale=$(utf8_locale) needs=utf8-locale
	if begin "param.h unwritten, both streams on a terminal, $charset" $needs; then
		lay_sketch 'param.h folder'
		printf '5\n' > "$work/input"
		# The terminal stays open until the opener has started, and no hangup
		# ends it. util-linux's script and BSD's, on macOS, take the command
		# differently.
		terminal_command="'$selector' < input; until [ -s launches ]; do sleep 0.1; done"
		terminal=(script -qec "$terminal_command" /dev/null)
		script -qec true /dev/null > /dev/null 2>&1 || terminal=(script -q /dev/null sh -c "$terminal_command")
		(cd "$work" && LC_ALL=$locale "${runner[@]}" timeout 20 "${terminal[@]}" > console)
		shown=$console
		[ "$locale" = C ] || shown=${console//$'\xe0'/$'\xc3\xa0'}
		text=$shown$'\n'$unwritten
		expect_bytes "$work/console" "${text//$'\n'/$'\r\n'}"; expect_launch ''
		end
	fi
done

if begin 'started with SIGPIPE ignored, the opener is too' ps; then
	lay_sketch "$old"
	runner=(bash -c 'trap "" PIPE; exec "$@"' bash env "PATH=$work/bin:$PATH")
	run_selector '5\n'
	runner=(env "PATH=$work/bin:$PATH")
	expect_status_0; expect_errors no; expect_launch "$chosen" 'SIGPIPE ignored'
	end
fi

# With standard output and error closed, the system may give their
# descriptors to param.h: no console text may land there.
for output in '>&- 2> "$work/errors"' '> /dev/full 2> "$work/errors"' '>&- 2>&-'; do
	needs=
	[[ $output == *$full* ]] && needs=dev-full
	if begin "valid choice, output $output" $needs; then
		lay_sketch "$old"
		run_selector '5\n' "$output"
		expect_status_0; expect_bytes "$sketch/param.h" "$chosen"; expect_launch "$chosen"
		[[ $output == *'2> "$work/errors"' ]] && expect_errors no
		expect_no_other_files
		end
	fi

	if begin "invalid choice, output $output" $needs; then
		lay_sketch "$old"
		run_selector '0\n' "$output"
		expect_status_0; expect_bytes "$sketch/param.h" "$old"; expect_no_launch
		expect_no_other_files
		end
	fi
done

if begin 'standard output a pipe closed by its reader'; then
	lay_sketch "$old"
	# The answer comes once the reader has closed the pipe, so that the
	# confirmation is written to a pipe without a reader.
	(cd "$work" && { within 100 test -e gone; echo 5; } | "${runner[@]}" "$selector" 2> "$work/errors" |
		{ exec 0<&-; : > gone; }
		exit "${PIPESTATUS[1]}")
	status=$?
	rm "$work/gone"
	expect_status_0; expect_bytes "$sketch/param.h" "$chosen"; expect_launch "$chosen"
	end
fi

# The opener, which prints and lingers, runs apart from the selector's
# streams: a reader of the selector's output ends with the selector.
if begin 'a reader of the output ends while the opener still runs, and reads none of its text'; then
	lay_sketch "$old"
	printf '5\n' > "$work/input"
	(cd "$work" && "${runner[@]}" "$selector" < input 2> errors | cat > console; : > read) &
	reader=$!
	within 300 test -e "$work/read" || fail "the reader never ended"
	grep -qx end "$launches" 2> /dev/null && fail "the reader ended only with the opener"
	wait "$reader"
	rm -f "$work/read"
	expect_bytes "$work/console" "$console"; expect_errors no; expect_launch "$chosen"
	end
fi

# The command interpreter finds no opener on an empty PATH.
for output in '> "$work/console" 2> "$work/errors"' '>&- 2>&-'; do
	if begin "no opener, output $output"; then
		lay_sketch "$old"
		runner=(env "PATH=$work/input")
		run_selector '5\n' "$output"
		expect_status_0; expect_bytes "$sketch/param.h" "$chosen"; expect_no_launch
		[ "$output" = '>&- 2>&-' ] || expect_bytes "$work/console" "$console"
		expect_no_other_files
		end
	fi
done

report
