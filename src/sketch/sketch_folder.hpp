#ifndef SKETCH_SKETCH_FOLDER_HPP
#define SKETCH_SKETCH_FOLDER_HPP

#include <string>

// The folder that holds param.h and code.ino, fixed when the selector is
// built and defined in a translation unit of its own. On Windows it is
// UTF-8; elsewhere its bytes are the file system's own.
extern const char sketch_folder[];

// For the built-in folder on Windows, the same folder relative to the
// desktop, or else to the folder that holds the selector, used where the
// built-in one is missing; empty for a folder of the maker's own, which is
// used as it is.
extern const char sketch_folder_on_desktop[];

// The path of NAME in the sketch folder of this run.
std::string sketch_file_path(const char *name);

#endif
