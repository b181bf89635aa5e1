#!/usr/bin/env bash
# imports.sh EXE: EXE must need no DLL but those that every Windows has.
set -u
objdump=x86_64-w64-mingw32-objdump
command -v "$objdump" > /dev/null || { echo "no $objdump: skipped"; exit 77; }

dlls=$("$objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$dlls" ] || { echo "no imports found in $1"; exit 1; }
status=0
for dll in $dlls; do
	case ${dll,,} in
	kernel32.dll | msvcrt.dll | user32.dll | advapi32.dll | shell32.dll | ole32.dll) ;;
	*) echo "FAIL $1 needs $dll"; status=1 ;;
	esac
done
echo "imports: $(echo $dlls)"
exit "$status"
