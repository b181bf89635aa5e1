#include "sketch/sketch_folder.hpp"

#include <string>

#include "platform/platform.hpp"

namespace {

// The built-in folder is its author's. Where a maker's computer lacks it,
// the sketch is looked for on the desktop, where the maker may have moved it
// to keep it, and then beside the selector, where it lies once the ZIP is
// extracted. Each place costs a lookup, so each is asked for only where the
// one before it is missing. Where none exists, the desktop's is still the
// answer, so that the line about param.h names a place that the maker's
// note gives; where no desktop is reported, the built-in folder is.
std::string
folder_of_this_run()
{
	if (relative_sketch_folder[0] == '\0' || is_folder(sketch_folder))
		return sketch_folder;
	std::string on_the_desktop = desktop_folder();
	if (!on_the_desktop.empty()) {
		on_the_desktop = joined(on_the_desktop, relative_sketch_folder);
		if (is_folder(on_the_desktop))
			return on_the_desktop;
	}
	std::string beside_the_selector = program_folder();
	if (!beside_the_selector.empty()) {
		beside_the_selector = joined(beside_the_selector, relative_sketch_folder);
		if (is_folder(beside_the_selector))
			return beside_the_selector;
	}
	if (on_the_desktop.empty())
		return sketch_folder;
	return on_the_desktop;
}

} // namespace

std::string
joined(const std::string &folder, const char *name)
{
	if (!folder.empty() && folder.back() == path_separator)
		return folder + name;
	return folder + path_separator + name;
}

std::string
sketch_file_path(const char *name)
{
	// Decided once, so that param.h and code.ino lie side by side however
	// the folders change during the run.
	static const std::string folder = folder_of_this_run();
	return joined(folder, name);
}
