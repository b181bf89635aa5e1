#include "sketch/sketch_folder.hpp"

#include "platform/platform.hpp"

std::string
sketch_file_path(const char *name)
{
	return std::string(sketch_folder) + path_separator + name;
}
