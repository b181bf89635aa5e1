// Checks the choice reading against strtol on any input: the same number
// when it fits in 32 bits, 0 otherwise, and nothing read past the number.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "selector/read_choice.hpp"

extern "C" int
LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
	if (size == 0)
		return 0;
	const std::string text(reinterpret_cast<const char *>(data), size);

	errno = 0;
	char *end = nullptr;
	const long number = std::strtol(text.c_str(), &end, 10);
	const bool converted = end != text.c_str();
	const bool fits = converted && errno == 0 && number >= INT32_MIN && number <= INT32_MAX;
	const int expected = fits ? static_cast<int>(number) : 0;

	std::FILE *in = fmemopen(const_cast<char *>(text.data()), size, "r");
	if (in == nullptr)
		std::abort();
	if (read_choice(in) != expected)
		std::abort();
	if (converted) {
		const auto consumed = static_cast<std::size_t>(end - text.c_str());
		const int next = consumed < size ? static_cast<unsigned char>(text[consumed]) : EOF;
		if (std::getc(in) != next)
			std::abort();
	}
	std::fclose(in);
	return 0;
}
