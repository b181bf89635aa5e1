#include "sketch/launch.hpp"

#include "platform/platform.hpp"
#include "sketch/sketch_folder.hpp"

void
open_sketch()
{
	open_document(sketch_file_path("code.ino"));
}
