#ifndef SKETCH_SKETCH_FOLDER_HPP
#define SKETCH_SKETCH_FOLDER_HPP

#include <string>

// The folder that holds param.h and code.ino, fixed when the selector is
// built and defined in a translation unit of its own.
extern const char sketch_folder[];

#ifdef _WIN32
constexpr char path_separator = '\\';
#else
constexpr char path_separator = '/';
#endif

inline std::string
sketch_file(const char *name)
{
	return std::string(sketch_folder) + path_separator + name;
}

#endif
