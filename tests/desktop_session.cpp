// Keeps a Wine prefix's desktop open for as long as a suite runs, as the
// shell of a Windows session does. Wine closes a desktop, and ends its
// explorer.exe, one second after the last program on it has ended, and
// starts a new one for the next program that needs it; the gaps between a
// suite's rows made it come and go all through a run. This program stays
// on the desktop, so it is never closed. It creates the file READY once
// the desktop is up, then waits until the Wine server is stopped.
//
//   desktop_session.exe READY
#include <windows.h>

int
wmain(int argc, wchar_t **argv)
{
	if (argc != 2 || GetDesktopWindow() == nullptr)
		return 2;
	const HANDLE ready = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
	    FILE_ATTRIBUTE_NORMAL, nullptr);
	if (ready == INVALID_HANDLE_VALUE)
		return 3;
	CloseHandle(ready);
	Sleep(INFINITE);
	return 0;
}
