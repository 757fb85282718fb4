# Shared by the end-to-end scripts: a private X server, the program started from a folder
# of its own, bounded waits, and clean-up. Sourced, never run.
set -euo pipefail

# Seconds any single wait may last, enough for a sanitizer build on a loaded machine; the
# whole test is bounded by ctest as well.
ATTESA=${WINDARA_E2E_ATTESA:-60}

for comando in Xvfb xdotool; do
  command -v "$comando" >/dev/null || { echo "FALLITO: manca $comando (scripts/setup lo installa)" >&2; exit 1; }
done

LAVORO=$(mktemp -d "${TMPDIR:-/tmp}/windara-e2e.XXXXXX")
PID_X=""
PID_PROGRAMMA=""
STATO_PROGRAMMA=""

# The program and the helper under the same settings, so their dates and decimal points
# agree; Qt takes the Italian formats from the environment even without the system locale.
AMBIENTE=(env LC_ALL=it_IT.UTF-8 LANG=it_IT.UTF-8 LANGUAGE= QT_QPA_PLATFORM=xcb
          XDG_RUNTIME_DIR="$LAVORO/run")
# In a sanitizer build: libxkbcommon-x11 hands strndup the atom names of X replies, which
# are not NUL-terminated, and strict string checks take that for an overflow.
# The leak suppressions are read from a copy in the test's folder: a program started as
# another user (installazione.sh) may not enter the checkout, and a sanitizer that cannot
# read them aborts.
if [ -n "${ASAN_OPTIONS:-}" ]; then
  install -m 644 "$(dirname "${BASH_SOURCE[0]}")/lsan.supp" "$LAVORO/lsan.supp"
  AMBIENTE+=(ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
             LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$LAVORO/lsan.supp")
fi
mkdir -m 700 "$LAVORO/run"

fallisci() {
  echo "FALLITO: $*" >&2
  exit 1
}

riordina() {
  local esito=$?
  if [ "$esito" -ne 0 ] && [ -n "${DISPLAY:-}" ] && [ -n "${AIUTO:-}" ]; then
    # What was on the screen when it went wrong.
    timeout 10 "${AMBIENTE[@]}" "$AIUTO" schermata 0 "$LAVORO/schermo.png" 2>/dev/null || true
  fi
  if [ -n "$PID_PROGRAMMA" ] && kill -0 "$PID_PROGRAMMA" 2>/dev/null; then kill "$PID_PROGRAMMA" 2>/dev/null || true; fi
  if [ -n "$PID_X" ]; then kill "$PID_X" 2>/dev/null || true; fi
  # A test's own clean-up, once its programs are gone: users it made, files they own.
  if declare -F riordina_prova >/dev/null; then riordina_prova || true; fi
  if [ "$esito" -eq 0 ]; then
    rm -rf "$LAVORO"
  else
    if [ -s "$LAVORO/programma.log" ]; then
      echo "--- uscita del programma:" >&2
      tail -n 40 "$LAVORO/programma.log" >&2
    elif [ -e "$LAVORO/programma.log" ]; then
      echo "--- il programma non ha scritto nulla" >&2
    fi
    echo "Cartella di lavoro conservata: $LAVORO" >&2
  fi
}
trap riordina EXIT
# A ctest time-out still ends the server and the program.
trap 'exit 143' TERM INT

# attendi <what> <command...>: polls the command until it succeeds, at most ATTESA seconds.
attendi() {
  local cosa=$1
  shift
  local fine=$((SECONDS + ATTESA))
  until "$@"; do
    [ "$SECONDS" -lt "$fine" ] || fallisci "attesa scaduta dopo $ATTESA s: $cosa"
    sleep 0.1
  done
}

x_pronto() {
  kill -0 "$PID_X" 2>/dev/null || fallisci "Xvfb non parte: $(cat "$LAVORO/xvfb.log")"
  test -s "$LAVORO/display"
}

# A private server on a display it picks itself, so parallel tests never collide; no
# reset when a client leaves, or the next one could find the display refusing connections.
avvia_x() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$LAVORO/display" >"$LAVORO/xvfb.log" 2>&1 &
  PID_X=$!
  attendi "il server X" x_pronto
  DISPLAY=":$(head -n 1 "$LAVORO/display")"
  export DISPLAY
}

