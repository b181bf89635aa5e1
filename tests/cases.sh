#!/usr/bin/env bash
# Runs the case table against one build of the selector: its console bytes,
# its exit status, param.h, and the launches it asked for.
#
#   cases.sh native SELECTOR SKETCH_FOLDER
#   cases.sh wine SELECTOR_EXE SKETCH_FOLDER RECORDER_EXE
#
# SKETCH_FOLDER is the host's path of the folder built into the selector;
# under Wine the selector knows it as Z: followed by that path.
set -u

mode=$1 selector=$2 sketch=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0

menu=$'quel programme voulez-vous choisir?\n 1. Chenille\n 2. Toutes les LEDs\n 3. 1 LED sur 2\n 4. 1 LED sur 3\n 5. Battement de coeur\n 6-15. Choix de la LED \xE0 allumer de 1 a 10\n'
confirmations=(
	''
	'le programme choisit est Chenille'
	'le programme chosit est Toutes les LEDs'
	'le programme choisit est 1 LED sur 2'
	'le programme choisit est 1 LED sur 3'
	'le programme choisit est Battement de coeur '
	'le programme choisit est LED1 '
	'le programme choisit est LED2 '
	'le programme choisit est LED3 '
	'le programme choisit est LED4 '
	'le programme choisit est LED5 '
	'le programme choisit est LED6 '
	'le programme choisit est LED7 '
	'le programme choisit est LED8 '
	'le programme choisit est LED9 '
	'le programme choisit est LED10 '
)

if [ "$mode" = native ]; then
	# A stand-in for the desktop's opener, first on PATH: it records each
	# call, its arguments and what param.h held at that moment.
	mkdir "$work/bin"
	cat > "$work/bin/xdg-open" <<'STANDIN'
#!/bin/sh
{
	echo call
	for arg in "$@"; do printf 'arg=%s\n' "$arg"; done
	printf 'header='
	cat "${1%/*}/param.h" 2>/dev/null
	echo
} >> "${0%/*}/../launches"
STANDIN
	chmod +x "$work/bin/xdg-open"
	cp "$work/bin/xdg-open" "$work/bin/open"
	launches=$work/launches
	sketch_path=$sketch/code.ino
	runner=(env "PATH=$work/bin:$PATH")
else
	. "$(dirname "$0")/wine_prefix.sh" "$(dirname "$4")/wineprefix" "$4" || exit
	trap 'wineserver -k; rm -rf "$work"' EXIT
	menu=${menu//$'\n'/$'\r\n'}
	launches=$(dirname "$4")/launches
	sketch_path=Z:${sketch//\//\\}\\code.ino
	runner=(wine)
fi

fail() {
	echo "FAIL $name: $*"
	ok=0
}

# same FILE TEXT: FILE holds exactly TEXT.
same() {
	printf '%s' "$2" | cmp -s - "$1"
}

# Lays the sketch folder as BEFORE says: "no folder", "absent" (no
# param.h), or the content of an earlier param.h.
lay_sketch() {
	rm -rf "$sketch" "$launches"
	[ "$1" = 'no folder' ] && return
	mkdir -p "$sketch"
	: > "$sketch/code.ino"
	[ "$1" = absent ] || printf '%s' "$1" > "$sketch/param.h"
}

# Runs the selector on INPUT (printf %b text, or "closed" for no standard
# input at all); sets status.
run_selector() {
	printf '%b' "$1" > "$work/input"
	if [ "$1" = closed ]; then
		(cd "$work" && "${runner[@]}" "$selector" <&- > "$work/console" 2> "$work/errors")
	else
		(cd "$work" && "${runner[@]}" "$selector" < "$work/input" > "$work/console" 2> "$work/errors")
	fi
	status=$?
}

# Under Wine the application starts on its own after the selector exits:
# waits until the recorder has recorded its end.
await_recorder_end() {
	local tenths
	for tenths in $(seq 150); do
		grep -qx end "$launches" 2> /dev/null && return
		sleep 0.1
	done
	fail "the recorder never ended"
}

# row NAME INPUT CHOICE BEFORE: the selector given INPUT must take CHOICE
# (0 for none), with the sketch folder laid as BEFORE says beforehand.
row() {
	name=$1
	local input=$2 choice=$3 before=$4
	ok=1
	lay_sketch "$before"
	run_selector "$input"

	local launched=yes
	[ "$choice" = 0 ] && launched=no
	if [ "$mode" = wine ]; then
		# Wine's start finds no document to open in a missing folder.
		[ "$before" = 'no folder' ] && launched=no
		grep -qx end "$launches" 2> /dev/null && fail "waited for the application to end"
		[ "$launched" = yes ] && await_recorder_end
	elif [ -s "$work/errors" ]; then
		fail "wrote to standard error: $(cat "$work/errors")"
	fi

	[ "$status" = 0 ] || fail "exit status $status"
	local console=$menu
	[ "$choice" = 0 ] || console+=${confirmations[choice]}
	if [ "$mode" = wine ] && [ "$before" = 'no folder' ]; then
		# What the interpreter then says is its own.
		head -c "${#console}" "$work/console" > "$work/console.start"
		mv "$work/console.start" "$work/console"
	fi
	same "$work/console" "$console" || fail "console: $(od -c "$work/console" | tail -n 4)"

	local header="#define choix $choice" at_launch
	[ "$choice" = 0 ] && header=$before
	at_launch=$header
	[ "$before" = 'no folder' ] && at_launch=''
	if [ "$launched" = no ]; then
		[ -e "$launches" ] && fail "launched: $(cat "$launches")"
	else
		local record="call"$'\n'"arg=$sketch_path"$'\n'"header=$at_launch"$'\n'
		[ "$mode" = wine ] && record+="end"$'\n'
		same "$launches" "$record" || fail "launches: $(cat "$launches" 2> /dev/null)"
	fi

	case $before in
	'no folder')
		[ -e "$sketch" ] && fail "created the sketch folder" ;;
	absent)
		[ "$choice" = 0 ] && [ -e "$sketch/param.h" ] && fail "created param.h"
		[ "$choice" = 0 ] || same "$sketch/param.h" "$header" || fail "param.h: $(cat "$sketch/param.h")" ;;
	*)
		same "$sketch/param.h" "$header" || fail "param.h: $(cat "$sketch/param.h")" ;;
	esac
	if [ -d "$sketch" ]; then
		local others
		others=$(ls -A "$sketch" | grep -vx -e param.h -e code.ino)
		[ -z "$others" ] || fail "left other files: $others"
	fi

	if [ "$ok" = 1 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
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
row 'invalid, no param.h'            '0\n'                 0  absent
row 'missing sketch folder'          '5\n'                 5  'no folder'

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
