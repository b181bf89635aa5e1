#!/usr/bin/env python3
"""Writes apercu.html, the kit's preview of the fifteen light programs, and
apercu.svg, the README's picture of them, from the frames that the example
sketch showed on the Uno's processor.

    apercu.py SOURCE FRAMES OUT

SOURCE is the project's folder: the menu's names come from
src/selector/menu.cpp and each program's words from the maker's note,
cmake/LISEZMOI.txt.in. FRAMES holds choice-N.frames for N from 1 to 15,
each as tests/uno_frames.c prints them: the ten LEDs, 1 for lit, then the
millisecond at which they began to show. OUT receives both files.
"""
import html
import re
import sys
from pathlib import Path

LEDS = 10
FIRST_PIN = 2
LIT = "#ff3b30"
DARK = "#4a2323"
# A change shorter than this is the LEDs being written one by one inside
# the sketch's loop, not a frame that anyone sees.
SHORTEST_MS = 1


def menu_entries(source):
    """The menu's lines as the selector prints them, by their numbers."""
    text = (source / "src/selector/menu.cpp").read_text(encoding="utf-8")
    body = text[text.index("menu_text[] ="):]
    body = body[: body.index(";")]
    literal = "".join(re.findall(r'"((?:[^"\\]|\\.)*)"', body))
    raw = re.sub(r"\\x([0-9A-Fa-f]{2})", lambda m: chr(int(m.group(1), 16)), literal)
    lines = raw.replace("\\n", "\n").encode("latin-1").decode("cp1252").splitlines()
    entries = {}
    for line in lines[1:]:
        number, name = line.strip().split(". ", 1)
        entries[number] = name
    return entries


def note_words(source):
    """Each program's line of words in the maker's note, by its number."""
    text = (source / "cmake/LISEZMOI.txt.in").read_text(encoding="utf-8")
    words = {}
    for match in re.finditer(r"^    (\d+) {2,}[^:\n]+ : (.+)$", text, re.M):
        words[match.group(1)] = match.group(2)
    match = re.search(r"^    6 à 15 +([^:\n]+?) :", text, re.M)
    words["6-15"] = match.group(1)
    return words


