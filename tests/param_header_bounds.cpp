// Calls write_param_header with numbers that the menu never passes, the
// longest an int can hold among them, in a sketch folder that is the
// working folder, and checks that param.h holds each number whole.
#include <climits>
#include <cstdio>
#include <string>

#include "sketch/param_header.hpp"
#include "sketch/sketch_folder.hpp"

const char sketch_folder[] = ".";
const char relative_sketch_folder[] = "";

int
main()
{
	int failures = 0;
	for (const int choice : {INT_MIN, INT_MAX, -1, 100}) {
		const std::string expected = "#define choix " + std::to_string(choice);
		std::string content;
		const bool written = write_param_header(choice);
		if (std::FILE *header = std::fopen("param.h", "rb")) {
			for (int c; (c = std::getc(header)) != EOF;)
				content += static_cast<char>(c);
			std::fclose(header);
		}
		if (!written || content != expected) {
			std::printf("FAIL choice %d: param.h holds \"%s\"\n", choice, content.c_str());
			failures++;
		}
	}
	return failures == 0 ? 0 : 1;
}
