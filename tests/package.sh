#!/usr/bin/env bash
# package.sh CMAKE CPACK BUILD PACKAGE SKETCH_FOLDER RECORDER_EXE: the ZIP
# that a maker downloads, unpacked, holds a selector.exe that runs under
# Wine for the folder it was built for, and a note that names that folder.
set -u
cmake=$1 cpack=$2 build=$3 package=$4 folder=$5 recorder=$6
[[ $folder == [Cc]:\\* ]] || { echo "$folder is not on C:, Wine's own drive: skipped"; exit 77; }

unpacked=$build/unpacked
rm -rf "$unpacked"
mkdir "$unpacked"
"$cpack" --config "$build/CPackConfig.cmake" -B "$unpacked" > "$unpacked/cpack.log" 2>&1 &&
	(cd "$unpacked" && "$cmake" -E tar xf "$package.zip") ||
	{ cat "$unpacked/cpack.log"; exit 1; }

host_folder=$(dirname "$recorder")/wineprefix/drive_c/${folder:3}
. "$(dirname "$0")/harness.sh" wine "$unpacked/$package/bin/selector.exe" "${host_folder//\\//}" "$recorder"
sketch_path=$folder\\code.ino

begin "selector.exe from $package.zip, choice 5"
lay_sketch absent
run_selector '5\n'
expect_status_0
expect_bytes "$work/console" "$menu${confirmations[5]}"
expect_bytes "$sketch/param.h" '#define choix 5'
expect_errors no
expect_launch '#define choix 5'
grep -qF "$folder" "$unpacked/$package/README.txt" || fail "the note does not name $folder"
end
report
