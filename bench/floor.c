/*
 * The floor for the selector's start-up: the same dialogue as a plain C
 * program, with the sketch folder given as a macro; on Windows, with the
 * interpreter's start, as the selector's launch.
 */
#include <stdio.h>
#include <stdlib.h>

#ifdef _WIN32
#define HEADER_PATH SKETCH_FOLDER "\\param.h"
#define OPEN_SKETCH "start \"\" \"" SKETCH_FOLDER "\\code.ino\""
#else
#define HEADER_PATH SKETCH_FOLDER "/param.h"
#define OPEN_SKETCH "xdg-open '" SKETCH_FOLDER "/code.ino'"
#endif

static const char *const confirmations[] = {
	"le programme choisit est Chenille",
	"le programme chosit est Toutes les LEDs",
	"le programme choisit est 1 LED sur 2",
	"le programme choisit est 1 LED sur 3",
	"le programme choisit est Battement de coeur ",
	"le programme choisit est LED1 ", "le programme choisit est LED2 ",
	"le programme choisit est LED3 ", "le programme choisit est LED4 ",
	"le programme choisit est LED5 ", "le programme choisit est LED6 ",
	"le programme choisit est LED7 ", "le programme choisit est LED8 ",
	"le programme choisit est LED9 ", "le programme choisit est LED10 ",
};

int
main(void)
{
	int choice = 0;
	FILE *header;

	puts("quel programme voulez-vous choisir?\n 1. Chenille\n 2. Toutes les LEDs\n"
	    " 3. 1 LED sur 2\n 4. 1 LED sur 3\n 5. Battement de coeur\n"
	    " 6-15. Choix de la LED \xE0 allumer de 1 a 10");
	scanf("%d", &choice);
	if ((unsigned)choice > 15 || choice == 0)
		return 0;
	fputs(confirmations[choice - 1], stdout);
	fflush(stdout);
	if ((header = fopen(HEADER_PATH, "w")) != NULL) {
		fprintf(header, "#define choix %d", choice);
		fclose(header);
	}
	system(OPEN_SKETCH);
	return 0;
}
