#ifndef SKETCH_PARAM_HEADER_HPP
#define SKETCH_PARAM_HEADER_HPP

// Replaces param.h in the sketch folder with "#define choix N", no line end.
// If param.h does not then hold exactly that, says so on standard error and
// returns false.
bool write_param_header(int choice);

#endif
