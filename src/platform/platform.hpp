#ifndef PLATFORM_PLATFORM_HPP
#define PLATFORM_PLATFORM_HPP

// What Windows and the other systems do differently: the console, files and
// the command interpreter. windows.cpp and posix.cpp are its two sides.

#include <cstdio>
#include <string>

#ifdef _WIN32
constexpr char path_separator = '\\';
#else
constexpr char path_separator = '/';
#endif

// Ignores SIGPIPE where the system has it, so that a write to a console
// whose reader has gone fails instead of ending the run. Called once, first.
void ignore_sigpipe();

// Writes the Windows-1252 TEXT to standard output, at once.
void put_console_text(const char *text);

// Writes the UTF-8 TEXT to standard error.
void put_error_text(const std::string &text);

// The desktop of the user who runs the selector, as the system reports it;
// empty where it reports none. UTF-8 on Windows.
std::string desktop_folder();

// The folder that holds the running program, found from the program's own
// path and not from the current folder; empty where it cannot be read.
// UTF-8 on Windows.
std::string program_folder();

// Whether PATH names a folder, and not a file or nothing.
bool is_folder(const std::string &path);

// Creates or empties the file at PATH, UTF-8 on Windows, and opens it for
// writing in text mode; null if it cannot be opened.
std::FILE *create_file(const std::string &path);

// Asks the command interpreter to open the document at PATH with its
// associated application; only the interpreter is waited for.
void open_document(const std::string &path);

// Waits for Enter where the console window would close with the selector,
// so that what it said can be read first.
void await_enter_before_window_closes();

#endif
