# Sourced with PREFIX SESSION_EXE: sets up a new headless Wine prefix in
# PREFIX, with its desktop held open by SESSION_EXE, the test's
# desktop_session.exe. Exits 77 (skipped) where Wine is missing.
command -v wine > /dev/null || { echo "no wine: skipped"; exit 77; }

export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
# Wine names host files in the locale's character set, and the test sketch
# folder's name is UTF-8.
export LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
# Wine may link the profile's folders, the desktop among them, into the
# home folder: a scratch folder here, never the user's own home.
wine_home=$WINEPREFIX-home
# A run that was killed, by a test's timeout say, leaves its server and
# services running on the old prefix, where they keep the machine busy.
# Where no server runs, wineserver -k fails, which is no failure here.
if [ -d "$WINEPREFIX" ]; then
	wineserver -k > /dev/null 2>&1 || :
fi
rm -rf "$WINEPREFIX" "$wine_home"
mkdir -p "$wine_home"
# One server for the whole script, as a Windows session has: Wine's would
# otherwise stop after 3 s without a program, and the next program would
# wait for it and its services to start again. The caller stops it.
mkdir "$WINEPREFIX"
wineserver -p
HOME=$wine_home wineboot -i < /dev/null > "$wine_home/wineboot.log" 2>&1 ||
	{ echo "wineboot failed: $(tail -n 5 "$wine_home/wineboot.log")"; wineserver -k; exit 1; }
# The desktop is up, and stays up, before the first program of a test
# starts, as on Windows: see desktop_session.cpp. Its line says so; the end
# of its output, that it ended.
exec {session}< <(wine "$2" < /dev/null 2> "$wine_home/desktop.log")
session_pid=$!
read -r -t 60 -u "$session" ready && [ "$ready" = ready ] ||
	{ echo "the desktop did not start: $(tail -n 5 "$wine_home/desktop.log")"; wineserver -k; exit 1; }
exec {session}<&-
# Windows keeps some addresses for itself in every process, such as the
# page at 0x7ffe0000 that programs read the time from, and Wine's preloader
# reserves them before anything else is loaded. A Wine loader linked at a
# fixed address that runs without it, as Debian 12's does until
# wine64-preloader is installed, has its heap put anywhere in the gigabyte
# above it; about one Wine process in ten thousand then finds that page
# taken and ends with status 1 before it starts, and a row loses its
# launch with no fault of the selector's. The desktop's program shows
# which loader runs, where the system shows it.
loader=/proc/$session_pid/exe
if [ -e "$loader" ] && [ "$(od -An -tu2 -j16 -N2 "$loader")" -eq 2 ] &&
	[[ $(readlink "$loader") != *-preloader* ]]; then
	echo "Wine runs without its preloader (Debian: wine64-preloader): skipped"
	wineserver -k
	exit 77
fi
