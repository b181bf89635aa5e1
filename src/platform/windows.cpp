#include "platform/platform.hpp"

#include <windows.h>

namespace {

// The narrow calls would read UTF-8 in the ANSI code page, and the console
// would show Windows-1252 bytes in its own code page: Windows is given
// UTF-16. Empty if TEXT is not valid in CODE_PAGE.
std::wstring
widened(const std::string &text, UINT code_page)
{
	const int length = static_cast<int>(text.size());
	const int size = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS,
	    text.data(), length, nullptr, 0);
	std::wstring wide(static_cast<std::size_t>(size), L'\0');
	if (size > 0)
		MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(),
		    length, wide.data(), size);
	return wide;
}

// Writes TEXT, in CODE_PAGE, to STREAM, the standard stream STD_HANDLE: as
// UTF-16 on a console, whatever code page it shows, and there after LEAD;
// as the bytes they are on a pipe or a file.
void
put_text(std::FILE *stream, DWORD std_handle, const std::string &text, UINT code_page,
    const char *lead)
{
	const HANDLE console = GetStdHandle(std_handle);
	DWORD mode = 0;
	if (GetConsoleMode(console, &mode) == 0) {
		std::fputs(text.c_str(), stream);
		std::fflush(stream);
		return;
	}
	// Whatever stdio still holds goes first, so that the order stays.
	std::fflush(stream);
	// Line feeds become the platform's line ends, as in text mode.
	std::wstring wide;
	for (wchar_t c : widened(lead + text, code_page)) {
		if (c == L'\n')
			wide += L'\r';
		wide += c;
	}
	DWORD written = 0;
	WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

// Skips what is left of the line on standard input.
void
skip_line()
{
	int c;
	while ((c = std::getchar()) != '\n' && c != EOF)
		;
}

// Where _wsystem finds it: %ComSpec%, else cmd.exe in the system folder.
std::wstring
command_interpreter()
{
	wchar_t path[MAX_PATH];
	const DWORD length = GetEnvironmentVariableW(L"ComSpec", path, MAX_PATH);
	if (length > 0 && length < MAX_PATH)
		return std::wstring(path, length);
	const UINT folder = GetSystemDirectoryW(path, MAX_PATH);
	if (folder == 0 || folder >= MAX_PATH)
		return std::wstring();
	return std::wstring(path, folder) + L"\\cmd.exe";
}

} // namespace

// A write to a pipe whose reader has gone fails here; there is no signal.
void
guard_console_streams()
{
}

void
put_console_text(const char *text)
{
	put_text(stdout, STD_OUTPUT_HANDLE, text, 1252, "");
}

// On a console, the confirmation before it has left the line open.
void
put_error_text(const std::string &text)
{
	put_text(stderr, STD_ERROR_HANDLE, text, CP_UTF8, "\n");
}

std::FILE *
create_file(const std::string &path)
{
	const std::wstring wide = widened(path, CP_UTF8);
	return wide.empty() ? nullptr : _wfopen(wide.c_str(), L"w");
}

// /d skips the user's AutoRun command, /v:off keeps a ! in the path from
// being expanded, and /s takes the quotes after /c as they are. The empty
// title matters: start takes a first quoted argument for the title of a new
// console window, not for the document to open.
void
open_document(const std::string &path)
{
	const std::wstring document = widened(path, CP_UTF8);
	const std::wstring interpreter = command_interpreter();
	if (document.empty() || interpreter.empty())
		return;
	std::wstring command = L"\"" + interpreter + L"\" /d /v:off /s /c \"start \"\" \"" +
	    document + L"\"\"";

	STARTUPINFOW startup = {};
	startup.cb = sizeof startup;
	startup.dwFlags = STARTF_USESTDHANDLES;
	startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
	startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
	startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
	PROCESS_INFORMATION process = {};
	if (CreateProcessW(interpreter.c_str(), command.data(), nullptr, nullptr, TRUE, 0,
	        nullptr, nullptr, &startup, &process) == 0)
		return;
	WaitForSingleObject(process.hProcess, INFINITE);
	CloseHandle(process.hThread);
	CloseHandle(process.hProcess);
}

// Alone on its console, the selector was started from Explorer, and the
// window goes when it ends. The answer's own line end is still unread, and
// must not count as the Enter awaited.
void
await_enter_before_window_closes()
{
	DWORD process = 0;
	if (GetConsoleProcessList(&process, 1) != 1)
		return;
	put_error_text("Appuyez sur Entr\xC3\xA9" "e pour fermer cette fen\xC3\xAA" "tre.");
	skip_line();
	skip_line();
}
