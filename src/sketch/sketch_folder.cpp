// The one place where Windows and other systems differ: how a file of the
// sketch folder is named to them, and how its application is started.
#include "sketch/sketch_folder.hpp"

#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#endif

#ifdef _WIN32

namespace {

// The narrow calls would read the folder's UTF-8 in the ANSI code page, so
// its paths reach Windows as UTF-16. Empty if the bytes are not UTF-8.
std::wstring
sketch_path(const char *name)
{
	const std::string path = std::string(sketch_folder) + '\\' + name;
	const int length = static_cast<int>(path.size());
	const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS,
	    path.data(), length, nullptr, 0);
	std::wstring wide(static_cast<std::size_t>(size), L'\0');
	if (size > 0)
		MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
		    length, wide.data(), size);
	return wide;
}

} // namespace

std::FILE *
create_sketch_file(const char *name)
{
	const std::wstring path = sketch_path(name);
	return path.empty() ? nullptr : _wfopen(path.c_str(), L"w");
}

// The empty title matters: start takes a first quoted argument for the
// title of a new console window, not for the document to open.
void
start_sketch_file(const char *name)
{
	const std::wstring path = sketch_path(name);
	if (!path.empty())
		_wsystem((L"start \"\" \"" + path + L'"').c_str());
}

#else

namespace {

#ifdef __APPLE__
constexpr char opener[] = "open";
#else
constexpr char opener[] = "xdg-open";
#endif

std::string
sketch_path(const char *name)
{
	return std::string(sketch_folder) + '/' + name;
}

// One shell word whatever the path holds: single quotes keep everything
// literal but a single quote, which is closed, escaped and reopened.
std::string
shell_quoted(const std::string &text)
{
	std::string quoted = "'";
	for (char c : text) {
		if (c == '\'')
			quoted += "'\\''";
		else
			quoted += c;
	}
	return quoted + '\'';
}

} // namespace

std::FILE *
create_sketch_file(const char *name)
{
	return std::fopen(sketch_path(name).c_str(), "w");
}

void
start_sketch_file(const char *name)
{
	// Ignored by the selector for its console only: the opener and the
	// application it starts get the default back.
	std::signal(SIGPIPE, SIG_DFL);
	std::system((std::string(opener) + ' ' + shell_quoted(sketch_path(name))).c_str());
}

#endif
