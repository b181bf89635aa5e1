#include "sketch/param_header.hpp"

#include <cstdio>

#include "sketch/sketch_folder.hpp"

void
write_param_header(int choice)
{
	char content[sizeof "#define choix 15"];
	const int length =
	    std::snprintf(content, sizeof content, "#define choix %d", choice);

	std::FILE *header = create_sketch_file("param.h");
	if (header == nullptr)
		return;
	std::fwrite(content, 1, static_cast<std::size_t>(length), header);
	std::fclose(header);
}