# prepara_cartella <build program folder> <dest>: the program folder as the program needs
# it, so that nothing is ever written beside the build's own binary.
prepara_cartella() {
  mkdir -p "$2/Database" "$2/Studi"
  cp "$1/windara" "$2/"
  cp -r "$1/Moduli" "$2/"
  cp "$1/Database/Diametri.db" "$2/Database/"
}

# avvia_programma <folder>: started from elsewhere, as from a desktop menu.
avvia_programma() {
  (cd "$LAVORO" && exec "${AMBIENTE[@]}" "$1/windara") >"$LAVORO/programma.log" 2>&1 &
  PID_PROGRAMMA=$!
}

programma_finito() { ! kill -0 "$PID_PROGRAMMA" 2>/dev/null; }

# Waits for the program to end and keeps its exit status in STATO_PROGRAMMA.
attendi_fine() {
  attendi "la fine del programma" programma_finito
  STATO_PROGRAMMA=0
  wait "$PID_PROGRAMMA" || STATO_PROGRAMMA=$?
  PID_PROGRAMMA=""
}

# Sets TROVATA to a mapped window titled exactly so (xdotool matches regardless of case).
trova_finestra() {
  local regola id
  regola="^$(printf '%s' "$1" | sed 's/[][\.*^$()+?{}|]/\\&/g')\$"
  TROVATA=""
  for id in $(xdotool search --onlyvisible --name "$regola" 2>/dev/null); do
    if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ]; then
      TROVATA=$id
      return 0
    fi
  done
  return 1
}

# finestra <variable> <exact title>: waits for the window and stores its id.
finestra() {
  attendi "la finestra «$2»" trova_finestra "$2"
  printf -v "$1" '%s' "$TROVATA"
}

nessuna_finestra() { ! trova_finestra "$1"; }

attendi_chiusura() { attendi "la chiusura di «$1»" nessuna_finestra "$1"; }

# There is no window manager: a window gets the keyboard only when given it.
fuoco() {
  timeout "$ATTESA" xdotool windowfocus --sync "$1" || fallisci "la finestra $1 non prende il fuoco"
}

# leggi_posizioni <folder> <wire>: fills POSIZIONE[name]="x y" from the helper.
declare -A POSIZIONE
leggi_posizioni() {
  local nome x y
  while read -r nome x y; do POSIZIONE[$nome]="$x $y"; done \
    < <(timeout "$ATTESA" "${AMBIENTE[@]}" "$AIUTO" posizioni "$1" "$2" || fallisci "posizioni non lette")
  [ -n "${POSIZIONE[tabella.precedente]:-}" ] || fallisci "posizioni incomplete"
}

# clic <window> <position name>: a left click where the helper found the control.
clic() {
  # shellcheck disable=SC2086
  xdotool mousemove --window "$1" ${POSIZIONE[$2]} click 1
}

# scrivi_progetto <H> <B> <D1>: typed from the focus in H, Tab going on to B and D1; then the
# list opens on a click, and Home and Down reach the wire leggi_posizioni was given, Return
# takes it.
scrivi_progetto() {
  xdotool type --delay 20 "$1"
  xdotool key Tab
  xdotool type --delay 20 "$2"
  xdotool key Tab
  xdotool type --delay 20 "$3"
  local indice giu=() i
  read -r indice _ <<<"${POSIZIONE[bobine.filo_indice]}"
  for ((i = 0; i < indice; i++)); do giu+=(Down); done
  clic "$PRINCIPALE" bobine.filo
  xdotool key --delay 20 Home "${giu[@]}" Return
}

# The pointer out of every window: no hover highlight or tooltip in the pictures.
parcheggia_mouse() { xdotool mousemove 0 0; }

schermata() {
  timeout "$ATTESA" "${AMBIENTE[@]}" "$AIUTO" schermata "$1" "$2" || fallisci "schermata di $1 non presa"
}