def frames_of(path):
    """The frames of one round: (LEDs, milliseconds), as seen on the board."""
    changes = []
    for line in path.read_text().splitlines():
        leds, start = line.split()
        changes.append((leds, float(start)))
    if len(changes) == 1:
        return [(changes[0][0], 0)]
    frames = []
    # The last change is cut off by the end of the run.
    for (leds, start), (_, following) in zip(changes, changes[1:]):
        length = following - start
        if length < SHORTEST_MS:
            continue
        if frames and frames[-1][0] == leds:
            frames[-1][1] += length
        else:
            frames.append([leds, length])
    frames = [(leds, round(length)) for leds, length in frames]
    for period in range(1, len(frames) // 2 + 1):
        if all(frames[i] == frames[i + period] for i in range(len(frames) - period)):
            return frames[:period]
    raise SystemExit(f"{path}: no round repeats in {len(frames)} frames")


def lit_words(leds):
    lit = [str(i + 1) for i, led in enumerate(leds) if led == "1"]
    if not lit:
        return "toutes éteintes"
    if len(lit) == LEDS:
        return "toutes allumées"
    if len(lit) == 1:
        return f"LED {lit[0]} allumée"
    return "LED " + ", ".join(lit[:-1]) + f" et {lit[-1]} allumées"


def keyframes_of(frames):
    """For each LED, the round's length and the LED's changes over it, as
    (start in milliseconds, lit)."""
    total = sum(length for _, length in frames)
    per_led = []
    for led in range(LEDS):
        steps, start = [], 0
        for leds, length in frames:
            lit = leds[led] == "1"
            if not steps or steps[-1][1] != lit:
                steps.append((start, lit))
            start += length
        per_led.append((total, tuple(steps)))
    return per_led


def percent(part, total):
    return f"{100 * part / total:.4f}".rstrip("0").rstrip(".")


class Animations:
    """The keyframes that the LEDs share, each written once, for PROPERTY."""

    def __init__(self, prefix, prop):
        self.prefix, self.prop, self.names, self.rules = prefix, prop, {}, []

    def name(self, total, steps):
        if len(steps) == 1:
            return None
        key = (total, steps)
        if key not in self.names:
            name = f"{self.prefix}{len(self.names) + 1}"
            self.names[key] = name
            stops = [f"{percent(start, total)}%{{{self.prop}:{LIT if lit else DARK}}}"
                     for start, lit in steps]
            stops.append(f"100%{{{self.prop}:{LIT if steps[-1][1] else DARK}}}")
            self.rules.append(f"@keyframes {name}{{{''.join(stops)}}}")
        return self.names[key]

    def style(self, total, steps):
        """The style attribute that animates a LED, or nothing for one that
        never changes."""
        name = self.name(total, steps)
        return f' style="animation:{name} {total}ms step-end infinite"' if name else ""


def lamp(animations, total, steps):
    lit = " on" if steps[0][1] else ""
    return f'<span class="lamp{lit}"{animations.style(total, steps)}></span>'


def leds_row(leds):
    return "".join(f'<span class="lamp{" on" if led == "1" else ""}"></span>' for led in leds)


def page(programs, fixed, menu_6_15, words_6_15):
    animations = Animations("k", "background-color")
    labels = [f'<span class="label">LED {led + 1}<br>broche {led + FIRST_PIN}</span>' for led in range(LEDS)]
    sections = []
    for choice, name, words, frames in programs:
        total = sum(length for _, length in frames)
        lamps = "".join(
            f'<span class="led">{lamp(animations, t, steps)}{labels[led]}</span>'
            for led, (t, steps) in enumerate(keyframes_of(frames)))
        strip = "".join(
            f'<li data-leds="{leds}" data-ms="{length}"><span class="leds">{leds_row(leds)}</span>'
            f'<span>{length}&nbsp;ms&nbsp;: {lit_words(leds)}</span></li>' for leds, length in frames)
        sections.append(
            f'<section class="program" data-choice="{choice}">\n'
            f'<h2>{choice}. {html.escape(name)}</h2>\n'
            f'<p>{html.escape(words[0].upper() + words[1:])}&nbsp;; un tour dure {total}&nbsp;ms, puis il '
            f'recommence.</p>\n'
            f'<div class="live" aria-hidden="true"><div class="leds">{lamps}</div></div>\n'
            f'<ol class="strip" aria-label="Un tour de {html.escape(name)}, image par image">{strip}</ol>\n'
            f'</section>')
    rows = "".join(
        f'<li data-choice="{choice}" data-leds="{leds}"><span class="number">{choice}</span>'
        f'<span class="leds">{leds_row(leds)}</span><span class="words">{lit_words(leds)}</span></li>\n'
        for choice, leds in fixed)
    sections.append(
        '<section class="program fixed">\n'
        f'<h2>{html.escape(menu_6_15)}</h2>\n'
        f'<p>{html.escape(words_6_15)}, toujours la même&nbsp;: le numéro moins 5 donne la LED.</p>\n'
        f'<ol>\n<li class="header" aria-hidden="true"><span></span>{"".join(labels)}<span></span></li>\n'
        f'{rows}</ol>\n</section>')
    rules = "\n".join(animations.rules)
    return f'''<!DOCTYPE html>
<html lang="fr">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Les quinze programmes lumineux</title>
<style>
body{{font-family:system-ui,sans-serif;max-width:52rem;margin:2rem auto;padding:0 1rem;color:#1d1d1d;background:#fbfaf8;line-height:1.4}}
h2{{font-size:1.15rem;margin:1.6rem 0 .2rem}}
p{{margin:.2rem 0 .6rem}}
.leds{{display:grid;grid-template-columns:repeat(10,minmax(0,4.2rem));justify-items:center}}
.led{{display:flex;flex-direction:column;align-items:center}}
.lamp{{display:inline-block;width:1.8rem;height:1.8rem;border-radius:50%;background-color:{DARK};border:2px solid #222;box-sizing:border-box}}
.lamp.on{{background-color:{LIT}}}
.label{{font-size:.7rem;text-align:center;line-height:1.2;margin-top:.2rem;white-space:nowrap}}
.strip .lamp,.fixed .lamp{{width:1.1rem;height:1.1rem;border-width:1px}}
.strip li{{display:flex;gap:.8rem;align-items:center;margin:.15rem 0}}
.strip .leds{{grid-template-columns:repeat(10,1.4rem)}}
/* The rows of programs 6 to 15 and their labels share one grid, so that
each LED stays under its label whatever the width. */
.fixed ol{{list-style:none;padding:0;margin:0;display:grid;grid-template-columns:2rem repeat(10,minmax(0,4.2rem)) auto;row-gap:.4rem;align-items:center;justify-items:center}}
.fixed li,.fixed li .leds{{display:contents}}
.number{{justify-self:end;font-weight:bold;padding-right:.3rem}}
.words{{justify-self:start;font-size:.85rem;margin-left:.6rem}}
.strip{{position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0);white-space:nowrap}}
/* Below the width of ten labels side by side, as on a phone, the LEDs go
in two rows of five, each with its label; the rows of programs 6 to 15
keep their ten LEDs, without labels, as their words name the lit one. */
@media (max-width:38rem){{
.live .leds{{grid-template-columns:repeat(5,minmax(0,4.2rem));row-gap:.5rem}}
.fixed .header{{display:none}}
}}
@media (prefers-reduced-motion:reduce){{
.live{{display:none}}
.strip{{position:static;width:auto;height:auto;overflow:visible;clip:auto;white-space:normal;padding-left:1.2rem}}
}}
{rules}
</style>
</head>
<body>
<h1>Les quinze programmes lumineux</h1>
<p>Voici ce que font les dix LEDs de la carte pour chaque numéro du
sélecteur, à la vitesse de la carte. Ces images ne sont pas dessinées à la
main&nbsp;: elles ont été enregistrées en faisant tourner le croquis code.ino
sur le processeur de l'Arduino Uno, simulé, pour chacun des quinze choix.</p>
<p>Si votre carte ne montre pas la même chose, une LED est sur une autre
broche&nbsp;: la LED 1 va sur la broche 2, la LED 2 sur la broche 3, et ainsi de
suite jusqu'à la LED 10 sur la broche 11, comme l'indique chaque LED
ci-dessous.</p>
<p>Si votre système demande de réduire les animations, chaque programme est
montré image par image, avec la durée de chaque image.</p>
{chr(10).join(sections)}
</body>
</html>
'''


def picture(programs, fixed):
    animations = Animations("s", "fill")
    row_height, left, step = 26, 190, 32
    rows = []
    y = 48
    entries = [(f"{choice}. {name}", keyframes_of(frames)) for choice, name, _, frames in programs]
    entries += [(f"{choice}. LED {choice - 5}", keyframes_of([(leds, 1)])) for choice, leds in fixed]
    for label, per_led in entries:
        circles = []
        for led, (total, steps) in enumerate(per_led):
            fill = LIT if steps[0][1] else DARK
            circles.append(f'<circle cx="{left + led * step}" cy="{y}" r="10" fill="{fill}"'
                           f'{animations.style(total, steps)}/>')
        rows.append(f'<text x="12" y="{y + 5}">{html.escape(label)}</text>{"".join(circles)}')
        y += row_height
    pins = '<text x="12" y="26">LED</text>' + "".join(
        f'<text x="{left + led * step}" y="26" text-anchor="middle">{led + 1}</text>'
        for led in range(LEDS))
    width, height = left + LEDS * step, y - row_height + 24
    rules = "".join(animations.rules)
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}" role="img" '
            f'aria-label="Les quinze programmes du sélecteur sur dix LEDs, à la vitesse de la carte">\n'
            f'<style>text{{font:14px sans-serif;fill:#1d1d1d}}'
            f'circle{{stroke:#222;stroke-width:2}}{rules}</style>\n'
            f'<rect width="100%" height="100%" fill="#fbfaf8"/>\n{pins}\n' + "\n".join(rows) + "\n</svg>\n")


def main():
    source, frames_dir, out = (Path(argument) for argument in sys.argv[1:4])
    menu, words = menu_entries(source), note_words(source)
    programs, fixed = [], []
    for choice in range(1, 16):
        frames = frames_of(frames_dir / f"choice-{choice}.frames")
        if choice <= 5:
            programs.append((choice, menu[str(choice)], words[str(choice)], frames))
        else:
            fixed.append((choice, frames[0][0]))
    (out / "apercu.html").write_text(page(programs, fixed, f"6-15. {menu['6-15']}", words["6-15"]),
                                     encoding="utf-8")
    (out / "apercu.svg").write_text(picture(programs, fixed), encoding="utf-8")


if __name__ == "__main__":
    main()
