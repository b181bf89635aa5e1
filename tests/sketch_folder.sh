#!/usr/bin/env bash
# The sketch folder given when configuring: folders that the launch command
# could not keep whole are refused, and any other is kept whole, however
# much it means to the shell.
#
#   sketch_folder.sh CMAKE SOURCE
set -u
cmake=$1 source=$2
scratch=$(mktemp -d)
folder="$scratch/it's \$HOME; \`touch pwned\` & *"
. "$(dirname "$0")/harness.sh" native "$scratch/build/selector" "$folder"
trap 'rm -rf "$work" "$scratch"' EXIT

configure() { # FOLDER [OPTION...]
	rm -rf "$scratch/build"
	"$cmake" -S "$source" -B "$scratch/build" -G Ninja -DBUILD_TESTING=OFF \
		-DSKETCH_FOLDER="$@" > "$scratch/configure.log" 2>&1
}

refuses() { # FOLDER [OPTION...]
	begin "refuses '$1'"
	configure "$@" && fail "configured"
	grep -q 'SKETCH_FOLDER .* cannot be used' "$scratch/configure.log" ||
		fail "no clear message: $(tail -n 3 "$scratch/configure.log")"
	end
}

for refused in '' 'relative/code' '/tmp/say "code"' $'/tmp/tab\there'; do
	refuses "$refused"
done
if command -v x86_64-w64-mingw32-g++ > /dev/null; then
	for refused in 'code' 'C:code' '/tmp/code' 'C:\say "code"' 'C:\%USERPROFILE%\code'; do
		refuses "$refused" "--toolchain=$source/cmake/mingw-w64-x86_64.cmake"
	done
fi

begin 'keeps a folder full of shell syntax whole'
if configure "$folder" && "$cmake" --build "$scratch/build" --target selector > /dev/null; then
	lay_sketch absent
	run_selector '5\n'
	expect_launch '#define choix 5'
	[ -e "$work/pwned" ] && fail "the shell ran part of the folder"
else
	fail "did not build: $(tail -n 3 "$scratch/configure.log")"
fi
end
report
