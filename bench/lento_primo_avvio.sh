#!/usr/bin/env bash
# A first start from a fresh clone, with the Debian packages present: what scripts/run builds
# now, the program's targets alone (windara_programma), against every target, which it built
# before. Both are made in one clone, without ccache: the program's targets first, exactly as
# scripts/run does (configure included), then the rest; every target from scratch is the two
# together. And scripts/run against the bare build of the program's targets, which differ by
# its package check. Slow: a whole build of the project, about 5 minutes on 2 cores; scripts/bench
# runs it only with WINDARA_BANCO_LENTO=1.
# Usage: bench/lento_primo_avvio.sh [ignored build folder]
set -euo pipefail
radice=$(cd "$(dirname "$0")/.." && pwd)
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
git clone -q "$radice" "$lavoro/windara"
cd "$lavoro/windara"
export CCACHE_DISABLE=1

adesso() { date +%s%N; }
inizio=$(adesso)
WINDARA_SOLO_PACCHETTI='' scripts/setup windara_programma >"$lavoro/programma.log" 2>&1 ||
  { tail -n 30 "$lavoro/programma.log" >&2; exit 1; }
programma=$(($(adesso) - inizio))
[ -x build/bin/windara ] && [ -f build/bin/Database/Diametri.db ] && [ -f build/bin/Moduli/libwindara_analisi.so ] ||
  { echo "windara_programma non fa la cartella del programma" >&2; exit 1; }
# Configuring makes every folder; what must not be there yet is a program in one of them.
costruiti=$(find build/tests build/bench -path '*/CMakeFiles' -prune -o -type f -perm -u+x -print 2>/dev/null)
[ -z "$costruiti" ] || { echo "windara_programma costruisce anche test e banchi: $costruiti" >&2; exit 1; }
inizio=$(adesso)
scripts/setup >"$lavoro/resto.log" 2>&1 || { tail -n 30 "$lavoro/resto.log" >&2; exit 1; }
resto=$(($(adesso) - inizio))
tutto=$((programma + resto))

# What scripts/run adds to the bare build of the program's targets is its check of the Debian
# packages, the same on every run: the median of five, taken off the first start.
controlli=()
for _ in 1 2 3 4 5; do
  inizio=$(adesso)
  WINDARA_SOLO_PACCHETTI=1 scripts/setup >/dev/null
  controlli+=($(($(adesso) - inizio)))
done
controllo=$(printf '%s\n' "${controlli[@]}" | sort -n | sed -n 3p)

# The median of one run is that run; times in µs.
awk -v p="$programma" -v t="$tutto" -v c="$controllo" 'BEGIN {
  printf "COPPIA|primo avvio da un clone: scripts/run (solo il programma)|%.3f|tutti i bersagli|%.3f|%.3f|%.3f\n",
         p / 1000, t / 1000, p / t, 0.8
  printf "COPPIA|primo avvio da un clone: scripts/run|%.3f|la sola costruzione dei bersagli del programma|%.3f|%.3f|%.3f\n",
         p / 1000, (p - c) / 1000, p / (p - c), 1.05
}'
