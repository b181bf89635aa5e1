#include "selector/read_choice.hpp"

#include <cstdint>
#include <cstdio>

namespace {

bool
is_blank(int c)
{
	return c == ' ' || (c >= '\t' && c <= '\r');
}

bool
is_digit(int c)
{
	return c >= '0' && c <= '9';
}

} // namespace

int
read_choice(std::FILE *in)
{
	int c;
	while (is_blank(c = std::getc(in)))
		;

	bool negative = false;
	if (c == '+' || c == '-') {
		negative = c == '-';
		c = std::getc(in);
	}

	// The magnitude stops growing once past the largest a 32-bit number can
	// hold, so a run of digits of any length costs no memory, and is still
	// read to its end as %d would.
	// A negative number may reach one more than a positive one.
	constexpr std::int64_t largest_positive = INT32_MAX;
	const std::int64_t limit = negative ? largest_positive + 1 : largest_positive;
	std::int64_t magnitude = 0;
	bool digits = false;
	for (; is_digit(c); c = std::getc(in)) {
		digits = true;
		if (magnitude <= limit)
			magnitude = magnitude * 10 + (c - '0');
	}
	if (c != EOF)
		std::ungetc(c, in);

	if (!digits || magnitude > limit)
		return 0;
	return static_cast<int>(negative ? -magnitude : magnitude);
}
