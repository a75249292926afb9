#!/usr/bin/env bash
# Makes the alert sound src/resources/images/Audio/dididi.mp3: three short
# 2 kHz pulses ("di-di-di"), about 0.4 s. Run by hand; the mp3 is committed
# so builds need neither sox nor lame.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/src/resources/images/Audio/dididi.mp3}"

need=()
command -v sox >/dev/null || need+=(sox)
command -v lame >/dev/null || need+=(lame)
if [ ${#need[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# One pulse: 80 ms tone with short fades so it does not click, then 60 ms of
# silence; repeated to three pulses and the final gap trimmed to a short tail.
sox -R -n -r 22050 -c 1 -b 16 "$tmp/pulse.wav" \
  synth 0.08 sine 2000 fade q 0.005 0.08 0.015 vol 0.6 pad 0 0.06
sox -R "$tmp/pulse.wav" "$tmp/pulse.wav" "$tmp/pulse.wav" "$tmp/beep.wav" trim 0 0.40

mkdir -p "$(dirname "$out")"
# Constant 48 kbit/s mono keeps the file a few KB; the ID3 tag names the sound.
lame --quiet -b 48 -m m --noreplaygain --add-id3v2 --tt "dididi" "$tmp/beep.wav" "$out"
echo "wrote $out ($(stat -c %s "$out") bytes)"
