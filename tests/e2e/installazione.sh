#!/usr/bin/env bash
# cmake --install as a user meets it, in one of two ways:
#   cartella  into a folder of one's own: a self-contained program folder with its menu
#             entry and icon in its share/; a copy of the folder, elsewhere and with the
#             original gone, starts and quits with Esci.
#   sistema   the default system install (prefix /opt/windara, done as root) into a staging
#             folder (DESTDIR): Studi/ shared and sticky, the menu entry and icon under
#             /usr/local/share. A second, non-root user saves a study with the keyboard; a
#             third can neither remove nor change it, is refused when saving over it, and
#             saves a study of their own.
#   installazione.sh <cmake> <build dir> <source dir> <build program folder> <helper> <cartella|sistema>
source "$(dirname "$0")/comune.sh"
CMAKE=$1 BUILD=$2 SORGENTI=$3 BIN=$4 AIUTO=$5 MODO=$6

# verifica_programma <program folder>: what every install lays out in the program folder.
verifica_programma() {
  [ -d "$1/Studi" ] || fallisci "Studi non è una cartella"
  while read -r figura; do
    cmp -s "$1/$figura" "$SORGENTI/$figura" || fallisci "il README mostra $figura, che manca nella cartella"
  done < <(grep -o '](docs/[^)]*)' "$SORGENTI/README.md" | sed 's/^](//; s/)$//')
  [ -x "$1/windara" ] || fallisci "windara non è eseguibile"
  ! readelf -S "$1/windara" | grep -q '\.symtab' || fallisci "windara è installato con i suoi simboli"
  cmp -s "$1/Database/Diametri.db" "$BIN/Database/Diametri.db" || fallisci "Diametri.db non è quello costruito"
  cmp -s "$1/LICENSE" "$SORGENTI/LICENSE" || fallisci "LICENSE diversa"
  cmp -s "$1/README.md" "$SORGENTI/README.md" || fallisci "README.md diverso"
}

# verifica_voce <share folder> <program path as the entry must start it>
verifica_voce() {
  cmp -s "$1/icons/hicolor/scalable/apps/windara.svg" "$SORGENTI/resources/icona-bobine.svg" ||
    fallisci "l'icona non è icona-bobine.svg"
  local voce="$1/applications/windara.desktop" riga
  for riga in "[Desktop Entry]" "Type=Application" "Name=Windara" "Exec=\"$2\"" "Icon=windara" \
              "Categories=Science;Engineering;"; do
    grep -qxF -- "$riga" "$voce" || fallisci "manca «$riga» nella voce di menu"
  done
  grep -q '^Comment=.' "$voce" || fallisci "la voce di menu non ha un commento"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$voce" || fallisci "desktop-file-validate rifiuta la voce di menu"
  fi
}

# forma <folder> <expected list>: the files and folders under it, the README's pictures aside.
forma() {
  local trovati
  trovati=$(cd "$1" && find . -mindepth 1 -not -path '*/docs*' | sed 's|^\./||' | LC_ALL=C sort)
  [ "$trovati" = "$2" ] || {
    diff <(echo "$2") <(echo "$trovati") >&2 || true
    fallisci "la cartella installata non ha la forma attesa"
  }
}

installa_cartella() {
  # Blanks in the folder name: the menu entry must quote the path, the program must not care.
  local dir="$LAVORO/Programmi Windara"
  "$CMAKE" --install "$BUILD" --prefix "$dir" >"$LAVORO/install.log" || {
    cat "$LAVORO/install.log" >&2
    fallisci "cmake --install non riesce"
  }
  forma "$dir" "Database
Database/Diametri.db
LICENSE
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
  verifica_programma "$dir"
  verifica_voce "$dir/share" "$dir/windara"

  local copia="$LAVORO/altrove/Windara copia"
  mkdir -p "$LAVORO/altrove"
  cp -a "$dir" "$copia"
  rm -rf "$dir"
  avvia_x
  leggi_posizioni "$copia" 0.5
  avvia_programma "$copia"
  # The main window shows only once the copy's own catalogue has been opened.
  finestra PRINCIPALE "Windara - Versione 1.0"
  fuoco "$PRINCIPALE"
  clic "$PRINCIPALE" bobine.esci
  attendi_fine
  [ "$STATO_PROGRAMMA" -eq 0 ] || fallisci "la copia è finita con lo stato $STATO_PROGRAMMA"
  [ -z "$(ls -A "$copia/Studi")" ] || fallisci "Studi/ non è più vuota"
  echo "Installazione in «$dir» e copia avviata da «$copia»"
}

# --- The system install and its users.
COME_ROOT=()
UTENTI=()
RADICE="$LAVORO/radice"
SISTEMA="$RADICE/opt/windara"

riordina_prova() {
  local u
  for u in "${UTENTI[@]}"; do "${COME_ROOT[@]}" userdel "$u" 2>/dev/null || true; done
  # The users' files, and a root install, are not the caller's to remove.
  "${COME_ROOT[@]}" rm -rf "$RADICE" "$LAVORO"/casa-*
}

nuovo_utente() {
  local u=$1
  attendi "l'utente $u" "${COME_ROOT[@]}" useradd --no-create-home --shell /usr/sbin/nologin "$u"
  UTENTI+=("$u")
  "${COME_ROOT[@]}" install -d -o "$u" -m 700 "$LAVORO/casa-$u" "$LAVORO/casa-$u/run"
}

