// Example sketch for the selector: ten LEDs, one light program chosen at
// build time by the selector through param.h ("#define choix N").
#include "param.h"

const int first_pin = 2;  // LED 1 on pin 2, ..., LED 10 on pin 11
const int led_count = 10;

// The moving programs take 10, 2 and 3 steps to come round: after 30 steps
// all of them start again, so the step goes back to 0 there and never
// overflows, however long the sketch runs.
const int steps_per_round = 30;

// Lights LED number lit + 1 alone.
void light_alone(int lit)
{
  for (int led = 0; led < led_count; led++)
    digitalWrite(first_pin + led, led == lit ? HIGH : LOW);
}

// Lights one LED in `every`, shifted by the step.
void show(int step, int every)
{
  for (int led = 0; led < led_count; led++)
    digitalWrite(first_pin + led, (led + step) % every == 0 ? HIGH : LOW);
}

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
  light_alone(step % led_count);    // Chenille: one light runs from LED 1 to 10
  delay(100);
#elif choix == 2
  all(HIGH);                        // Toutes les LEDs: all on, then off
  delay(500);
  all(LOW);
  delay(500);
#elif choix == 3
  show(step, 2);                    // 1 LED sur 2
  delay(300);
#elif choix == 4
  show(step, 3);                    // 1 LED sur 3
  delay(300);
#elif choix == 5
  all(HIGH);                        // Battement de coeur: two beats, a rest
  delay(120);
  all(LOW);
  delay(120);
  all(HIGH);
  delay(120);
  all(LOW);
  delay(700);
#elif choix >= 6 && choix <= 15
  digitalWrite(first_pin + choix - 6, HIGH);  // LED (choix - 5) alone
#else
#error "param.h must define choix from 1 to 15: run the selector first"
#endif
  step = (step + 1) % steps_per_round;
}
