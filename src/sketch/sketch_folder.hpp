#ifndef SKETCH_SKETCH_FOLDER_HPP
#define SKETCH_SKETCH_FOLDER_HPP

#include <string>

#include "platform/platform.hpp"

// The folder that holds param.h and code.ino, fixed when the selector is
// built and defined in a translation unit of its own. On Windows it is
// UTF-8; elsewhere its bytes are the file system's own.
extern const char sketch_folder[];

// The path of NAME in the sketch folder.
inline std::string
sketch_file_path(const char *name)
{
	return std::string(sketch_folder) + path_separator + name;
}

#endif
