#include "sketch/sketch_folder.hpp"

#include <string>

#include "platform/platform.hpp"

namespace {

struct run_folder {
	std::string path;
	// False where the kit's folder is at none of its places.
	bool found;
};

// The built-in folder is its author's. Where a maker's computer lacks it,
// the sketch is looked for on the desktop, where the maker may have moved it
// to keep it, and then beside the selector, where it lies once the ZIP is
// extracted. Each place costs a lookup, so each is asked for only where the
// one before it is missing. Where none exists, the desktop's is still the
// answer, so that the line about param.h names a place that the maker's
// note gives; where no desktop is reported, the built-in folder is.
run_folder
folder_of_this_run()
{
	if (relative_sketch_folder[0] == '\0' || is_folder(sketch_folder))
		return {sketch_folder, true};
	std::string on_the_desktop = desktop_folder();
	if (!on_the_desktop.empty()) {
		on_the_desktop = joined(on_the_desktop, relative_sketch_folder);
		if (is_folder(on_the_desktop))
			return {on_the_desktop, true};
	}
	std::string beside_the_selector = program_folder();
	if (!beside_the_selector.empty()) {
		beside_the_selector = joined(beside_the_selector, relative_sketch_folder);
		if (is_folder(beside_the_selector))
			return {beside_the_selector, true};
	}
	if (on_the_desktop.empty())
		return {sketch_folder, false};
	return {on_the_desktop, false};
}

// Decided once, so that param.h and code.ino lie side by side however the
// folders change during the run.
const run_folder &
this_run()
{
	static const run_folder folder = folder_of_this_run();
	return folder;
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
	return joined(this_run().path, name);
}

bool
kit_folder_missing()
{
	return !this_run().found;
}
