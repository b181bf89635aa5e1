#include "sketch/launch.hpp"

#include "sketch/sketch_folder.hpp"

void
open_sketch()
{
	start_sketch_file("code.ino");
}
