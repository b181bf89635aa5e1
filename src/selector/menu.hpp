#ifndef SELECTOR_MENU_HPP
#define SELECTOR_MENU_HPP

// Shows the menu, reads one choice and, for 1 to 15, confirms it, writes
// the parameter header and opens the sketch. Any other answer ends silently.
void select_program();

#endif
