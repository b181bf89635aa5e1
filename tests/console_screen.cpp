// Runs a program on this console at a given output code page, its standard
// output and error on the console, then writes what the console shows from
// where the program began, one UTF-8 line per row without its trailing
// blanks, and the code page left after it.
//
//   console_screen.exe CODE_PAGE SCREEN_FILE PROGRAM
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int
wmain(int argc, wchar_t **argv)
{
	if (argc != 4)
		return 2;
	const UINT code_page = static_cast<UINT>(_wtoi(argv[1]));
	SetConsoleOutputCP(code_page);
	const HANDLE screen = GetStdHandle(STD_OUTPUT_HANDLE);
	CONSOLE_SCREEN_BUFFER_INFO before;
	if (!GetConsoleScreenBufferInfo(screen, &before))
		return 3;

	std::wstring command = L"\"" + std::wstring(argv[3]) + L"\"";
	STARTUPINFOW startup = {};
	startup.cb = sizeof startup;
	// Its standard error on the console too, wherever this one's goes.
	SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
	startup.dwFlags = STARTF_USESTDHANDLES;
	startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
	startup.hStdOutput = screen;
	startup.hStdError = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
	    FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0, nullptr);
	PROCESS_INFORMATION process = {};
	if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
	        nullptr, &startup, &process))
		return 4;
	WaitForSingleObject(process.hProcess, INFINITE);

	CONSOLE_SCREEN_BUFFER_INFO after;
	GetConsoleScreenBufferInfo(screen, &after);
	std::FILE *out = _wfopen(argv[2], L"wb");
	if (out == nullptr)
		return 5;
	const SHORT width = after.dwSize.X;
	for (SHORT row = before.dwCursorPosition.Y; row <= after.dwCursorPosition.Y; row++) {
		std::wstring line(static_cast<std::size_t>(width), L' ');
		DWORD read = 0;
		ReadConsoleOutputCharacterW(screen, line.data(), static_cast<DWORD>(width),
		    COORD{0, row}, &read);
		line.erase(line.find_last_not_of(L' ') + 1);
		char bytes[1024];
		const int size = WideCharToMultiByte(CP_UTF8, 0, line.data(),
		    static_cast<int>(line.size()), bytes, sizeof bytes, nullptr, nullptr);
		std::fwrite(bytes, 1, static_cast<std::size_t>(size), out);
		std::fputc('\n', out);
	}
	std::fprintf(out, "code page %u\n", GetConsoleOutputCP());
	std::fclose(out);
	return 0;
}
