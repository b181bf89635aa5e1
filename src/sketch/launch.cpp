#include "sketch/launch.hpp"

#include <csignal>
#include <cstdlib>
#include <string>

#include "sketch/sketch_folder.hpp"

namespace {

#ifdef _WIN32

// The empty title matters: start takes a first quoted argument for the
// title of a new console window, not for the document to open.
std::string
launch_command(const std::string &path)
{
	return "start \"\" \"" + path + '"';
}

#else

#ifdef __APPLE__
constexpr char opener[] = "open";
#else
constexpr char opener[] = "xdg-open";
#endif

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

std::string
launch_command(const std::string &path)
{
	return std::string(opener) + ' ' + shell_quoted(path);
}

#endif

} // namespace

void
open_sketch()
{
#ifdef SIGPIPE
	// Ignored by the selector for its console only: the opener and the
	// application it starts get the default back.
	std::signal(SIGPIPE, SIG_DFL);
#endif
	std::system(launch_command(sketch_file("code.ino")).c_str());
}
