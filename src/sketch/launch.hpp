#ifndef SKETCH_LAUNCH_HPP
#define SKETCH_LAUNCH_HPP

// Asks the command interpreter to open code.ino with its associated
// application; only the interpreter is waited for, never the application.
void open_sketch();

#endif
