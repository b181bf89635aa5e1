// Stands in, under Wine, for the application associated with .ino files.
// Appends to "launches" beside itself a record of the call: each argument
// and what param.h beside the document held when it started; then stays
// alive until the test creates "release" beside it, so that a caller that
// waits for it never returns first, and records its end. It loads no DLL
// but KERNEL32 and the C runtime, and has no console, so that it starts as
// fast as Wine can, with nothing else to wait for.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string
utf8(const wchar_t *text)
{
	const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
	std::string bytes(static_cast<std::size_t>(size), '\0');
	WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
	bytes.pop_back();
	return bytes;
}

std::wstring
folder_of(const std::wstring &path)
{
	return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::string
content_of(const std::wstring &path)
{
	std::string content;
	if (std::FILE *file = _wfopen(path.c_str(), L"rb")) {
		for (int c; (c = std::getc(file)) != EOF;)
			content += static_cast<char>(c);
		std::fclose(file);
	}
	return content;
}

void
append(const std::wstring &log, const std::string &text)
{
	if (std::FILE *file = _wfopen(log.c_str(), L"ab")) {
		std::fwrite(text.data(), 1, text.size(), file);
		std::fclose(file);
	}
}

} // namespace

int
wmain(int argc, wchar_t **argv)
{
	wchar_t self[MAX_PATH];
	GetModuleFileNameW(nullptr, self, MAX_PATH);
	const std::wstring log = folder_of(self) + L"launches";

	std::string record = "call\n";
	for (int i = 1; i < argc; i++)
		record += "arg=" + utf8(argv[i]) + "\n";
	record += "header=";
	if (argc > 1)
		record += content_of(folder_of(argv[1]) + L"param.h");
	record += "\n";
	append(log, record);

	// Bounded, so that a caller that waits is seen to wait, not hang.
	const std::wstring release = folder_of(self) + L"release";
	for (int polls = 0; polls < 3000; polls++) {
		if (GetFileAttributesW(release.c_str()) != INVALID_FILE_ATTRIBUTES)
			break;
		Sleep(20);
	}
	append(log, "end\n");
	return 0;
}
