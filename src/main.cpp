#include "platform/platform.hpp"
#include "selector/menu.hpp"

int
main()
{
	guard_console_streams();
	select_program();
	return 0;
}
