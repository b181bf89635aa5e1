/*
 * Runs an Arduino Uno firmware in simavr, an ATmega328P at 16 MHz, for a
 * given simulated time, and prints one line each time its LEDs 1 to 10
 * change: the LEDs as 1 (lit) or 0, then the simulated milliseconds. LEDs 1
 * to 10 are on pins 2 to 11, which are PD2 to PD7 and PB0 to PB3. A LED is
 * lit when its pin is an output and driven high.
 *
 *   uno_frames FIRMWARE.elf MILLISECONDS [SYMBOL VALUE]
 *
 * With SYMBOL and VALUE, the 16-bit variable SYMBOL is set to VALUE once the
 * firmware's start-up code has cleared its memory, as main() begins: a
 * counter can then start where hours of running would have brought it.
 */
#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <sim_avr.h>
#include <sim_elf.h>

/* The data addresses of the I/O registers of ports B and D. */
enum { DDRB = 0x24, PORTB = 0x25, DDRD = 0x2A, PORTD = 0x2B };

/* The ELF gives data addresses past this offset, flash addresses below. */
#define DATA_OFFSET 0x800000u

/*
 * simavr's own messages go to standard error, and only its errors: its
 * default logger writes to standard output, which holds the frames.
 */
static void
log_errors(avr_t *avr, const int level, const char *format, va_list arguments)
{
	(void)avr;
	if (level <= LOG_ERROR)
		vfprintf(stderr, format, arguments);
}

static unsigned
lit_leds(const avr_t *avr)
{
	const unsigned d = avr->data[PORTD] & avr->data[DDRD];
	const unsigned b = avr->data[PORTB] & avr->data[DDRB];
	return ((d >> 2) & 0x3Fu) | ((b & 0x0Fu) << 6);
}

static long
symbol_address(const elf_firmware_t *firmware, const char *name)
{
	for (uint32_t i = 0; i < firmware->symbolcount; i++)
		if (strcmp(firmware->symbol[i]->symbol, name) == 0)
			return (long)firmware->symbol[i]->addr;
	return -1;
}

int
main(int argc, char **argv)
{
	if (argc != 3 && argc != 5) {
		fprintf(stderr, "usage: uno_frames FIRMWARE.elf MILLISECONDS [SYMBOL VALUE]\n");
		return 2;
	}
	avr_global_logger_set(log_errors);
	elf_firmware_t firmware;
	memset(&firmware, 0, sizeof firmware);
	if (elf_read_firmware(argv[1], &firmware) != 0) {
		fprintf(stderr, "cannot read %s\n", argv[1]);
		return 2;
	}
	avr_t *avr = avr_make_mcu_by_name("atmega328p");
	if (avr == NULL || avr_init(avr) != 0)
		return 2;
	avr->frequency = 16000000;
	avr_load_firmware(avr, &firmware);

	long main_address = -1, poke_address = -1, poke_value = 0;
	if (argc == 5) {
		main_address = symbol_address(&firmware, "main");
		poke_address = symbol_address(&firmware, argv[3]);
		poke_value = strtol(argv[4], NULL, 0);
		if (main_address < 0 || poke_address < (long)DATA_OFFSET) {
			fprintf(stderr, "no main or no variable %s in %s\n", argv[3], argv[1]);
			return 2;
		}
		poke_address -= DATA_OFFSET;
	}

	const avr_cycle_count_t cycles_per_ms = avr->frequency / 1000;
	const avr_cycle_count_t end = strtoull(argv[2], NULL, 10) * cycles_per_ms;
	unsigned shown = lit_leds(avr);
	while (avr->cycle < end) {
		const int state = avr_run(avr);
		if (state == cpu_Done || state == cpu_Crashed) {
			printf("stopped %.3f\n", (double)avr->cycle / cycles_per_ms);
			return 1;
		}
		if (poke_address >= 0 && avr->pc == (avr_flashaddr_t)main_address) {
			avr->data[poke_address] = (uint8_t)(poke_value & 0xFF);
			avr->data[poke_address + 1] = (uint8_t)((poke_value >> 8) & 0xFF);
			poke_address = -1;
		}
		const unsigned lit = lit_leds(avr);
		if (lit == shown)
			continue;
		shown = lit;
		for (int led = 0; led < 10; led++)
			putchar((lit >> led) & 1u ? '1' : '0');
		printf(" %.3f\n", (double)avr->cycle / cycles_per_ms);
	}
	return 0;
}
