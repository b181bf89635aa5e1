#ifndef SKETCH_SKETCH_FOLDER_HPP
#define SKETCH_SKETCH_FOLDER_HPP

#include <cstdio>

// The folder that holds param.h and code.ino, fixed when the selector is
// built and defined in a translation unit of its own. On Windows it is
// UTF-8; elsewhere its bytes are the file system's own.
extern const char sketch_folder[];

// Creates or empties NAME in the sketch folder and opens it for writing in
// text mode; null if it cannot be opened.
std::FILE *create_sketch_file(const char *name);

// Asks the command interpreter to open NAME from the sketch folder with its
// associated application; only the interpreter is waited for.
void start_sketch_file(const char *name);

#endif
