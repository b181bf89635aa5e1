#!/usr/bin/env bash
# Runs the case table against one build of the selector: its console bytes,
# its exit status, param.h, and the launches it asked for.
#
#   cases.sh native SELECTOR SKETCH_FOLDER
#   cases.sh windows SELECTOR_EXE SKETCH_FOLDER RECORDER_EXE SCREEN_EXE KIT_FOLDER ROOT_EXE
#
# KIT_FOLDER is the kit's sketch folder, relative, which the built-in
# folder's lookup looks for; ROOT_EXE is the selector built for D:\.
set -u
. "$(dirname "$0")/harness.sh"
screen=${5:-} kit=${6:-} root_selector=${7:-}

# row NAME INPUT CHOICE BEFORE: the selector given INPUT must take CHOICE
# (0 for none), with the sketch folder laid as BEFORE says beforehand.
row() {
	begin "$1" || return
	local input=$2 choice=$3 before=$4
	lay_sketch "$before"
	run_selector "$input"

	local launched=yes unwritten=no
	[ "$choice" = 0 ] && launched=no
	case $before in 'no folder' | 'param.h folder') [ "$choice" = 0 ] || unwritten=yes ;; esac
	# Under Wine, start finds no document in a missing folder and launches
	# nothing.
	[ "$host" = wine ] && [ "$before" = 'no folder' ] && launched=no

	expect_status_0
	local console=$menu
	[ "$choice" = 0 ] || console+=${confirmations[choice]}
	if [ "$host" = wine ] && [ "$before" = 'no folder' ]; then
		# The interpreter then prints a complaint of its own, which is not
		# the selector's text and is cut off here.
		head -c "${#console}" "$work/console" > "$work/console.start"
		mv "$work/console.start" "$work/console"
	fi
	expect_bytes "$work/console" "$console"
	expect_errors "$unwritten"

	local header="#define choix $choice"
	[ "$choice" = 0 ] && header=$before
	[ "$unwritten" = yes ] && header=''
	if [ "$launched" = no ]; then
		expect_no_launch
	else
		expect_launch "$header"
		[ "$mode" = windows ] || expect_bytes "$work/console.at-launch" "$console"
	fi

	case $before in
	'no folder') [ -e "$sketch" ] && fail "created the sketch folder" ;;
	'param.h folder') [ -z "$(ls -A "$sketch/param.h")" ] || fail "wrote into the param.h folder" ;;
	absent) [ "$choice" = 0 ] && [ -e "$sketch/param.h" ] && fail "created param.h" ;;
	esac
	[ "$unwritten" = yes ] || [ "$before$choice" = absent0 ] || expect_bytes "$sketch/param.h" "$header"
	expect_no_other_files
	end
}

old='#define choix 12'
for n in $(seq 15); do
	row "choice $n" "$n\n" "$n" "$old"
done

row 'leading blanks'                 '   12\n'            12 "$old"
row 'empty lines and tabs first'     '\n\n\t \r\n12\n'     12 "$old"
row 'vertical tab and form feed'     '\v\f4'               4  "$old"
row 'trailing letters'               '7abc\n'              7  "$old"
row 'plus sign'                      '+3\n'                3  "$old"
row 'decimal point ends the number'  '3.5\n'               3  "$old"
row 'menu shown before the answer'   'after menu:5\n'      5  "$old"
row 'second number left unread'      '1 2\n'               1  "$old"
row 'no line end'                    '9'                   9  "$old"
row 'leading zeros'                  '000000000000000000000000000005\n' 5 "$old"
row 'longer header replaced'         '3\n'                 3  "$old"
row 'same choice again'              '12\n'                12 "$old"
row 'param.h created'                '8\n'                 8  absent
row 'zero'                           '0\n'                 0  "$old"
row 'sixteen'                        '16\n'                0  "$old"
row 'a hundred'                      '100\n'               0  "$old"
row 'minus one'                      '-1\n'                0  "$old"
row 'minus fifteen'                  '-15\n'               0  "$old"
row 'minus zero'                     '-0\n'                0  "$old"
row 'letters'                        'abc\n'               0  "$old"
row 'sign without digits'            '+ 3\n'               0  "$old"
row 'two signs'                      '+-3\n'               0  "$old"
row 'hexadecimal'                    '0x5\n'               0  "$old"
row 'empty input'                    ''                    0  "$old"
row 'blank input'                    ' \n\n'               0  "$old"
row 'closed input'                   closed                0  "$old"
row 'largest 32-bit number'          '2147483647\n'        0  "$old"
row 'just past 32 bits'              '2147483648\n'        0  "$old"
row 'past 32 bits, 5 modulo 2^32'    '4294967301\n'        0  "$old"
row 'below 32 bits'                  '-2147483649\n'       0  "$old"
row 'smallest 32-bit number'         '-2147483648\n'       0  "$old"
row 'NUL before the number'          '\0 5\n'              0  "$old"
row 'NUL after the number'           '5\0\n'               5  "$old"
row 'control characters first'       '\001\033[A5\n'       0  "$old"
row 'no-break space is no blank'     '\2405\n'              0  "$old"
row 'Windows-1252 letters first'     '\340\3515\n'          0  "$old"
row 'number ended by byte 0xFF'      '6\377\n'              6  "$old"
row 'CR LF line end'                 '14\r\n'              14 "$old"
row 'Ctrl-Z before the number'       '\0325\n'              0  "$old"
row 'invalid, no param.h'            '0\n'                 0  absent
# Windows itself answers a missing document with a dialog box, which would
# hold the run.
[ "$host" = windows ] || row 'missing sketch folder' '5\n'   5  'no folder'
row 'param.h a folder'               '5\n'                 5  'param.h folder'

