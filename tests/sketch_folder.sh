#!/usr/bin/env bash
# The sketch folder given when configuring: folders that the launch command
# could not keep whole, or that Windows cannot name, are refused, and any
# other is kept whole, however much it means to the shell. Elsewhere than on
# Windows a folder is bytes, UTF-8 text or not.
#
#   sketch_folder.sh CMAKE SOURCE KIT_FOLDER AUTHORS_FOLDER
#
# KIT_FOLDER is the kit's sketch folder, relative; AUTHORS_FOLDER is the
# built-in folder of Windows builds, with slashes.
set -u
cmake=$1 source=$2 kit=$3 authors=$4
scratch=$(mktemp -d)
# Not UTF-8, where the file system takes such a name (macOS's does not).
last=$'\xe9'
mkdir "$scratch/$last" 2> /dev/null || last=é
folder="$scratch/it's \$HOME; \`touch pwned\` & * caf$last"
. "$(dirname "$0")/harness.sh" native "$scratch/build/selector" "$folder"
trap 'rm -rf "$work" "$scratch"' EXIT

configure() { # FOLDER [OPTION...]
	rm -rf "$scratch/build"
	"$cmake" -S "$source" -B "$scratch/build" -G Ninja -DBUILD_TESTING=OFF \
		-DSKETCH_FOLDER="$@" > "$scratch/configure.log" 2>&1
}

# refuses FOLDER [OPTION...]: configuring stops with a clear message, which
# gives $reason if set.
refuses() {
	begin "refuses '$1'" $needs || return
	configure "$@" && fail "configured"
	# CMake wraps its messages, so lines are joined; and a folder need not be
	# UTF-8 text.
	tr -s '\n ' '  ' < "$scratch/configure.log" > "$scratch/message"
	LC_ALL=C grep -q "SKETCH_FOLDER .* cannot be used: .*${reason:-}" "$scratch/message" ||
		fail "no clear message: $(tail -n 3 "$scratch/configure.log")"
	end
}

# accepts FOLDER BUILT_IN [ON_DESKTOP]: a Windows build takes FOLDER and
# compiles in exactly BUILT_IN, and ON_DESKTOP for the desktop's folder; its
# note names BUILT_IN, and the desktop's places only with ON_DESKTOP.
accepts() {
	begin "accepts '$1'" $needs || return
	if configure "$1" "$windows"; then
		local source=$scratch/build/src/selector_sketch_folder.cpp built_in on_desktop
		built_in=$(sed -n 's/^const char sketch_folder\[\] = "\(.*\)";/\1/p' "$source")
		on_desktop=$(sed -n 's/.*relative_sketch_folder\[\] = "\(.*\)";/\1/p' "$source")
		[ "$(printf '%b' "$built_in")" = "$2" ] || fail "built in: $(printf '%b' "$built_in")"
		[ "$(printf '%b' "$on_desktop")" = "${3:-}" ] || fail "on the desktop: $(printf '%b' "$on_desktop")"
		local note=$scratch/build/LISEZMOI.txt desktop=${3:-}
		grep -qF "$2"$'\r' "$note" || fail "the note does not name $2"
		grep -q OneDrive "$note"
		[ $? = $((${#desktop} == 0)) ] || fail "the note on the desktop is for the built-in folder alone"
	else
		fail "refused: $(tail -n 3 "$scratch/configure.log")"
	fi
	end
}

needs=
for refused in '' 'relative/code' '/tmp/say "code"' $'/tmp/tab\there'; do
	refuses "$refused"
done
# The rows for Windows need MinGW-w64 to configure for it.
needs=mingw
windows=--toolchain=$source/cmake/mingw-w64-x86_64.cmake
long=$(printf 'é%.0s' $(seq 247))
for refused in 'code' 'C:code' '/tmp/code' 'C:\say "code"' 'C:\%USERPROFILE%\code' \
	'C:\a<b' 'C:\a>b' 'C:\a|b' 'C:\a?b' 'C:\a*b' 'C:\a:b' $'C:\\caf\xe9' $'C:\\\xc0\xaf' \
	"C:\\${long}a"; do
	refuses "$refused" "$windows"
done
# Past U+FFFF a character is two UTF-16 units: 123 U+1F600 fit, 124 do not.
emoji=$(printf '\xf0\x9f\x98\x80%.0s' $(seq 123))
reason='the shell cannot open' refuses '\\?\C:\code' "$windows"
reason='260 characters' refuses "C:\\${emoji}"$'\xf0\x9f\x98\x80' "$windows"
accepts "C:\\$emoji" "C:\\$emoji"
accepts 'C:/Users/me/code/' 'C:\Users\me\code'
accepts 'D:/' 'D:\'
accepts "$authors" "${authors//\//\\}" "${kit//\//\\}"
accepts "C:\\$long" "C:\\$long"

# configure_for_home USER_DIRS: configures without a folder, for a home
# whose user-dirs.dirs holds USER_DIRS (no such file if empty).
configure_for_home() {
	home=$scratch/home
	rm -rf "$home" "$scratch/build"
	mkdir -p "$home/.config"
	[ -z "$1" ] || printf '%s\n' "$1" > "$home/.config/user-dirs.dirs"
	env -u XDG_CONFIG_HOME HOME="$home" "$cmake" -S "$source" -B "$scratch/build" -G Ninja \
		-DBUILD_TESTING=OFF > "$scratch/configure.log" 2>&1 ||
		fail "refused: $(tail -n 3 "$scratch/configure.log")"
}

# desktop_default USER_DIRS DESKTOP: configured for a home whose
# user-dirs.dirs holds USER_DIRS, the built-in folder is the kit's on
# DESKTOP, relative to that home.
desktop_default() {
	begin "the default folder with user-dirs.dirs '${1//$'\n'/ then }'" linux || return
	if configure_for_home "$1"; then
		local built_in
		built_in=$(sed -n 's/^const char sketch_folder\[\] = "\(.*\)";/\1/p' "$scratch/build/src/selector_sketch_folder.cpp")
		[ "$(printf '%b' "$built_in")" = "$home/$2/$kit" ] || fail "built in: $(printf '%b' "$built_in")"
	fi
	end
}

desktop_default '' Desktop
desktop_default 'XDG_DESKTOP_DIR="$HOME/"' Desktop
desktop_default 'XDG_DESKTOP_DIR="$HOME/Bureau"' Bureau
# The file is read by a shell, where the last assignment wins.
desktop_default $'XDG_DESKTOP_DIR="$HOME/Desktop"\nXDG_DESKTOP_DIR="$HOME/Bureau"' Bureau
if begin 'on a French desktop, param.h written in ~/Bureau' linux; then
	if configure_for_home 'XDG_DESKTOP_DIR="$HOME/Bureau"' &&
		"$cmake" --build "$scratch/build" --target selector > /dev/null; then
		sketch=$home/Bureau/$kit sketch_path=$home/Bureau/$kit/code.ino
		lay_sketch absent
		run_selector '5\n'
		expect_bytes "$sketch/param.h" '#define choix 5'; expect_launch '#define choix 5'
	else
		fail "did not build"
	fi
	sketch=$folder sketch_path=$folder/code.ino
	end
fi

if begin 'keeps a folder full of shell syntax whole'; then
	if configure "$folder" && "$cmake" --build "$scratch/build" --target selector > /dev/null; then
		lay_sketch absent
		run_selector '5\n'
		expect_launch '#define choix 5'
		[ -e "$work/pwned" ] && fail "the shell ran part of the folder"
	else
		fail "did not build: $(tail -n 3 "$scratch/configure.log")"
	fi
	end
fi
report
