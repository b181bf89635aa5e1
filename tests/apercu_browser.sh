#!/usr/bin/env bash
# apercu_browser.sh PAGE: the preview page, opened in headless Chromium,
# shows each program's LEDs lit as its frames say, at the middle of each
# frame of two rounds; each LED is labelled with its pin; where reduced
# motion is asked for, nothing moves and the frames show as a still strip;
# and at a phone's width and a laptop's, every LED shows whole without a
# horizontal scroll, and no two labels touch.
set -u
# The harness runs no selector here: it gives the rows and their report.
. "$(dirname "$0")/harness.sh" native /dev/null /dev/null
page=$1

# The page as it is, with a script of the test's own at its end. It pauses
# every animation, sets them all to each moment in turn, and writes what
# the browser shows in place of the page, for --dump-dom to print.
probe='<script>
const lit = getComputedStyle(document.querySelector(".lamp.on")).backgroundColor;
const shown = (lamps) =>
  Array.from(lamps, (l) => (getComputedStyle(l).backgroundColor === lit ? "1" : "0")).join("");
const animations = document.getAnimations();
animations.forEach((a) => a.pause());
const lines = [];
for (const program of document.querySelectorAll("section[data-choice]")) {
  const choice = program.dataset.choice;
  const labels = Array.from(program.querySelectorAll(".live .label"),
    (l) => l.innerText.replace(/\s+/g, " "));
  lines.push(`labels ${choice} ${labels.join(",")}`);
  const lamps = program.querySelectorAll(".live .lamp");
  const frames = Array.from(program.querySelectorAll(".strip li"));
  const total = frames.reduce((sum, f) => sum + Number(f.dataset.ms), 0);
  for (const round of [0, 1]) {
    let start = round * total;
    for (const frame of frames) {
      const moment = start + Number(frame.dataset.ms) / 2;
      animations.forEach((a) => { a.currentTime = moment; });
      lines.push(`frame ${choice} ${moment} ${shown(lamps)} ${frame.dataset.leds}`);
      start += Number(frame.dataset.ms);
    }
  }
}
for (const row of document.querySelectorAll(".fixed li[data-choice]"))
  lines.push(`frame ${row.dataset.choice} 0 ${shown(row.querySelectorAll(".lamp"))} ${row.dataset.leds}`);
const live = getComputedStyle(document.querySelector(".live")).display;
const strip = document.querySelector(".strip").getBoundingClientRect().width > 100;
lines.push(`motion ${live} ${strip ? "strip" : "no-strip"}`);
document.body.innerHTML = "<pre id=probe>" + lines.join("\n") + "</pre>";
</script>'
{ sed '/<\/body>/,$d' "$page"; printf '%s\n' "$probe"; sed -n '/<\/body>/,$p' "$page"; } > "$work/probe.html"

# The page in frames 390 and 1280 pixels wide, for Chromium's headless
# window, which is never narrower than 500. Once both have loaded, each
# line says, for one frame, its width inside the scroll bar, the width of
# its page, how many LEDs lie outside it, and the narrowest gap between two
# labels side by side.
cp "$page" "$work/page.html"
cat > "$work/widths.html" <<'HOST'
<!DOCTYPE html><body style="margin:0">
<iframe src="page.html" style="width:390px;height:844px;border:0"></iframe>
<iframe src="page.html" style="width:1280px;height:800px;border:0"></iframe>
<script>
onload = () => {
  const lines = [];
  for (const frame of document.querySelectorAll("iframe")) {
    const page = frame.contentDocument, view = page.documentElement.clientWidth;
    const cut = Array.from(page.querySelectorAll(".lamp"), (l) => l.getBoundingClientRect())
      .filter((b) => b.width > 0 && (b.left < 0 || b.right > view)).length;
    let gap = Infinity;
    for (const section of page.querySelectorAll("section")) {
      const labels = Array.from(section.querySelectorAll(".label"), (l) => {
        const text = page.createRange();
        text.selectNodeContents(l);
        return Array.from(text.getClientRects()).filter((r) => r.width > 0);
      });
      labels.forEach((a, i) => labels.slice(i + 1).forEach((b) => a.forEach((r) => b.forEach((s) => {
        if (r.bottom > s.top && s.bottom > r.top)
          gap = Math.min(gap, Math.max(s.left - r.right, r.left - s.right));
      }))));
    }
    lines.push(`width ${frame.style.width} ${view} ${page.documentElement.scrollWidth} ${cut} ${gap}`);
  }
  document.body.innerHTML = "<pre id=probe>" + lines.join("\n") + "</pre>";
};
</script>
HOST

# open PAGE [FLAG...]: what the probe wrote, in PAGE of $work as Chromium
# shows it.
open() {
	local page=$1
	shift
	timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
		--disable-background-networking --disable-component-update --disable-sync \
		--user-data-dir="$work/profile" "$@" --dump-dom "file://$work/$page" 2> "$work/chromium.log" |
		sed -n '/<pre id="probe">/,/<\/pre>/p' | sed 's/<[^>]*>//g'
}

if begin 'each program lit as its frames say, at the middle of each frame' chromium; then
	open probe.html > "$work/shown"
	[ -s "$work/shown" ] || fail "the probe wrote nothing: $(tail -n 3 "$work/chromium.log")"
	for choice in $(seq 15); do
		grep -q "^frame $choice " "$work/shown" || fail "no frame of choice $choice"
	done
	for choice in 1 2 3 4 5; do
		[ "$(grep -c "^frame $choice " "$work/shown")" -ge 4 ] || fail "choice $choice has fewer than two frames"
	done
	awk '$1 == "frame" && $4 != $5 { print "choice " $2 " at " $3 " ms shows " $4 ", its frame is " $5 }' \
		"$work/shown" > "$work/wrong"
	[ -s "$work/wrong" ] && fail "$(head -n 3 "$work/wrong")"
	end
fi

if begin 'each LED labelled with its pin' chromium; then
	labels=$(for led in $(seq 10); do printf 'LED %d broche %d,' "$led" $((led + 1)); done)
	for choice in 1 2 3 4 5; do
		grep -qxF "labels $choice ${labels%,}" "$work/shown" ||
			fail "choice $choice: $(grep "^labels $choice " "$work/shown")"
	done
	end
fi

if begin 'moving where motion is welcome, a still strip where it is not' chromium; then
	grep -qx 'motion block no-strip' "$work/shown" || fail "$(grep '^motion' "$work/shown")"
	[ "$(open probe.html --force-prefers-reduced-motion | grep '^motion')" = 'motion none strip' ] ||
		fail "with reduced motion: $(open probe.html --force-prefers-reduced-motion | grep '^motion')"
	end
fi
if begin 'at 390 and 1280 px, every LED whole, no horizontal scroll, no two labels touching' chromium; then
	for motion in '' --force-prefers-reduced-motion; do
		open widths.html --allow-file-access-from-files $motion > "$work/widths"
		[ "$(wc -l < "$work/widths")" = 2 ] || fail "the frames wrote: $(cat "$work/widths")"
		awk -v motion="${motion:-with motion}" '$4 > $3 || $5 > 0 || $6 < 3 {
			print motion ", " $2 ": page " $4 " px in " $3 ", " $5 " LEDs cut off, labels " $6 " px apart" }' \
			"$work/widths" > "$work/wrong"
		[ -s "$work/wrong" ] && fail "$(cat "$work/wrong")"
	done
	end
fi
report