# come <user> <command...>: a command as that user, in the program's settings and a home of its own.
come() {
  local u=$1
  shift
  "${COME_ROOT[@]}" runuser -u "$u" -- "${AMBIENTE[@]}" HOME="$LAVORO/casa-$u" \
    XDG_RUNTIME_DIR="$LAVORO/casa-$u/run" DISPLAY="$DISPLAY" "$@"
}

avvia_come() {
  (cd / && come "$1" "$SISTEMA/windara") >"$LAVORO/programma-$1.log" 2>&1 &
  PID_PROGRAMMA=$!
}

# studio <user> <D1>: with the installed program, H 30, B 4.5 and that D1 typed from the
# keyboard, Calcola, Ctrl+S; with a third argument the save must be refused with a message.
studio() {
  local u=$1 d1=$2 rifiutato=${3:-}
  avvia_come "$u"
  finestra PRINCIPALE "Windara - Versione 1.0"
  fuoco "$PRINCIPALE"
  xdotool type --delay 20 30
  xdotool key Tab
  xdotool type --delay 20 4.5
  xdotool key Tab
  xdotool type --delay 20 "$d1"
  clic "$PRINCIPALE" bobine.calcola
  finestra RISULTATI "Calcolo Induttanza"
  fuoco "$RISULTATI"
  xdotool key ctrl+s
  if [ -n "$rifiutato" ]; then
    finestra MESSAGGIO "Windara"
    fuoco "$MESSAGGIO"
    xdotool key Return
    attendi_chiusura "Windara"
    fuoco "$RISULTATI"
  else
    attendi "lo studio di $u" test -f "$SISTEMA/Studi/30x$d1-0_05.txt"
  fi
  xdotool key ctrl+p
  attendi_chiusura "Calcolo Induttanza"
  fuoco "$PRINCIPALE"
  clic "$PRINCIPALE" bobine.menu_esci
  attendi_fine
  [ "$STATO_PROGRAMMA" -eq 0 ] || fallisci "il programma di $u è finito con lo stato $STATO_PROGRAMMA"
}

installa_sistema() {
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
      COME_ROOT=(sudo -n)
    else
      echo "SALTATO: l'installazione di sistema va fatta da root, e qui non c'è sudo senza password"
      exit 77
    fi
  fi
  "${COME_ROOT[@]}" env DESTDIR="$RADICE" "$CMAKE" --install "$BUILD" --prefix /opt/windara \
    >"$LAVORO/install.log" || {
    cat "$LAVORO/install.log" >&2
    fallisci "cmake --install non riesce"
  }
  # The build's own list of what was installed stays the caller's.
  "${COME_ROOT[@]}" chown "$(id -u):$(id -g)" "$BUILD/install_manifest.txt"
  forma "$RADICE" "opt
opt/windara
opt/windara/Database
opt/windara/Database/Diametri.db
opt/windara/LICENSE
opt/windara/README.md
opt/windara/Studi
opt/windara/windara
usr
usr/local
usr/local/share
usr/local/share/applications
usr/local/share/applications/windara.desktop
usr/local/share/icons
usr/local/share/icons/hicolor
usr/local/share/icons/hicolor/scalable
usr/local/share/icons/hicolor/scalable/apps
usr/local/share/icons/hicolor/scalable/apps/windara.svg"
  verifica_programma "$SISTEMA"
  verifica_voce "$RADICE/usr/local/share" /opt/windara/windara
  [ "$(stat -c '%a %U' "$SISTEMA/Studi")" = "1777 root" ] ||
    fallisci "Studi/ è $(stat -c '%a %U' "$SISTEMA/Studi"), non 1777 di root"
  grep -qxF /usr/local/share/applications/windara.desktop "$BUILD/install_manifest.txt" ||
    fallisci "install_manifest.txt non nomina la voce di menu come sarà installata"

  # Other users reach the staging folder, as they would /opt.
  chmod 711 "$LAVORO"
  local primo="wnd$$${RANDOM}a" secondo="wnd$$${RANDOM}b"
  nuovo_utente "$primo"
  nuovo_utente "$secondo"
  avvia_x
  leggi_posizioni "$SISTEMA" 0.05

  local nome="$SISTEMA/Studi/30x20-0_05.txt"
  studio "$primo" 20
  [ "$(stat -c '%U %a' "$nome")" = "$primo 644" ] ||
    fallisci "lo studio è $(stat -c '%U %a' "$nome"), non di $primo 644"
  cp "$nome" "$LAVORO/salvato"

  ! come "$secondo" rm -f "$nome" 2>/dev/null || fallisci "$secondo ha cancellato lo studio di $primo"
  ! come "$secondo" mv "$nome" "$nome.via" 2>/dev/null || fallisci "$secondo ha spostato lo studio di $primo"
  ! come "$secondo" sh -c "echo x >>'$nome'" 2>/dev/null || fallisci "$secondo ha scritto nello studio di $primo"
  studio "$secondo" 20 rifiutato
  cmp -s "$nome" "$LAVORO/salvato" || fallisci "lo studio di $primo è cambiato"
  [ "$(stat -c %U "$nome")" = "$primo" ] || fallisci "lo studio di $primo ha cambiato proprietario"
  studio "$secondo" 21
  [ "$(stat -c %U "$SISTEMA/Studi/30x21-0_05.txt")" = "$secondo" ] || fallisci "lo studio di $secondo non è suo"
  echo "Installazione di sistema: $primo e $secondo salvano, nessuno tocca lo studio dell'altro"
}

case "$MODO" in
  cartella) installa_cartella ;;
  sistema) installa_sistema ;;
  *) fallisci "modo sconosciuto: $MODO" ;;
esac
