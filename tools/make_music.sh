#!/usr/bin/env bash
# Regenerates resources/music.ogg, the title-screen music: a quiet, seamless 20-second
# ambient loop for a foggy moonlit mire. A low A-minor drone whose two channels beat slowly
# against each other, a breath of wind, and a few soft glass-like notes, all in a long
# reverb. Everything is synthesised with fixed seeds, so every run gives the same file.
#
# Needs sox and oggenc (Debian: sox, vorbis-tools; tools/install-deps.sh installs both):
#
#     bash tools/make_music.sh [OUTPUT_FILE]
#
# Seamless by construction: every drone frequency is a whole number of cycles in the loop,
# the wind is cross-faded from its own continuation, and the reverb runs over two copies of
# the loop of which the second is kept, so the tail that rings into the start is the loop's
# own ending.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$root/resources/music.ogg}

loop=20          # seconds; frequencies below are multiples of 1/loop = 0.05 Hz
fade=4           # seconds of wind cross-fade
rate=22050       # the music sits below 5 kHz, so half the CD rate loses nothing

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
s() { sox -R -q "$@"; }   # -R: repeatable noise

# Drone: A2, E3, A3 and a faint C4, left and right detuned by 0.05-0.15 Hz against each
# other, so the chord drifts slowly from side to side; a slow swell over the whole loop.
drone() {  # channel-file detune-step
  local file=$1 step=$2 parts=() i=0
  for partial in "110.00 0.16" "164.80 0.10" "220.00 0.07" "261.60 0.025" "329.60 0.015"; do
    read -r freq level <<<"$partial"
    local f
    f=$(awk -v f="$freq" -v d="$step" -v i="$i" 'BEGIN { printf "%.2f", f + d * (i % 3) }')
    s -n -r $rate -c 1 "$work/tone$i.wav" synth $loop sine "$f" vol "$level"
    parts+=(-v 1 "$work/tone$i.wav")
    i=$((i + 1))
  done
  s -m "${parts[@]}" "$file" tremolo 0.05 35 tremolo 0.1 15
}
drone "$work/left.wav" 0.05
drone "$work/right.wav" 0.10
s -M "$work/left.wav" "$work/right.wav" "$work/drone.wav"

# Wind: band-limited pink noise that rises and falls twice per loop, cross-faded from the
# noise that follows the loop so its end runs straight into its start.
s -n -r $rate -c 2 "$work/noise.wav" synth $((loop + fade)) pinknoise \
  highpass 180 lowpass 700 tremolo 0.1 70 vol 0.12
s "$work/noise.wav" "$work/body.wav" trim 0 $loop fade q $fade
s "$work/noise.wav" "$work/tail.wav" trim $loop $fade fade q 0 $fade $fade
s -m -v 1 "$work/body.wav" -v 1 "$work/tail.wav" "$work/wind.wav"

# Glass notes: E5, C5, A4, B4, each a soft strike that dies away well inside the loop.
notes=()
for note in "2.0 659.26" "7.5 523.25" "12.0 440.00" "16.0 493.88"; do
  read -r at freq <<<"$note"
  file="$work/note$at.wav"
  s -n -r $rate -c 2 "$file" synth 3.5 sine "$freq" sine "$(awk -v f="$freq" 'BEGIN { print f * 2.003 }')" \
    fade q 0.03 3.5 3.4 vol 0.03 pad "$at" "$(awk -v a="$at" -v l=$loop 'BEGIN { print l - a - 3.5 }')"
  notes+=(-v 1 "$file")
done
s -m "${notes[@]}" "$work/notes.wav" remix 1v0.9,2v0.3 1v0.3,2v0.9

s -m -v 1 "$work/drone.wav" -v 1 "$work/wind.wav" -v 1 "$work/notes.wav" "$work/mix.wav"

# Reverb over two copies; the second copy is the loop.
s "$work/mix.wav" "$work/mix.wav" "$work/twice.wav"
s "$work/twice.wav" -b 16 -e signed-integer "$work/loop.wav" reverb 70 60 100 100 20 trim $loop $loop gain -n -6

oggenc -Q -q 0 --serial 20261210 -t "Mirefall title loop" -o "$out" "$work/loop.wav"
echo "wrote $out ($(stat -c %s "$out") bytes)"