if [ "$mode" = native ]; then
	# The opener runs in the background and may read param.h late, so only
	# the selector's own system calls show the order: the write of param.h
	# must come before the fork that runs the shell.
	if begin 'param.h written before the opener starts' strace; then
		lay_sketch "$old"
		plain=("${runner[@]}")
		runner=(env "PATH=$work/bin:$PATH" strace -qq -e trace=write,fork,vfork,clone,clone3 -o "$work/trace")
		run_selector '5\n'
		runner=("${plain[@]}")
		awk '/^write\([0-9]+, "#define choix 5", 15\) += 15$/ { written = 1 }
			/^(v?fork|clone3?)\(/ { exit } END { exit !written }' "$work/trace" ||
			fail "system calls: $(grep -v '^write(1,' "$work/trace" | head -n 3)"
		expect_launch '#define choix 5'
		rm "$work/trace"
		end
	fi
	report
	exit
fi

# The interpreter must be found as the C runtime finds it, whatever
# %ComSpec% says, and a cmd.exe in the working folder must never run.
cp "$recorder" "$work/cmd.exe"
for comspec in '' 'C:\nowhere\cmd.exe' 'C:\Windows\nowhere.exe'; do
	if begin "%ComSpec% '$comspec'"; then
		lay_sketch "$old"
		printf '@set "ComSpec=%s"\r\n@"%s"\r\n' "$comspec" "$(windows_path "$selector")" > "$work/comspec.cmd"
		selector_exe=$selector selector=$work/comspec.cmd
		run_selector '5\n'
		selector=$selector_exe
		expect_status_0; expect_bytes "$work/console" "$menu${confirmations[5]}"; expect_errors no
		expect_launch '#define choix 5'
		[ -e "$work/launches" ] && fail "ran the cmd.exe of the working folder"
		end
	fi
done
rm "$work/cmd.exe" "$work/comspec.cmd"

# What follows needs Wine: its traces, and its consoles in a pseudo-terminal.
if [ "$host" = windows ]; then
	report
	exit
fi

# A build for a maker's own folder never looks anywhere else, not even
# beside the selector, where the ZIP's sketch lies for the built-in folder.
if begin "a maker's own folder missing: the sketch beside the selector untouched"; then
	lay_sketch 'no folder'
	mkdir -p "$work/own/$kit"
	cp "$selector" "$work/own/selector.exe"
	selector_exe=$selector selector=$work/own/selector.exe
	run_selector '5\n'
	selector=$selector_exe
	expect_status_0; expect_errors yes; expect_no_launch
	[ -z "$(ls -A "$work/own/$kit")" ] || fail "wrote beside the selector"
	rm -r "$work/own"
	end
fi

# A drive's root as the sketch folder, which already ends with a backslash:
# one backslash, not two, before code.ino in the command line, and before
# param.h in the line that says it was not written. Drive D: is a folder of the
# test's.
for before in absent 'param.h folder'; do
	if begin "the root of drive D: as the sketch folder, $before"; then
		ln -sfn "$work/drive d" "$WINEPREFIX/dosdevices/d:"
		built_in=("$sketch" "$sketch_path" "$param_path" "$selector")
		sketch="$work/drive d" sketch_path='D:\code.ino' param_path='D:\param.h' selector=$root_selector
		lay_sketch "$before"
		run_selector '5\n'
		expect_status_0; expect_bytes "$work/console" "$menu${confirmations[5]}"
		if [ "$before" = absent ]; then
			expect_errors no; expect_bytes "$sketch/param.h" '#define choix 5'
			expect_launch '#define choix 5'
			# Wine's start would take D:\\code.ino as well, so the command
			# line itself is read from Wine's trace.
			lay_sketch absent
			runner=(env WINEDEBUG=trace+process wine)
			run_selector '5\n'
			runner=(wine)
			grep -qaF '/c \"start \"\" \"D:\\code.ino\"\"' "$work/errors" ||
				fail "interpreter: $(grep -a 'CreateProcessInternalW.*cmd' "$work/errors")"
			expect_launch '#define choix 5'
		else
			expect_errors yes; expect_launch ''
		fi
		sketch=${built_in[0]} sketch_path=${built_in[1]} param_path=${built_in[2]} selector=${built_in[3]}
		rm -rf "$work/drive d" "$WINEPREFIX/dosdevices/d:"
		end
	fi
done

# Under Wine, the command line that the interpreter is given.
if begin 'param.h written, then the interpreter, which skips AutoRun and keeps ! literal'; then
	lay_sketch "$old"
	runner=(env WINEDEBUG=trace+process,trace+file wine)
	run_selector '5\n'
	runner=(wine)
	grep -aF 'cmd.exe\" /d /v:off /s /c \"start \"\" \"Z:' "$work/errors" | grep -qaF '\\code.ino\"\""' ||
		fail "interpreter: $(grep -a 'CreateProcessInternalW.*cmd' "$work/errors")"
	# param.h must also be written whole before the interpreter starts: the
	# recorder may start too late to show it.
	awk '/:trace:file:CreateFileW L".*param\.h"/ { selector = substr($0, 1, 4) }
		selector && index($0, selector ":trace:file:NtWriteFile = SUCCESS (15)") == 1 { written = 1 }
		/CreateProcessInternalW app L"[^"]*cmd\.exe"/ { exit } END { exit !written }' "$work/errors" ||
		fail "param.h not written before the interpreter started"
	expect_launch '#define choix 5'
	end
