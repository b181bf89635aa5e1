#include "platform/platform.hpp"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

// SIGPIPE is POSIX's, not the C++ library's: <signal.h> declares it.
#include <signal.h>
#include <unistd.h>

namespace {

#ifdef __APPLE__
constexpr char opener[] = "open";
#else
constexpr char opener[] = "xdg-open";
#endif

// The selector ignores SIGPIPE so that writing to a console whose reader
// has gone fails instead of ending the run. The opener must not inherit
// that, so the disposition that the selector was started with is kept here
// and given back to it.
void (*inherited_sigpipe)(int) = SIG_DFL;

// Makes TEXT one shell word, whatever it holds. Single quotes keep every
// character literal except a single quote itself, which is written as a
// closing quote, an escaped quote and an opening quote.
std::string
shell_quoted(const std::string &text)
{
	std::string quoted = "'";
	for (const char c : text) {
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

// The confirmation has no line end. On a terminal this message would
// follow it on the same line, so there it starts on a new one.
void
put_error_text(const std::string &text)
{
	if (isatty(STDERR_FILENO) == 1)
		std::fputc('\n', stderr);
	std::fputs(text.c_str(), stderr);
}

// Elsewhere than on Windows, the sketch folder is the one found when
// configuring, and nothing replaces it at run time.
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
