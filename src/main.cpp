#include "selector/menu.hpp"

int
main()
{
	select_program();
	return 0;
}
