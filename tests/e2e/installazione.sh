#!/usr/bin/env bash
# cmake --install lays out a self-contained program folder, with a menu entry and an icon;
# a copy of the folder, elsewhere and with the original gone, starts and quits with Esci.
# With "sistema": the default install (/opt/windara, by root) into a staging folder
# (DESTDIR), from which a non-root user saves a study that a second one can neither remove
# nor change nor save over, while saving one of their own.
#   installazione.sh <cmake> <build dir> <source dir> <build program folder> <helper> [sistema]
source "$(dirname "$0")/comune.sh"
CMAKE=$1 BUILD=$2 SORGENTI=$3 BIN=$4 AIUTO=$5

if [ "${6:-}" = sistema ]; then
  COME_ROOT=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null || { echo "SALTATO: l'installazione di sistema vuole root o sudo senza password"; exit 77; }
    COME_ROOT=(sudo -n)
  fi
  RADICE="$LAVORO/radice" SISTEMA="$LAVORO/radice/opt/windara" UTENTI=()
  riordina_prova() {
    wait || true
    for u in "${UTENTI[@]}"; do "${COME_ROOT[@]}" userdel -f "$u" || true; done
    # The users' files and the root install are not the caller's to remove.
    "${COME_ROOT[@]}" rm -rf "$RADICE" "$LAVORO"/casa-*
  }
  "${COME_ROOT[@]}" env DESTDIR="$RADICE" "$CMAKE" --install "$BUILD" --prefix /opt/windara >"$LAVORO/install.log" ||
    fallisci "cmake --install non riesce: $(cat "$LAVORO/install.log")"
  "${COME_ROOT[@]}" chown "$(id -u):$(id -g)" "$BUILD/install_manifest.txt"
  [ -f "$RADICE/usr/local/share/icons/hicolor/scalable/apps/windara.svg" ] || fallisci "manca l'icona in /usr/local"
  [ ! -e "$SISTEMA/share" ] || fallisci "la voce di menu è in /opt/windara/share, dove il desktop non guarda"
  grep -qxF 'Exec="/opt/windara/windara"' "$RADICE/usr/local/share/applications/windara.desktop" ||
    fallisci "la voce di menu non avvia /opt/windara/windara"
  grep -qxF /usr/local/share/applications/windara.desktop "$BUILD/install_manifest.txt" ||
    fallisci "install_manifest.txt non nomina la voce di menu come sarà installata"
  [ "$(stat -c '%a %U' "$SISTEMA/Studi")" = "1777 root" ] || fallisci "Studi/ è $(stat -c '%a %U' "$SISTEMA/Studi")"
  ! readelf -S "$SISTEMA/windara" | grep -q '\.symtab' || fallisci "windara è installato con i suoi simboli"

  # Other users reach the staging folder, as they would /opt.
  chmod 711 "$LAVORO"
  for u in "wnd$$${RANDOM}a" "wnd$$${RANDOM}b"; do
    attendi "l'utente $u" "${COME_ROOT[@]}" useradd --no-create-home --shell /usr/sbin/nologin "$u"
    UTENTI+=("$u")
    "${COME_ROOT[@]}" install -d -o "$u" -m 700 "$LAVORO/casa-$u"
  done
  PRIMO=${UTENTI[0]} SECONDO=${UTENTI[1]} STUDIO="$SISTEMA/Studi/30x20-0_05.txt"
  come() {
    local u=$1
    shift
    "${COME_ROOT[@]}" runuser -u "$u" -- "${AMBIENTE[@]}" HOME="$LAVORO/casa-$u" XDG_RUNTIME_DIR="$LAVORO/casa-$u" \
      DISPLAY="$DISPLAY" "$@"
  }
  # studio <user> <D1> [rifiutato]: H 30, B 4.5 and D1 typed, Calcola, Ctrl+S, and back out
  # with Ctrl+P and Esci; a refused save shows an error box, dismissed with Return.
  studio() {
    (cd / && come "$1" "$SISTEMA/windara") >"$LAVORO/programma.log" 2>&1 &
    PID_PROGRAMMA=$!
    finestra PRINCIPALE "Windara - Versione 1.0"
    fuoco "$PRINCIPALE"
    xdotool type --delay 20 $'30\t4.5\t'"$2" # a tab types Tab, from H to B to D1
    clic "$PRINCIPALE" bobine.calcola
    finestra RISULTATI "Calcolo Induttanza"
    fuoco "$RISULTATI"
    xdotool key ctrl+s
    if [ -n "${3:-}" ]; then
      finestra MESSAGGIO "Windara"
      fuoco "$MESSAGGIO"
      xdotool key Return
      attendi_chiusura "Windara"
      fuoco "$RISULTATI"
    fi
    attendi "lo studio di $1" test -f "$SISTEMA/Studi/30x$2-0_05.txt"
    xdotool key ctrl+p
    attendi_chiusura "Calcolo Induttanza"
    fuoco "$PRINCIPALE"
    clic "$PRINCIPALE" bobine.menu_esci
    attendi_fine
    [ "$STATO_PROGRAMMA" -eq 0 ] || fallisci "il programma di $1 è finito con lo stato $STATO_PROGRAMMA"
  }
  avvia_x
  leggi_posizioni "$SISTEMA" 0.05
  come "$PRIMO" test -x "$SISTEMA/windara" ||
    fallisci "$PRIMO non raggiunge $SISTEMA: una cartella sopra $LAVORO è chiusa agli altri utenti (TMPDIR?)"
  studio "$PRIMO" 20
  [ "$(stat -c '%U %a' "$STUDIO")" = "$PRIMO 644" ] || fallisci "lo studio è $(stat -c '%U %a' "$STUDIO")"
  cp "$STUDIO" "$LAVORO/salvato"
  ! come "$SECONDO" rm -f "$STUDIO" 2>/dev/null || fallisci "$SECONDO ha cancellato lo studio di $PRIMO"
  ! come "$SECONDO" sh -c "echo >>'$STUDIO'" 2>/dev/null || fallisci "$SECONDO ha scritto nello studio di $PRIMO"
  studio "$SECONDO" 20 rifiutato
  cmp -s "$STUDIO" "$LAVORO/salvato" && [ "$(stat -c %U "$STUDIO")" = "$PRIMO" ] ||
    fallisci "lo studio di $PRIMO è cambiato"
  studio "$SECONDO" 21
  [ "$(stat -c %U "$SISTEMA/Studi/30x21-0_05.txt")" = "$SECONDO" ] || fallisci "lo studio di $SECONDO non è suo"
  echo "Installazione di sistema: $PRIMO e $SECONDO salvano, nessuno tocca lo studio dell'altro"
  exit 0
