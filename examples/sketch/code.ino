// Croquis d'exemple du sélecteur : dix LEDs, et le programme lumineux que
// vous avez choisi dans selector.exe. Le sélecteur l'écrit dans param.h,
// à côté de ce fichier, sous la forme « #define choix N » (N de 1 à 15) ;
// téléversez le croquis après chaque choix.
// Avant le premier choix, il n'y a pas encore de param.h : la
// compilation s'arrête alors sur cette phrase en français, plutôt que sur
// l'erreur du compilateur, en anglais.
#if __has_include("param.h")
#include "param.h"
#else
#error "Il manque param.h : lancez d'abord selector.exe et choisissez un programme, puis compilez de nouveau."
#endif

// Câblage : la LED 1 sur la broche 2, …, la LED 10 sur la broche 11,
// chacune en série avec une résistance (220 ohms par exemple) vers GND.
const int first_pin = 2;
const int led_count = 10;

// Les programmes qui bougent reviennent à leur début en 10, 2 et 3 pas :
// au bout de 30 pas, tous recommencent ensemble, et le compteur de pas
// revient à 0 sans jamais déborder, même après des jours.
const int steps_per_round = 30;

// Allume la LED numéro lit + 1, seule.
void light_alone(int lit)
{
  for (int led = 0; led < led_count; led++)
    digitalWrite(first_pin + led, led == lit ? HIGH : LOW);
}

// Allume une LED sur `every`, décalée d'un cran vers la LED 10 à chaque
// pas, dans le sens de la Chenille.
void show(int step, int every)
{
  for (int led = 0; led < led_count; led++)
    digitalWrite(first_pin + led, led % every == step % every ? HIGH : LOW);
}

// Allume (HIGH) ou éteint (LOW) les dix LEDs.
void all(int level)
{
  for (int led = 0; led < led_count; led++)
    digitalWrite(first_pin + led, level);
}

void setup()
{
  for (int led = 0; led < led_count; led++)
    pinMode(first_pin + led, OUTPUT);
}

void loop()
{
  static int step = 0;
#if choix == 1
  light_alone(step % led_count);    // Chenille : une lumière court de la LED 1 à la LED 10
  delay(100);
#elif choix == 2
  all(HIGH);                        // Toutes les LEDs : toutes allumées, puis éteintes
  delay(500);
  all(LOW);
  delay(500);
#elif choix == 3
  show(step, 2);                    // 1 LED sur 2, en alternance
  delay(300);
#elif choix == 4
  show(step, 3);                    // 1 LED sur 3, qui avance vers la LED 10
  delay(300);
#elif choix == 5
  all(HIGH);                        // Battement de coeur : deux battements, un repos
  delay(120);
  all(LOW);
  delay(120);
  all(HIGH);
  delay(120);
  all(LOW);
  delay(700);
#elif choix >= 6 && choix <= 15
  digitalWrite(first_pin + choix - 6, HIGH);  // la LED choix - 5, seule
#elif __has_include("param.h")
#error "param.h doit définir choix de 1 à 15 : lancez d'abord selector.exe"
#endif
  step = (step + 1) % steps_per_round;
}
