// Keeps a Wine prefix's desktop open for as long as a suite runs, as the
// shell of a Windows session does. Wine closes a desktop, and ends its
// explorer.exe, one second after the last program on it has ended, and
// starts a new one for the next program that needs it; the gaps between a
// suite's rows made it come and go all through a run. This program stays
// on the desktop, so it is never closed. It writes a line to its standard
// output once the desktop is up, then waits until the Wine server is
// stopped.
#include <windows.h>

int
wmain()
{
	if (GetDesktopWindow() == nullptr)
		return 2;
	DWORD written = 0;
	if (!WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "ready\n", 6, &written, nullptr))
		return 3;
	Sleep(INFINITE);
	return 0;
}
