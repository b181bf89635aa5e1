#include <csignal>

#include "selector/menu.hpp"

int
main()
{
#ifdef SIGPIPE
	// A console pipe whose reader has gone must fail the writes, not end
	// the run before the header is written.
	std::signal(SIGPIPE, SIG_IGN);
#endif
	select_program();
	return 0;
}
