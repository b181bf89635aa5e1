#!/usr/bin/env bash
# preset_suite.sh CMAKE SOURCE PRESET: builds and tests PRESET of this
# project in its own build tree, or reports it skipped where this machine
# lacks its tools.
set -u
cmake=$1 source=$2 preset=$3

need() {
	command -v "$1" > /dev/null || { echo "no $1: the $preset suite is skipped"; exit 77; }
}
case $preset in
windows) need x86_64-w64-mingw32-g++; need wine ;;
sanitize) need g++ ;;
fuzz)
	need clang++
	echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }' |
		clang++ -x c++ -fsanitize=fuzzer -o /dev/null - 2> /dev/null ||
		{ echo "clang++ has no libFuzzer: the fuzz suite is skipped"; exit 77; }
	;;
esac
cd "$source" && exec "$cmake" --workflow --preset "$preset"
