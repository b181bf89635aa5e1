#include "selector/menu.hpp"

#include <cstddef>
#include <cstdio>
#include <iterator>

#include "platform/platform.hpp"
#include "selector/read_choice.hpp"
#include "sketch/launch.hpp"
#include "sketch/param_header.hpp"

namespace {

// The seven lines of the menu, written at once. They are Windows-1252
// text: the "à" is the single byte 0xE0, written as an escape so that the
// encoding of this source file cannot change it.
constexpr char menu_text[] =
    "quel programme voulez-vous choisir?\n"
    " 1. Chenille\n"
    " 2. Toutes les LEDs\n"
    " 3. 1 LED sur 2\n"
    " 4. 1 LED sur 3\n"
    " 5. Battement de coeur\n"
    " 6-15. Choix de la LED \xE0 allumer de 1 a 10\n";

struct light_program {
	int choice;
	const char *confirmation;
};

// The confirmations are the texts that users already know, down to the
// spelling "chosit" and the trailing spaces, so they are kept as they are.
constexpr light_program light_programs[] = {
	{1, "le programme choisit est Chenille"},
	{2, "le programme chosit est Toutes les LEDs"},
	{3, "le programme choisit est 1 LED sur 2"},
	{4, "le programme choisit est 1 LED sur 3"},
	{5, "le programme choisit est Battement de coeur "},
	{6, "le programme choisit est LED1 "},
	{7, "le programme choisit est LED2 "},
	{8, "le programme choisit est LED3 "},
	{9, "le programme choisit est LED4 "},
	{10, "le programme choisit est LED5 "},
	{11, "le programme choisit est LED6 "},
	{12, "le programme choisit est LED7 "},
	{13, "le programme choisit est LED8 "},
	{14, "le programme choisit est LED9 "},
	{15, "le programme choisit est LED10 "},
};

constexpr bool
rows_in_choice_order()
{
	for (std::size_t i = 0; i < std::size(light_programs); i++)
		if (light_programs[i].choice != static_cast<int>(i) + 1)
			return false;
	return true;
}
static_assert(rows_in_choice_order(), "row N must hold choice N");

} // namespace

void
select_program()
{
	// The menu goes out before the answer is read, even when standard
	// output is a pipe or a file: some Windows terminals give console
	// programs a pipe, where the menu would otherwise wait in the buffer
	// while the user is asked to type.
	put_console_text(menu_text);

	const int choice = read_choice(stdin);
	// Converted to unsigned, a negative number becomes a large one, so this
	// one test turns it away along with 0 and every number above 15.
	const unsigned row = static_cast<unsigned>(choice);
	if (row == 0 || row > std::size(light_programs))
		return;

	// The confirmation goes out before param.h is opened, for two reasons.
	// It must come before anything that the command interpreter prints.
	// And when standard output was closed, the system may give param.h the
	// descriptor that standard output had; console text written after that
	// would land in param.h.
	put_console_text(light_programs[row - 1].confirmation);
	const bool written = write_param_header(choice);
	open_sketch();
	if (!written)
		await_enter_before_window_closes();
}
