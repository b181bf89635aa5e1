// Runs the example sketch on a stand-in for the Arduino functions it calls,
// and prints what its ten LEDs show: one line per frame, the LEDs 1 to 10 as
// 1 (lit) or 0, then how long the frame lasts in milliseconds, for LOOPS
// calls of loop(). A loop() that never waits makes a frame of 0 ms.
//
//   c++ -I SKETCH_FOLDER sketch_frames.cpp && ./a.out LOOPS
//
// SKETCH_FOLDER holds code.ino and the param.h that it includes.
#include <cstdio>
#include <cstdlib>
#include <string>

// Named, so that no name of the sketch's own can clash with them.
namespace stand_in {

constexpr int first_led_pin = 2;
constexpr int led_count = 10;
constexpr int pin_count = 20; // an Uno's digital and analog pins

bool output[pin_count];
bool level[pin_count];
bool waited;

void
fault(const char *what, int pin)
{
	std::printf("%s %d\n", what, pin);
	std::exit(1);
}

void
print_frame(unsigned long ms)
{
	std::string leds;
	for (int led = 0; led < led_count; led++)
		leds += level[first_led_pin + led] ? '1' : '0';
	std::printf("%s %lu\n", leds.c_str(), ms);
}

} // namespace stand_in

using stand_in::fault;

constexpr int LOW = 0;
constexpr int HIGH = 1;
constexpr int OUTPUT = 1;

void
pinMode(int pin, int mode)
{
	if (pin < 0 || pin >= stand_in::pin_count)
		fault("no such pin", pin);
	stand_in::output[pin] = mode == OUTPUT;
}

void
digitalWrite(int pin, int value)
{
	if (pin < 0 || pin >= stand_in::pin_count)
		fault("no such pin", pin);
	if (!stand_in::output[pin])
		fault("written but not an output: pin", pin);
	stand_in::level[pin] = value != LOW;
}

void
delay(unsigned long ms)
{
	stand_in::print_frame(ms);
	stand_in::waited = true;
}

#include "code.ino"

int
main(int argc, char **argv)
{
	if (argc != 2)
		return 2;
	setup();
	for (long loops = std::atol(argv[1]); loops > 0; loops--) {
		stand_in::waited = false;
		loop();
		if (!stand_in::waited)
			stand_in::print_frame(0);
	}
	return 0;
}
