#include "platform/platform.hpp"
#include "selector/menu.hpp"

int
main()
{
	ignore_sigpipe();
	select_program();
	return 0;
}