fi
# Blanks in the folder name: the menu entry must quote the path, the program must not care.
DIR="$LAVORO/Programmi Windara"

"$CMAKE" --install "$BUILD" --prefix "$DIR" >"$LAVORO/install.log" || {
  cat "$LAVORO/install.log" >&2
  fallisci "cmake --install non riesce"
}

ATTESI="Database
Database/Diametri.db
LICENSE
Moduli
Moduli/libwindara_analisi.so
Moduli/libwindara_stampa.so
README.md
Studi
share
share/applications
share/applications/windara.desktop
share/icons
share/icons/hicolor
share/icons/hicolor/scalable
share/icons/hicolor/scalable/apps
share/icons/hicolor/scalable/apps/windara.svg
windara"
# docs/ holds what the README shows, checked below against the README itself.
TROVATI=$(cd "$DIR" && find . -mindepth 1 -not -path './docs*' | sed 's|^\./||' | LC_ALL=C sort)
[ "$TROVATI" = "$ATTESI" ] || {
  diff <(echo "$ATTESI") <(echo "$TROVATI") >&2 || true
  fallisci "la cartella installata non ha la forma attesa"
}
[ -d "$DIR/Studi" ] || fallisci "Studi non è una cartella"
while read -r figura; do
  cmp -s "$DIR/$figura" "$SORGENTI/$figura" || fallisci "il README mostra $figura, che manca nella cartella"
done < <(grep -o '](docs/[^)]*)' "$SORGENTI/README.md" | sed 's/^](//; s/)$//')
[ -x "$DIR/windara" ] || fallisci "windara non è eseguibile"
for binario in windara Moduli/libwindara_analisi.so Moduli/libwindara_stampa.so; do
  ! readelf -S "$DIR/$binario" | grep -q '\.symtab' || fallisci "$binario è installato con i suoi simboli"
done
cmp -s "$DIR/Database/Diametri.db" "$BIN/Database/Diametri.db" || fallisci "Diametri.db non è quello costruito"
cmp -s "$DIR/LICENSE" "$SORGENTI/LICENSE" || fallisci "LICENSE diversa"
cmp -s "$DIR/README.md" "$SORGENTI/README.md" || fallisci "README.md diverso"
cmp -s "$DIR/share/icons/hicolor/scalable/apps/windara.svg" "$SORGENTI/resources/icona-bobine.svg" ||
  fallisci "l'icona non è icona-bobine.svg"

VOCE="$DIR/share/applications/windara.desktop"
for riga in "[Desktop Entry]" "Type=Application" "Name=Windara" "Exec=\"$DIR/windara\"" "Icon=windara" \
            "Categories=Science;Engineering;"; do
  grep -qxF -- "$riga" "$VOCE" || fallisci "manca «$riga» nella voce di menu"
done
grep -q '^Comment=.' "$VOCE" || fallisci "la voce di menu non ha un commento"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$VOCE" || fallisci "desktop-file-validate rifiuta la voce di menu"
fi

COPIA="$LAVORO/altrove/Windara copia"
mkdir -p "$LAVORO/altrove"
cp -a "$DIR" "$COPIA"
rm -rf "$DIR"

avvia_x
leggi_posizioni "$COPIA" 0.5
avvia_programma "$COPIA"
# The main window shows only once the copy's own catalogue has been opened.
finestra PRINCIPALE "Windara - Versione 1.0"
fuoco "$PRINCIPALE"
# The analysis window comes from the copy's own Moduli/.
scrivi_progetto 20 10 10
xdotool key alt+a
finestra ANALISI "Analisi dell'avvolgimento"
fuoco "$ANALISI"
xdotool key ctrl+p
attendi_chiusura "Analisi dell'avvolgimento"
fuoco "$PRINCIPALE"
clic "$PRINCIPALE" bobine.esci
attendi_fine
[ "$STATO_PROGRAMMA" -eq 0 ] || fallisci "la copia è finita con lo stato $STATO_PROGRAMMA"
[ -z "$(ls -A "$COPIA/Studi")" ] || fallisci "Studi/ non è più vuota"
echo "Installazione in «$DIR» e copia avviata da «$COPIA»"
