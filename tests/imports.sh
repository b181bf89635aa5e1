#!/usr/bin/env bash
# imports.sh EXE: EXE loads no DLL at start-up but KERNEL32 and MinGW-w64's
# C runtime: a run is all start-up, and each further DLL, with its own
# imports, costs every run.
set -u
objdump=x86_64-w64-mingw32-objdump
command -v "$objdump" > /dev/null || { echo "no $objdump: skipped"; exit 77; }

dlls=$("$objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$dlls" ] || { echo "no imports found in $1"; exit 1; }
status=0
for dll in $dlls; do
	case ${dll,,} in
	kernel32.dll | msvcrt.dll) ;;
	*) echo "FAIL $1 needs $dll at start-up"; status=1 ;;
	esac
done
echo "imports: $(echo $dlls)"
exit "$status"
