#include "platform/platform.hpp"

#include <cstddef>
#include <cstdio>
#include <string>

#include <windows.h>
#include <shlobj.h>

namespace {

// Converts TEXT from CODE_PAGE to UTF-16. Windows' narrow calls would read
// a UTF-8 path in the ANSI code page, and a console would show
// Windows-1252 bytes in its own code page, so Windows is always given
// UTF-16. The result is empty if TEXT is not valid in CODE_PAGE.
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

// Writes TEXT, which is in CODE_PAGE, to the standard stream STREAM, whose
// handle is STD_HANDLE. A console gets LEAD and then TEXT as UTF-16, so
// that every letter shows right whatever the console's code page. A pipe
// or a file gets the bytes of TEXT unchanged, without LEAD.
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
	// Text that the C library still holds is written first, so that it
	// does not appear after the text written straight to the console.
	std::fflush(stream);
	// WriteConsoleW adds no line ends, so each line feed becomes CR LF, as
	// the C library would do in text mode.
	std::wstring wide;
	for (wchar_t c : widened(lead + text, code_page)) {
		if (c == L'\n')
			wide += L'\r';
		wide += c;
	}
	DWORD written = 0;
	WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

// Converts TEXT from UTF-16 to UTF-8. The result is empty if TEXT is not
// valid UTF-16.
std::string
narrowed(const wchar_t *text)
{
	const int size = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, -1, nullptr, 0,
	    nullptr, nullptr);
	if (size <= 1)
		return std::string();
	std::string bytes(static_cast<std::size_t>(size), '\0');
	WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, -1, bytes.data(), size,
	    nullptr, nullptr);
	bytes.pop_back();
	return bytes;
}

// FOLDERID_Desktop. It is declared here rather than linked from the uuid
// library, which would bring its whole table of GUIDs into the executable.
constexpr GUID desktop_id = {0xB4BFCC3A, 0xDB2C, 0x424C,
    {0xB0, 0x29, 0x7F, 0xE9, 0x9A, 0x87, 0xC6, 0x41}};

// Looks up the function NAME in DLL, which was loaded at run time, and
// gives it the type Function of its declaration. Returns null if DLL is
// null or has no such function.
template <typename Function>
Function *
function_of(HMODULE dll, const char *name)
{
	if (dll == nullptr)
		return nullptr;
	// GetProcAddress returns FARPROC, which stands for any function. Going
	// through void (*)() tells GCC that the cast between function types is
	// meant, so that it does not warn.
	return reinterpret_cast<Function *>(
	    reinterpret_cast<void (*)()>(GetProcAddress(dll, name)));
}

// Reads and drops the rest of the current line on standard input.
void
skip_line()
{
	int c;
	while ((c = std::getchar()) != '\n' && c != EOF)
		;
}

std::wstring
environment_variable(const wchar_t *name)
{
	std::wstring value(GetEnvironmentVariableW(name, nullptr, 0), L'\0');
	const DWORD length = GetEnvironmentVariableW(name, value.data(),
	    static_cast<DWORD>(value.size()));
	value.resize(length < value.size() ? length : 0);
	return value;
}

// The path of cmd.exe in the system folder. It is never looked up in the
// current folder or on the PATH, where anyone may have put another.
std::wstring
system_interpreter()
{
	wchar_t path[MAX_PATH];
	const UINT folder = GetSystemDirectoryW(path, MAX_PATH);
	if (folder == 0 || folder >= MAX_PATH)
		return std::wstring();
	return std::wstring(path, folder) + L"\\cmd.exe";
}

// Whether ERROR means that the program was not found or could not be
// opened. The C runtime's system reports these as ENOENT or EACCES, and
// then tries cmd.exe instead; other errors end its attempt.
bool
not_found_or_denied(DWORD error)
{
	switch (error) {
	case ERROR_FILE_NOT_FOUND:
	case ERROR_PATH_NOT_FOUND:
	case ERROR_INVALID_DRIVE:
	case ERROR_BAD_NETPATH:
	case ERROR_BAD_NET_NAME:
	case ERROR_BAD_PATHNAME:
	case ERROR_FILENAME_EXCED_RANGE:
	case ERROR_ACCESS_DENIED:
	case ERROR_SHARING_VIOLATION:
		return true;
	default:
		return false;
	}
}

