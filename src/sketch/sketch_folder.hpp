#ifndef SKETCH_SKETCH_FOLDER_HPP
#define SKETCH_SKETCH_FOLDER_HPP

#include <string>

// The folder that holds param.h and code.ino, fixed when the selector is
// built and defined in a translation unit of its own. On Windows it is
// UTF-8; elsewhere its bytes are the file system's own.
extern const char sketch_folder[];

// For the built-in folder of Windows builds, its path relative to the
// places where it is looked for when the built-in one is missing: the
// desktop, then the folder that holds the selector. Empty for a folder of
// the maker's own, which is used as it is.
extern const char relative_sketch_folder[];

// The path of NAME within FOLDER, with one separator between them, whether
// or not FOLDER ends with one as a drive's root does.
std::string joined(const std::string &folder, const char *name);

// The path of NAME in the sketch folder of this run.
std::string sketch_file_path(const char *name);

// Whether the kit's folder is at none of the places where it is looked
// for, as when the selector runs from inside the ZIP. Always false for a
// folder of the maker's own, which is used as it is.
bool kit_folder_missing();

#endif
