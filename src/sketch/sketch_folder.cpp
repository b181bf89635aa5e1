#include "sketch/sketch_folder.hpp"

#include <string>

#include "platform/platform.hpp"

std::string
sketch_file_path(const char *name)
{
	// Decided once, so that param.h and code.ino lie side by side however
	// the folders change during the run.
	static const std::string folder = resolve_folder(sketch_folder, sketch_folder_on_desktop);
	return folder + path_separator + name;
}
