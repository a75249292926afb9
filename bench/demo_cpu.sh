#!/usr/bin/env bash
# CPU of the idle demo terminal on the market page, in % of one core over 60 s after
# a 15 s warm-up, with and without the footer's news marquee.
# usage: bench/demo_cpu.sh [build dir]   (default: build)
set -euo pipefail
bin="${1:-build}/bin/zt-terminal"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen HOME="$work/home" XDG_RUNTIME_DIR="$work/rt"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
tck=$(getconf CLK_TCK)

descendants() { local p; for p in $(pgrep -P "$1"); do echo "$p"; descendants "$p"; done; }
ticks() { awk '{print $14+$15}' "/proc/$1/stat" 2>/dev/null || echo 0; }

measure() {
  local label=$1; shift
  "$bin" --page market --data-dir "$work/data-$label" "$@" >/dev/null 2>&1 &
  local pid=$! s0 s1 k0=0 k1=0 p
  sleep 15
  s0=$(ticks $pid); for p in $(descendants $pid); do k0=$((k0 + $(ticks "$p"))); done
  local load0; load0=$(cut -d' ' -f1 /proc/loadavg)
  sleep 60
  s1=$(ticks $pid); for p in $(descendants $pid); do k1=$((k1 + $(ticks "$p"))); done
  kill $pid; wait $pid 2>/dev/null || true
  awk -v a="$s0" -v b="$s1" -v c="$k0" -v d="$k1" -v t="$tck" -v l="$label" -v load="$load0" \
    'BEGIN { printf "%-16s demo %.2f %% of a core, web helpers %.2f %% (load %s)\n", l, (b-a)*100/t/60, (d-c)*100/t/60, load }'
}

measure "footer running"
measure "marquee hidden" --hide-marquee
