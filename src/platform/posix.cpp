#include "platform/platform.hpp"

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

// SIGPIPE, fork, setsid and the rest are POSIX's, not the C++ library's.
#include <fcntl.h>
#include <langinfo.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
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

// Whether standard output is a terminal whose locale's character set is
// UTF-8. Such a terminal would show the Windows-1252 byte of "à" as a
// replacement character. Pipes and files keep the bytes as they are, and
// the locale is only read when there is a terminal to show the text.
bool
output_is_utf8_terminal()
{
	if (isatty(STDOUT_FILENO) != 1 || std::setlocale(LC_CTYPE, "") == nullptr)
		return false;
	return std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
}

// TEXT, Windows-1252, as UTF-8. The console texts hold no character from
// 0x80 to 0x9F, where Windows-1252 and Latin-1 differ; from 0xA0 on, each
// byte is the code point of its character, which takes two UTF-8 bytes.
std::string
utf8_of_windows_1252(const char *text)
{
	std::string utf8;
	for (; *text != '\0'; text++) {
		const auto byte = static_cast<unsigned char>(*text);
		if (byte < 0xA0) {
			utf8 += *text;
			continue;
		}
		utf8 += static_cast<char>(0xC0 | (byte >> 6));
		utf8 += static_cast<char>(0x80 | (byte & 0x3F));
	}
	return utf8;
}

// Runs COMMAND in the shell, in a child process that desktop launchers
// would give an application: a session of its own, and /dev/null for its
// standard streams. A reader of the selector's output then sees its end
// when the selector ends, not when the opener or the application does, and
// nothing they print lands among the selector's output. The shell itself is
// waited for, as system() would wait for it.
void
run_detached(const std::string &command)
{
	const pid_t child = fork();
	if (child == 0) {
		setsid();
		const int null = open("/dev/null", O_RDWR);
		if (null >= 0) {
			dup2(null, STDIN_FILENO);
			dup2(null, STDOUT_FILENO);
			dup2(null, STDERR_FILENO);
			if (null > STDERR_FILENO)
				close(null);
		}
		std::signal(SIGPIPE, inherited_sigpipe);
		execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char *>(nullptr));
		_exit(127);
	}
	if (child > 0)
		while (waitpid(child, nullptr, 0) == -1 && errno == EINTR)
			;
}

} // namespace

void
ignore_sigpipe()
{
	const auto previous = std::signal(SIGPIPE, SIG_IGN);
	if (previous != SIG_ERR)
		inherited_sigpipe = previous;
}

void
put_console_text(const char *text)
{
	static const bool utf8 = output_is_utf8_terminal();
	if (utf8)
		std::fputs(utf8_of_windows_1252(text).c_str(), stdout);
	else
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

// Elsewhere than on Windows the desktop is found when configuring, and the
// sketch folder built in then is never looked for anywhere else, so neither
// the desktop nor the program's folder is reported at run time.
std::string
desktop_folder()
{
	return std::string();
}

std::string
program_folder()
{
	return std::string();
}

bool
is_folder(const std::string &path)
{
	struct stat status {};
	return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
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
	run_detached(std::string(opener) + ' ' + shell_quoted(path) + " &");
}

// A terminal's window does not close with the programs run in it.
void
await_enter_before_window_closes()
{
}