fi

# Then the selector runs on a console of its own, in a pseudo-terminal wide
# enough for the longest line. Wine's C runtime converts console bytes
# itself, so only Wine's trace shows whether the selector wrote UTF-16: the
# whole menu in one call, not one call per character. The line about
# param.h, which is UTF-8, must show its own letters on a line of its own.
for code_page in 850 437; do
	if begin "a console at code page $code_page shows the menu's à and the path's letters"; then
		lay_sketch 'param.h folder'
		printf '5\n' > "$work/input"
		(cd "$work" && timeout 60 script -qec "stty cols 250; WINEDEBUG=trace+console wine '$screen' \
			$code_page screen '$selector' < input 2> trace" /dev/null > /dev/null) ||
			fail "console_screen.exe ended with status $?"
		expected=$(printf '%s' "${menu//$'\r'/}" | iconv -f WINDOWS-1252 -t UTF-8)$'\n'
		expected+="${confirmations[5]% }"$'\n'"$(unwritten_line)"$'\n\n'
		expect_bytes "$work/screen" "${expected}code page $code_page"$'\n'
		[ "$(grep -ac ':WriteConsoleW' "$work/trace")" = 3 ] &&
			grep -qaF '\00e0 allumer de 1 a 10\r\n",174,' "$work/trace" ||
			fail "console writes: $(grep -a ':WriteConsoleW' "$work/trace" | head -n 3)"
		expect_launch ''
		rm "$work/screen" "$work/trace"
		end
	fi
done

# on_console COMMAND: runs COMMAND in a pseudo-terminal whose keyboard is
# the FIFO $work/keys, open as descriptor $keys, and sets pid once the menu
# is shown and Wine's console has made the terminal raw: keys typed before
# would reach it as line feeds, not Enter.
on_console() {
	mkfifo "$work/keys"
	exec {keys}<> "$work/keys"
	(cd "$work" && exec script -qec "$1" /dev/null < keys > console 2>&1) &
	pid=$!
	within 300 grep -q 'a 10' "$work/console" || fail "no menu on the console"
	within 300 console_raw || fail "the console's terminal is not raw"
}

# console_raw: the terminal of the command that script runs has been made
# raw, so that it passes on single keys rather than whole lines.
console_raw() {
	local command tty
	command=$(pgrep -P "$pid" | head -n 1) && tty=$(ps -o tty= -p "$command" | tr -d ' ') &&
		stty -F "/dev/$tty" -a 2> /dev/null | grep -qw -- -icanon
}

gone() {
	! kill -0 "$pid" 2> /dev/null
}

# gone_within TENTHS: the console's command ends within TENTHS tenths of a
# second; it is ended otherwise.
gone_within() {
	within "$1" gone || { fail "still running"; kill "$pid"; }
	wait "$pid"
	exec {keys}>&-
	rm "$work/keys"
}

if begin 'alone on its console, waits for Enter after an unwritten param.h'; then
	lay_sketch 'param.h folder'
	on_console "wine '$selector'"
	printf '5\r' >&"$keys"
	within 300 grep -q 'fenêtre\.' "$work/console" || fail "no prompt for Enter"
	printf '\r' >&"$keys"
	gone_within 600
	# Wine's console echoes the Enter only while the selector still reads, so
	# a line end echoed after the prompt shows that the selector waited for it.
	sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' "$work/console" | tr -d '\r' > "$work/screen"
	[ -z "$(tail -c 1 "$work/screen")" ] && tail -n 1 "$work/screen" | grep -q 'fenêtre\.$' ||
		fail "gone before the Enter: $(tail -n 2 "$work/screen")"
	rm "$work/screen"
	expect_launch ''
	end
fi

if begin 'alone on its console, does not wait after a written param.h'; then
	lay_sketch "$old"
	on_console "wine '$selector'"
	printf '5\r' >&"$keys"
	gone_within 600
	expect_launch '#define choix 5'
	end
fi

if begin 'sharing its console with cmd, does not wait'; then
	lay_sketch 'param.h folder'
	on_console "wine cmd /c '$(windows_path "$selector")'"
	printf '5\r' >&"$keys"
	gone_within 600
	expect_launch ''
	end
fi

report
