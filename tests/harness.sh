# Sourced by the test scripts: runs one build of the selector and records
# what it did.
#
#   . harness.sh native SELECTOR SKETCH_FOLDER
#   . harness.sh windows SELECTOR_EXE SKETCH_FOLDER RECORDER_EXE [SCREEN_EXE]
#
# A Windows program runs under Wine, or on Windows itself ($host says
# which). SKETCH_FOLDER is the host's path of the folder built into it,
# which the selector sees under its Windows name. The rows run programs
# from other folders, so a relative SELECTOR or RECORDER_EXE is made
# absolute first.
#
# Each row has a name, which it prints as it ends: "ok NAME", "FAIL NAME:
# why" or "skipped NAME: why". SELECTOR_ROW, a shell pattern, runs only the
# rows whose names it matches. A row may need a tool or a system that this
# machine lacks; it is then skipped, and the suite reports itself skipped
# unless a row failed. CTest runs the rows of each need as a test of their
# own, so that one missing tool takes no other row with it: SELECTOR_NEEDS,
# where set, runs only the rows that need exactly what it lists.

mode=$1 selector=$2 sketch=$3 recorder=${4:-} release= host=native
[[ $selector == /* ]] || selector=$PWD/$selector
[[ -z $recorder || $recorder == /* ]] || recorder=$PWD/$recorder
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0 skipped=0 runs=0

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

# windows_path PATH: the Windows name of the host's PATH.
windows_path() {
	if [ "$host" = wine ]; then printf 'Z:%s' "${1//\//\\}"; else cygpath -w "$1"; fi
}

# The recorder opens .ino files; the handler it replaces is saved first.
register_recorder() {
	local reg=("${runner[@]}" reg) command log
	command="\"$(windows_path "$(realpath "$recorder")")\" \"%1\""
	saved_handler=$(dirname "$recorder")/ino.reg
	log=$(dirname "$recorder")/reg.log
	rm -f "$saved_handler"
	"${reg[@]}" export "$classes\\.ino" "$(windows_path "$saved_handler")" /y > /dev/null 2>&1 < /dev/null
	{
		"${reg[@]}" add "$classes\\.ino" /ve /d selector.recorder /f &&
			"${reg[@]}" add "$classes\\selector.recorder\\shell\\open\\command" /ve /d "$command" /f
	} > "$log" 2>&1 < /dev/null || { cat "$log"; return 1; }
}

restore_ino_handler() {
	reg delete "$classes\\selector.recorder" /f > /dev/null 2>&1 < /dev/null
	reg delete "$classes\\.ino" /f > /dev/null 2>&1 < /dev/null
	[ ! -e "$saved_handler" ] || reg import "$(windows_path "$saved_handler")" > /dev/null 2>&1 < /dev/null
}

if [ "$mode" = native ]; then
	# A stand-in for the desktop's opener, first on PATH. It prints a line
	# on each of its standard streams, which must reach no reader of the
	# selector's. It records each call, its arguments, what param.h held at
	# that moment, and whether it was left to ignore SIGPIPE; copies the
	# console as it was; then, like an opener with no desktop, keeps the
	# foreground until the case releases it (60 s at most, a bound that only
	# a failing case reaches), and records its end, even if its terminal has
	# closed.
	mkdir "$work/bin"
	cat > "$work/bin/xdg-open" <<'STANDIN'
#!/bin/sh
trap '' HUP
work=${0%/*}/..
echo 'the opener speaks'
echo 'the opener complains' >&2
{
	echo call
	for arg in "$@"; do printf 'arg=%s\n' "$arg"; done
	printf 'header='
	[ -f "${1%/*}/param.h" ] && head -c 64 "${1%/*}/param.h"
	echo
	ignored=$(ps -o sigignore= -p $$ 2> /dev/null | tr -d ' ')
	[ $((0x${ignored:-0} & 0x1000)) = 0 ] || echo 'SIGPIPE ignored'
} >> "$work/launches"
cp "$work/console" "$work/console.at-launch" 2> /dev/null
tenths=0
while [ -d "$work" ] && [ ! -e "$work/release" ] && [ "$tenths" -lt 600 ]; do
	sleep 0.1
	tenths=$((tenths + 1))
done
[ -d "$work" ] && echo end >> "$work/launches"
STANDIN
	chmod +x "$work/bin/xdg-open"
	cp "$work/bin/xdg-open" "$work/bin/open"
	launches=$work/launches
	release=$work/release
	sketch_path=$sketch/code.ino
	param_path=$sketch/param.h
	runner=(env "PATH=$work/bin:$PATH")
else
	case $(uname -s) in
	MINGW* | MSYS* | CYGWIN*)
		# The cases replace the user's own .ino handler while they run.
		[ "${SELECTOR_CASES_ON_WINDOWS:-}" = 1 ] ||
			{ echo "SELECTOR_CASES_ON_WINDOWS=1 runs them on Windows: skipped"; exit 77; }
		host=windows runner=()
		# MSYS2 must pass options such as reg's /ve to Windows programs as
		# they are, not turn them into paths.
		export MSYS2_ARG_CONV_EXCL='*' LC_ALL=C.UTF-8
		# The recorder goes into the per-user classes, which need no
		# administrator.
		classes='HKCU\Software\Classes'
		trap 'restore_ino_handler; rm -rf "$work"' EXIT
		;;
	*)
		. "$(dirname "${BASH_SOURCE[0]}")/wine_prefix.sh" "$(dirname "$recorder")/wineprefix" \
			"$(dirname "$recorder")/desktop_session.exe" || exit
		host=wine runner=(wine)
		# Wine's ShellExecuteEx reads no per-user classes, so the recorder
		# goes into HKCR. The prefix is new for each script, so there is no
		# handler of the user's to restore.
		classes='HKCR'
		trap 'wineserver -k; rm -rf "$work"' EXIT
		;;
	esac
	register_recorder || { echo "could not register the .ino handler"; exit 1; }
	# If delayed expansion were on, the interpreter would replace the "!b!"
	# in the sketch folder's name with this value.
	export b=expanded
	menu=${menu//$'\n'/$'\r\n'}
	launches=$(dirname "$recorder")/launches
	release=$(dirname "$recorder")/release
	sketch_path=$(windows_path "$sketch")\\code.ino
	param_path=$(windows_path "$sketch")\\param.h
fi

# has NEED: this machine has what a row needs: a command of that name, or
# one of the needs named here. A token is SoftHSM2's, which libp11's engine
# for OpenSSL reaches.
softhsm_module=/usr/lib/softhsm/libsofthsm2.so
has() {
	case $1 in
	dev-full) [ -e /dev/full ] ;;
	linux) [ "$(uname -s)" = Linux ] ;;
	utf8-locale) [ -n "$(utf8_locale)" ] ;;
	mingw) command -v x86_64-w64-mingw32-g++ > /dev/null ;;
	signing) command -v osslsigncode > /dev/null && command -v openssl > /dev/null ;;
	token)
		has signing && has softhsm2-util && has strace && [ -e "$softhsm_module" ] &&
			[ -e "$(openssl version -e | sed -n 's/^ENGINESDIR: "\(.*\)"$/\1/p')/pkcs11.so" ]
		;;
	*) command -v "$1" > /dev/null ;;
	esac
}

# A UTF-8 locale of this machine, if it has one.
utf8_locale() {
	locale -a 2> /dev/null | grep -i -m 1 -E '^(C|en_US)\.utf-?8$'
}

# chosen NAME [NEED...]: SELECTOR_ROW and SELECTOR_NEEDS choose the row NAME,
# which needs each NEED.
chosen() {
	local row=$1
	shift
	[[ $row == ${SELECTOR_ROW:-*} ]] && { [ -z "${SELECTOR_NEEDS+set}" ] || [ "$*" = "$SELECTOR_NEEDS" ]; }
}

# begin NAME [NEED...]: starts the row NAME, which needs each NEED. Returns
# false, and the row is left out, where SELECTOR_ROW or SELECTOR_NEEDS
# choose other rows, or where a NEED is missing; that row is skipped.
begin() {
	name=$1
	ok=1
	chosen "$@" || return 1
	shift
	local need
	for need in "$@"; do
		has "$need" && continue
		echo "skipped $name: it needs $need"
		skipped=$((skipped + 1))
		return 1
	done
}

fail() {
	echo "FAIL $name: $*"
	ok=0
}

end() {
	if [ "$ok" = 1 ]; then
		echo "ok $name"
		passed=$((passed + 1))
	else
		failed=$((failed + 1))
	fi
}

# Ends the suite: failed if a row failed, else skipped (77) if a row was
# skipped or none ran, else passed.
report() {
	echo "$passed passed, $failed failed, $skipped skipped"
	[ "$failed" = 0 ] || exit 1
	if [ "$skipped" != 0 ] || [ "$passed" = 0 ]; then
		[ "$passed$skipped" != 00 ] ||
			echo "no row ran: SELECTOR_ROW='${SELECTOR_ROW:-}', SELECTOR_NEEDS='${SELECTOR_NEEDS:-}'"
		exit 77
	fi
	exit 0
}

# within TENTHS COMMAND...: runs COMMAND every tenth of a second until it
# succeeds, TENTHS times at most; fails if it never does.
within() {
	local tries=$1
	shift
	until "$@"; do
		tries=$((tries - 1))
		[ "$tries" -gt 0 ] || return 1
		sleep 0.1
	done
}

# same FILE TEXT: FILE holds exactly TEXT.
same() {
	printf '%s' "$2" | cmp -s - "$1"
}

expect_status_0() {
	[ "$status" = 0 ] || fail "exit status $status"
}

# expect_bytes FILE TEXT: fails the case unless FILE holds exactly TEXT.
expect_bytes() {
	same "$1" "$2" || fail "${1##*/} holds: $(od -c "$1" 2>&1 | head -n 4)"
}

