#include "sketch/param_header.hpp"

#include <cstddef>
#include <cstdio>
#include <string>

#include "platform/platform.hpp"
#include "sketch/sketch_folder.hpp"

bool
write_param_header(int choice)
{
	// Room for any int, not only for 1 to 15, so that the buffer stays
	// sound whatever a caller passes; a length that snprintf could not fit
	// is still refused rather than written.
	char content[sizeof "#define choix -2147483648"];
	const int length =
	    std::snprintf(content, sizeof content, "#define choix %d", choice);
	const bool formed = length > 0 && static_cast<std::size_t>(length) < sizeof content;

	const std::string path = sketch_file_path("param.h");
	std::FILE *header = formed ? create_file(path) : nullptr;
	bool written = false;
	if (header != nullptr) {
		written = std::fwrite(content, 1, static_cast<std::size_t>(length), header) ==
		    static_cast<std::size_t>(length);
		// A full disk may show only here, when the buffer is written out.
		written = std::fclose(header) == 0 && written;
	}
	// The message is UTF-8, as the path is: "param.h n'a pas pu être écrit : ".
	if (!written)
		put_error_text("param.h n'a pas pu \xC3\xAA" "tre \xC3\xA9" "crit : " + path + '\n');
	return written;
}
