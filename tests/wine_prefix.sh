# Sourced with PREFIX RECORDER_EXE: sets up a new headless Wine prefix in
# PREFIX whose .ino files open with RECORDER_EXE, and whose desktop is the
# host's folder $wine_desktop. Exits 77 (skipped) where Wine is missing.
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
HOME=$wine_desktop wineboot -i < /dev/null > /dev/null 2>&1 || { echo "wineboot failed"; exit 1; }

recorder_path=$(realpath "$2")
wine reg add 'HKCR\.ino' /ve /d inofile /f < /dev/null > /dev/null 2>&1 &&
	wine reg add 'HKCR\inofile\shell\open\command' /ve /f \
		/d "\"Z:${recorder_path//\//\\}\" \"%1\"" < /dev/null > /dev/null 2>&1 ||
	{ echo "could not register the .ino association"; exit 1; }