# expect_launch HEADER [LINE]: the opener was called once, on code.ino,
# when param.h held HEADER, and had not ended when the selector did; it then
# ends when released. LINE is one more line it recorded.
expect_launch() {
	grep -qx end "$launches" 2> /dev/null && fail "waited for the application to end"
	await_recorder_end
	local record="call"$'\n'"arg=$sketch_path"$'\n'"header=$1"$'\n'${2:+$2$'\n'}"end"$'\n'
	same "$launches" "$record" || fail "launches: $(cat "$launches" 2> /dev/null)"
}

# launch_under_way: a Windows program of the launch still runs. Under Wine
# that is the interpreter, start or the recorder, of this prefix; on Windows
# the recorder alone, since other cmd.exe processes run there too.
launch_under_way() {
	if [ "$host" = windows ]; then
		tasklist /nh /fi 'IMAGENAME eq recorder.exe' | grep -qi 'recorder\.exe'
		return
	fi
	local pid
	for pid in $(pgrep -f '^"?([A-Za-z]:\\[^"]*\\)?(cmd|start|recorder)\.exe'); do
		grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2> /dev/null && return
	done
	return 1
}

launch_over() {
	! launch_under_way
}

# A launch goes on after the selector has ended, so "no launch" is
# concluded only once every launch is over, or its recorder has given up.
# Natively, that is once the selector and every process that it started,
# the opener's included, have closed the descriptor that watch_run gave
# them; a launch that has come is failed at once.
expect_no_launch() {
	if [ "$mode" = windows ]; then
		within 900 launch_over || fail "a launch still under way"
	else
		within 900 launch_settled || fail "a process of the selector still runs"
	fi
	[ -e "$launches" ] && fail "launched: $(cat "$launches")" && : > "$release"
}

