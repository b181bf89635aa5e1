#!/usr/bin/env bash
# package.sh CMAKE CPACK SOURCE BUILD PACKAGE SKETCH_FOLDER RECORDER_EXE: the
# ZIP that a maker downloads matches its checksum and, unpacked, holds a
# selector.exe with its version and manifest that runs under Wine for the
# folder it was built for, and a note that names that folder. Built again
# from a copy of the sources in another folder, selector.exe, the ZIP and
# the native selector are the same bytes.
set -u
cmake=$1 cpack=$2 source=$3 build=$4 package=$5 folder=$6 recorder=$7
[[ $folder == [Cc]:\\* ]] || { echo "$folder is not on C:, Wine's own drive: skipped"; exit 77; }
/usr/bin/python3 -c 'import pefile' 2> /dev/null || { echo "no python3-pefile: skipped"; exit 77; }

unpacked=$build/unpacked
rm -rf "$unpacked"
mkdir "$unpacked"
"$cpack" --config "$build/CPackConfig.cmake" -B "$unpacked" > "$unpacked/cpack.log" 2>&1 &&
	(cd "$unpacked" && "$cmake" -E tar xf "$package.zip") ||
	{ cat "$unpacked/cpack.log"; exit 1; }

host_folder=$(dirname "$recorder")/wineprefix/drive_c/${folder:3}
exe=$unpacked/$package/bin/selector.exe
. "$(dirname "$0")/harness.sh" wine "$exe" "${host_folder//\\//}" "$recorder"
sketch_path=$folder\\code.ino

begin "selector.exe from $package.zip, choice 5"
(cd "$unpacked" && sha256sum --quiet -c "$package.zip.sha256") || fail "checksum"
version=${package#*-}
/usr/bin/python3 "$(dirname "$0")/pe_resources.py" "$exe" "${version%-*}" || fail "resources"
lay_sketch absent
run_selector '5\n'
expect_status_0
expect_bytes "$work/console" "$menu${confirmations[5]}"
expect_bytes "$sketch/param.h" '#define choix 5'
expect_errors no
expect_launch '#define choix 5'
grep -qF "$folder" "$unpacked/$package/README.txt" || fail "the note does not name $folder"
end

# build NAME SOURCE DIR PRESET [OPTION...]: builds the selector from SOURCE in
# DIR, not tested.
build() {
	local name=$1 from=$2 dir=$3 preset=$4
	shift 4
	mkdir -p "$dir"
	"$cmake" -S "$from" -B "$dir" --preset "$preset" -DBUILD_TESTING=OFF "$@" > "$dir.log" 2>&1 &&
		"$cmake" --build "$dir" --target selector >> "$dir.log" 2>&1 ||
		fail "$name did not build: $(tail -n 5 "$dir.log")"
}

begin 'built again elsewhere, the same bytes'
copy=$work/elsewhere/selector
mkdir -p "$copy"
tar -C "$source" --exclude=./build -cf - . | tar -C "$copy" -xf -
build 'the copy for Windows' "$copy" "$copy/build/windows" windows -DSKETCH_FOLDER="$folder"
"$cpack" --config "$copy/build/windows/CPackConfig.cmake" -B "$copy/build/windows" > /dev/null 2>&1 ||
	fail "the copy's ZIP"
for file in "$package.zip" "$package.zip.sha256"; do
	cmp -s "$unpacked/$file" "$copy/build/windows/$file" || fail "$file differs"
done
build 'the native selector' "$source" "$work/native" default
build 'the native selector of the copy' "$copy" "$copy/build/native" default
cmp -s "$build/selector.exe" "$copy/build/windows/selector.exe" || fail "selector.exe differs"
cmp -s "$work/native/selector" "$copy/build/native/selector" || fail "the native selector differs"
for binary in "$build/selector.exe" "$work/native/selector"; do
	strings "$binary" | grep -F -e "$source" -e "$work" && fail "${binary##*/} names its build folders"
done
end
report
