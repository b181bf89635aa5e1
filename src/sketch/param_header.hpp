#ifndef SKETCH_PARAM_HEADER_HPP
#define SKETCH_PARAM_HEADER_HPP

// Replaces param.h in the sketch folder with "#define choix N", no line end.
void write_param_header(int choice);

#endif