launch_settled() {
	[ -e "$work/watch/over.$runs" ] || [ -e "$launches" ]
}

# watch_run: sets alive to a FIFO for the next native run to hold open as
# its descriptor 9. Every process that the run starts inherits it, and once
# the last of them has ended, a reader makes the file over.N, N counting
# runs. Under Wine it is /dev/null.
watch_run() {
	runs=$((runs + 1))
	alive=/dev/null
	[ "$mode" = native ] || return 0
	alive=$work/watch/alive.$runs
	mkdir -p "$work/watch"
	mkfifo "$alive"
	{ cat "$alive" > /dev/null; : > "$work/watch/over.$runs"; } > /dev/null 2>&1 &
}

# The selector writes param.h and nothing else, neither in the sketch folder
# nor in its working folder.
expect_no_other_files() {
	local others
	others=$({ ls -A "$sketch" 2> /dev/null; ls -A "$work"; } |
		grep -vx -e param.h -e code.ino -e bin -e input -e console -e console.at-launch -e errors \
			-e launches -e release -e watch)
	[ -z "$others" ] || fail "wrote other files: $others"
}

# unwritten_line [FOLDER]: the line, without its line end, that says
# param.h was not written; with FOLDER, the kit's folder, that it was found
# nowhere, first.
unwritten_line() {
	[ -z "${1:-}" ] || printf "Dossier « %s » introuvable : extrayez d'abord tout le ZIP (« Extraire tout… »), puis lancez selector.exe depuis le dossier extrait. " "$1"
	printf "param.h n'a pas pu être écrit : %s" "$param_path"
}

