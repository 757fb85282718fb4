#!/usr/bin/env bash
# cmake --install lays out a self-contained program folder, with a menu entry and an icon;
# a copy of the folder, elsewhere and with the original gone, starts and quits with Esci.
#   installazione.sh <cmake> <build dir> <source dir> <build program folder> <helper>
source "$(dirname "$0")/comune.sh"
CMAKE=$1 BUILD=$2 SORGENTI=$3 BIN=$4 AIUTO=$5
# Blanks in the folder name: the menu entry must quote the path, the program must not care.
DIR="$LAVORO/Programmi Windara"

"$CMAKE" --install "$BUILD" --prefix "$DIR" >"$LAVORO/install.log" || {
  cat "$LAVORO/install.log" >&2
  fallisci "cmake --install non riesce"
}

ATTESI="Database
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
cmp -s "$DIR/Database/Diametri.db" "$BIN/Database/Diametri.db" || fallisci "Diametri.db non è quello costruito"
cmp -s "$DIR/LICENSE" "$SORGENTI/LICENSE" || fallisci "LICENSE diversa"
cmp -s "$DIR/README.md" "$SORGENTI/README.md" || fallisci "README.md diverso"
cmp -s "$DIR/share/icons/hicolor/scalable/apps/windara.svg" "$SORGENTI/resources/icona-bobine.svg" ||
  fallisci "l'icona non è icona-bobine.svg"

VOCE="$DIR/share/applications/windara.desktop"
for riga in "[Desktop Entry]" "Type=Application" "Name=Windara" "Exec=\"$DIR/windara\"" "Icon=windara" \
            "Categories=Engineering;Science;Education;"; do
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
clic "$PRINCIPALE" bobine.esci
attendi_fine
[ "$STATO_PROGRAMMA" -eq 0 ] || fallisci "la copia è finita con lo stato $STATO_PROGRAMMA"
[ -z "$(ls -A "$COPIA/Studi")" ] || fallisci "Studi/ non è più vuota"
echo "Installazione in «$DIR» e copia avviata da «$COPIA»"
