#!/usr/bin/env bash
# The real program started from a folder whose Database/ holds no catalogue: the error
# box titled "Windara" shows the catalogue's message naming the file and carries the
# program's icon, the main window never appears, Return dismisses the box, the program
# ends with a non-zero status and no catalogue file has been made.
#   catalogo_mancante.sh <build program folder> <helper>
source "$(dirname "$0")/comune.sh"
AIUTO=$2
PROGRAMMA=$LAVORO/Windara
prepara_cartella "$1" "$PROGRAMMA"
# The folder stays, so that a program that made the file could do it.
rm "$PROGRAMMA/Database/Diametri.db"

avvia_x
avvia_programma "$PROGRAMMA"
finestra MESSAGGIO "Windara"
parcheggia_mouse
fuoco "$MESSAGGIO"
schermata "$MESSAGGIO" "$LAVORO/mostrato.png"
nessuna_finestra "Windara - Versione 1.0" || fallisci "la finestra principale si è aperta"
command -v xprop >/dev/null || fallisci "manca xprop (scripts/setup lo installa)"
# The icon a taskbar or a title bar shows: Qt gives a window without one no icon at all.
ICONA=$(xprop -id "$MESSAGGIO" _NET_WM_ICON)
grep -q 'Icon (32 x 32)' <<<"$ICONA" || fallisci "la finestra del messaggio non porta l'icona del programma"

# xdotool cannot read a label: the box is compared with one drawn by the helper, which
# checks that the catalogue's message names the file.
timeout "$ATTESA" "${AMBIENTE[@]}" "$AIUTO" messaggio "$(cd "$PROGRAMMA" && pwd -P)" "$LAVORO/atteso.png" ||
  fallisci "il messaggio atteso non si disegna"
cmp -s "$LAVORO/mostrato.png" "$LAVORO/atteso.png" || fallisci "la finestra «Windara» non mostra il messaggio atteso"

fuoco "$MESSAGGIO"
xdotool key Return
attendi_fine
[ "$STATO_PROGRAMMA" -ne 0 ] || fallisci "il programma è finito con lo stato 0"
[ -z "$(ls -A "$PROGRAMMA/Database")" ] || fallisci "in Database/ è comparso: $(ls -A "$PROGRAMMA/Database")"
echo "Catalogo mancante: messaggio mostrato, stato $STATO_PROGRAMMA, nessun file creato"