# expect_errors UNWRITTEN [FOLDER]: standard error holds the one line that
# says param.h was not written, and that FOLDER was found nowhere if given,
# if UNWRITTEN is yes, else nothing.
expect_errors() {
	local line=''
	if [ "$1" = yes ]; then
		line=$(unwritten_line "${2:-}")$'\n'
		[ "$mode" = windows ] && line=${line/%$'\n'/$'\r\n'}
	fi
	expect_bytes "$work/errors" "$line"
}

# Lays the sketch folder as BEFORE says: "no folder", "absent" (no
# param.h), "param.h folder", or the content of an earlier param.h.
lay_sketch() {
	rm -rf "$sketch" "$launches" "$release" "$work/console.at-launch"
	[ "$1" = 'no folder' ] && return
	mkdir -p "$sketch"
	: > "$sketch/code.ino"
	case $1 in
	absent) ;;
	'param.h folder') mkdir "$sketch/param.h" ;;
	*) printf '%s' "$1" > "$sketch/param.h" ;;
	esac
}

# expect_choice CHOICE: in a sketch folder without param.h, the selector
# given CHOICE exits 0, shows the menu and the choice's confirmation, writes
# its header, says nothing on standard error and opens the sketch.
expect_choice() {
	lay_sketch absent
	run_selector "$1\n"
	expect_status_0
	expect_bytes "$work/console" "$menu${confirmations[$1]}"
	expect_bytes "$sketch/param.h" "#define choix $1"
	expect_errors no
	expect_launch "#define choix $1"
}

# choose_for_sketch EXAMPLE CHOICE: the sketch folder holds EXAMPLE as
# code.ino, and the selector, given CHOICE, writes its header beside it. A
# header that could not be written, on a full disk say, is reported as such.
choose_for_sketch() {
	lay_sketch absent
	cp "$1" "$sketch/code.ino"
	run_selector "$2\n"
	expect_errors no
	expect_launch "#define choix $2"
}

# run_selector INPUT [OUTPUT]: runs the selector on INPUT (printf %b text;
# "closed" for no standard input at all; "after menu:" and text for text
# held back until the whole menu is on the console), its standard output and
# error going to $work/console and $work/errors, or as the redirections
# OUTPUT say; sets status.
run_selector() {
	local input='< "$work/input"' output=${2:-'> "$work/console" 2> "$work/errors"'}
	[ "$1" = closed ] && input='<&-'
	watch_run
	if [[ $1 != 'after menu:'* ]]; then
		printf '%b' "$1" > "$work/input"
		(cd "$work" && eval '"${runner[@]}" "$selector"' "$input" "$output" '9> "$alive"')
		status=$?
		return
	fi

	# The answer is held back until the whole menu is on the console.
	(cd "$work" && { within 300 same console "$menu" || : > late; printf '%b' "${1#after menu:}"; } |
		eval '"${runner[@]}" "$selector"' "$output" '9> "$alive"')
	status=$?
	[ -e "$work/late" ] && fail "the menu was not shown before the answer"
	rm -f "$work/late"
}

# The application starts on its own and may outlive the selector: this
# lets the stand-in end, and waits until it has recorded its end.
await_recorder_end() {
	: > "$release"
	within 900 grep -qx end "$launches" 2> /dev/null ||
		fail "the recorder never ended; running: $(ps -eo etime=,args= | grep -iE '\.exe|xdg-open' | grep -v grep)"
}

