#include "sketch/param_header.hpp"

#include <cstdio>
#include <string>

#include "platform/platform.hpp"
#include "sketch/sketch_folder.hpp"

bool
write_param_header(int choice)
{
	char content[sizeof "#define choix 15"];
	const int length =
	    std::snprintf(content, sizeof content, "#define choix %d", choice);

	const std::string path = sketch_file_path("param.h");
	std::FILE *header = create_file(path);
	bool written = false;
	if (header != nullptr) {
		written = std::fwrite(content, 1, static_cast<std::size_t>(length), header) ==
		    static_cast<std::size_t>(length);
		// A full disk may show only here, when the buffer goes out.
		written = std::fclose(header) == 0 && written;
	}
	// UTF-8, as the path is: "param.h n'a pas pu être écrit : ".
	if (!written)
		put_error_text("param.h n'a pas pu \xC3\xAA" "tre \xC3\xA9" "crit : " + path + '\n');
	return written;
}