// Runs INTERPRETER on the command that starts DOCUMENT, with the
// selector's standard handles, and waits for it. Returns why it could not be
// started, or ERROR_SUCCESS.
//
// /d skips the user's AutoRun command, /v:off keeps a ! in the path from
// being expanded, and /s takes the quotes after /c as they are. The empty
// title matters: start takes a first quoted argument for the title of a new
// console window, not for the document to open.
DWORD
run_interpreter(const std::wstring &interpreter, const std::wstring &document)
{
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
		return GetLastError();
	WaitForSingleObject(process.hProcess, INFINITE);
	CloseHandle(process.hThread);
	CloseHandle(process.hProcess);
	return ERROR_SUCCESS;
}

} // namespace

// Windows has no SIGPIPE: a write to a pipe whose reader has gone simply
// fails, so there is nothing to ignore.
void
ignore_sigpipe()
{
}

void
put_console_text(const char *text)
{
	put_text(stdout, STD_OUTPUT_HANDLE, text, 1252, "");
}

// The confirmation has no line end. On a console this message would
// follow it on the same line, so there it starts on a new one.
void
put_error_text(const std::string &text)
{
	put_text(stderr, STD_ERROR_HANDLE, text, CP_UTF8, "\n");
}

bool
is_folder(const std::string &path)
{
	const DWORD attributes = GetFileAttributesW(widened(path, CP_UTF8).c_str());
	return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The desktop where Windows has it: moved by OneDrive's backup or by the
// user, in any letters.
//
// shell32 and ole32 are loaded here, not at start-up: with their own
// imports they would cost every run more than the rest of it, and only a
// run without the built-in sketch folder needs them. They come from the
// system folder alone, never from the current folder or the PATH, where
// anyone may have put a DLL of that name; and stay loaded until the run
// ends, which is soon, rather than be unloaded under whatever work shell32
// left behind.
std::string
desktop_folder()
{
	std::string folder;
	const HMODULE shell = LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
	const HMODULE com = LoadLibraryExW(L"ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
	// decltype takes the functions' types from the SDK's declarations
	// without using the functions, so nothing links against shell32 or
	// ole32.
	const auto known_folder_path =
	    function_of<decltype(SHGetKnownFolderPath)>(shell, "SHGetKnownFolderPath");
	const auto free_task_memory = function_of<decltype(CoTaskMemFree)>(com, "CoTaskMemFree");
	if (known_folder_path != nullptr && free_task_memory != nullptr) {
		PWSTR path = nullptr;
		if (SUCCEEDED(known_folder_path(desktop_id, KF_FLAG_DEFAULT, nullptr, &path)))
			folder = narrowed(path);
		free_task_memory(path);
	}
	return folder;
}

// The folder that holds selector.exe, with its final backslash. The buffer
// grows until the path fits, up to the longest path that Windows allows, so
// the path is never cut short.
std::string
program_folder()
{
	constexpr std::size_t longest_path = 32768;
	std::wstring path(MAX_PATH, L'\0');
	for (;;) {
		const DWORD length = GetModuleFileNameW(nullptr, path.data(),
		    static_cast<DWORD>(path.size()));
		if (length == 0)
			return std::string();
		if (length < path.size()) {
			path.resize(length);
			break;
		}
		if (path.size() >= longest_path)
			return std::string();
		path.resize(path.size() * 2);
	}
	const std::size_t separator = path.find_last_of(L'\\');
	if (separator == std::wstring::npos)
		return std::string();
	path.resize(separator + 1);
	return narrowed(path.c_str());
}

std::FILE *
create_file(const std::string &path)
{
	const std::wstring wide = widened(path, CP_UTF8);
	return wide.empty() ? nullptr : _wfopen(wide.c_str(), L"w");
}

// Finds the interpreter as the C runtime's system does: the one that
// %ComSpec% names, or cmd.exe in the system folder where %ComSpec% is unset
// or names nothing that can be started.
void
open_document(const std::string &path)
{
	const std::wstring document = widened(path, CP_UTF8);
	if (document.empty())
		return;
	const std::wstring comspec = environment_variable(L"ComSpec");
	if (!comspec.empty() && !not_found_or_denied(run_interpreter(comspec, document)))
		return;
	const std::wstring interpreter = system_interpreter();
	if (!interpreter.empty())
		run_interpreter(interpreter, document);
}

// A selector that is alone on its console was started from Explorer, and
// its window closes as soon as it ends. The line end typed after the answer
// is still unread, so it is skipped before the Enter that is awaited.
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
