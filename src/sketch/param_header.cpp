#include "sketch/param_header.hpp"

#include <cstddef>
#include <cstdio>
#include <string>

#include "platform/platform.hpp"
#include "sketch/sketch_folder.hpp"

namespace {

// The line that says param.h was not written to PATH. Where the kit's
// folder is nowhere, the selector most likely runs from inside the ZIP,
// and the line begins with what to do. It is UTF-8, as the path is:
// "Dossier « F » introuvable : extrayez d'abord tout le ZIP (« Extraire
// tout… »), puis lancez selector.exe depuis le dossier extrait. " and
// "param.h n'a pas pu être écrit : ".
std::string
unwritten_line(const std::string &path)
{
	std::string line;
	if (kit_folder_missing())
		line = std::string("Dossier \xC2\xAB ") + relative_sketch_folder +
		    " \xC2\xBB introuvable : extrayez d'abord tout le ZIP (\xC2\xAB Extraire tout"
		    "\xE2\x80\xA6 \xC2\xBB), puis lancez selector.exe depuis le dossier extrait. ";
	return line + "param.h n'a pas pu \xC3\xAA" "tre \xC3\xA9" "crit : " + path + '\n';
}

} // namespace

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
	if (!written)
		put_error_text(unwritten_line(path));
	return written;
}
