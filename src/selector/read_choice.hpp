#ifndef SELECTOR_READ_CHOICE_HPP
#define SELECTOR_READ_CHOICE_HPP

#include <cstdio>

// Reads one decimal integer as scanf's %d does: blanks skipped, an optional
// sign, then digits up to the first other character, which is left unread.
// Returns 0 when no number is there, and when the number does not fit in a
// signed 32-bit integer.
int read_choice(std::FILE *in);

#endif
