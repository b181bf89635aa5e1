# Sourced with PREFIX: sets up a new headless Wine prefix in PREFIX, whose
# desktop is the host's folder $wine_desktop. Exits 77 (skipped) where Wine
# is missing.
command -v wine > /dev/null || { echo "no wine: skipped"; exit 77; }

export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
# Wine names host files in the locale's character set, and the test sketch
# folder's name is UTF-8.
export LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
# The profile's Desktop is made a link to $HOME: to a scratch folder, not
# to the user's own home.
wine_desktop=$WINEPREFIX-desktop
rm -rf "$WINEPREFIX" "$wine_desktop"
mkdir -p "$wine_desktop"
# One server for the whole script, as a Windows session has: Wine's would
# otherwise stop after 3 s without a program, and the next program would
# wait for it and its services to start again. The caller stops it.
mkdir "$WINEPREFIX"
wineserver -p
HOME=$wine_desktop wineboot -i < /dev/null > /dev/null 2>&1 || { echo "wineboot failed"; wineserver -k; exit 1; }
