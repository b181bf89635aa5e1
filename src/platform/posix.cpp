#include "platform/platform.hpp"

#include <csignal>
#include <cstdlib>

#include <unistd.h>

namespace {

#ifdef __APPLE__
constexpr char opener[] = "open";
#else
constexpr char opener[] = "xdg-open";
#endif

// Given back to the opener: the selector ignores SIGPIPE for its console
// only.
void (*inherited_sigpipe)(int) = SIG_DFL;

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

void
guard_console_streams()
{
	const auto previous = std::signal(SIGPIPE, SIG_IGN);
	if (previous != SIG_ERR)
		inherited_sigpipe = previous;
}

void
put_console_text(const char *text)
{
	std::fputs(text, stdout);
	std::fflush(stdout);
}

// On a terminal, the confirmation before it has left the line open.
void
put_error_text(const std::string &text)
{
	if (isatty(STDERR_FILENO) == 1)
		std::fputc('\n', stderr);
	std::fputs(text.c_str(), stderr);
}

// The desktop was found in $HOME when configuring.
std::string
resolve_folder(const char *folder, const char * /* on_desktop */)
{
	return folder;
}

std::FILE *
create_file(const std::string &path)
{
	return std::fopen(path.c_str(), "w");
}

void
open_document(const std::string &path)
{
	// In the background: with no desktop to hand the document to, the
	// opener runs the application itself, and would hold the selector
	// until that application ends.
	const std::string command = std::string(opener) + ' ' + shell_quoted(path) + " &";
	std::signal(SIGPIPE, inherited_sigpipe);
	std::system(command.c_str());
	std::signal(SIGPIPE, SIG_IGN);
}

// A terminal's window does not close with the programs run in it.
void
await_enter_before_window_closes()
{
}
