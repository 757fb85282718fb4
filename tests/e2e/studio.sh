#!/usr/bin/env bash
# A study as a person makes it, with the real program driven by keys and clicks alone:
# H, B and D1 typed, a wire picked from the list, Calcola, Ctrl+S, Ctrl+P, the wire table
# sorted descending and ascending and closed, Esci from the menu. The report that lands
# in Studi/ must be, byte for byte, the report text of the same design; the program must
# end with status 0.
#   studio.sh <build program folder> <helper>
source "$(dirname "$0")/comune.sh"
AIUTO=$2
PROGRAMMA=$LAVORO/Windara
prepara_cartella "$1" "$PROGRAMMA"

H=30 B=4.5 D1=20 FILO=0.5
NOME="${H}x${D1}-${FILO/./_}.txt"
TABELLA="Tabella riassuntiva diametri fili di rame"

avvia_x
leggi_posizioni "$PROGRAMMA" "$FILO"
# The date of the report is the day of the save: the expected bytes from before and after
# the run cover a save at midnight.
"${AMBIENTE[@]}" "$AIUTO" atteso "$PROGRAMMA" "$H" "$B" "$D1" "$FILO" "$LAVORO/atteso-prima.txt"

avvia_programma "$PROGRAMMA"
finestra PRINCIPALE "Windara - Versione 1.0"
fuoco "$PRINCIPALE"
scrivi_progetto "$H" "$B" "$D1"

clic "$PRINCIPALE" bobine.calcola
finestra RISULTATI "Calcolo Induttanza"
fuoco "$RISULTATI"
xdotool key ctrl+s
attendi "il file Studi/$NOME" test -f "$PROGRAMMA/Studi/$NOME"
xdotool key ctrl+p
attendi_chiusura "Calcolo Induttanza"

fuoco "$PRINCIPALE"
clic "$PRINCIPALE" bobine.visualizza
finestra FILI "$TABELLA"
parcheggia_mouse
fuoco "$FILI"
schermata "$FILI" "$LAVORO/crescente.png"
xdotool key ctrl+d
cambiata() {
  schermata "$FILI" "$LAVORO/ora.png"
  ! cmp -s "$LAVORO/ora.png" "$LAVORO/crescente.png"
}
attendi "la tabella in ordine decrescente" cambiata
xdotool key ctrl+t
tornata() {
  schermata "$FILI" "$LAVORO/ora.png"
  cmp -s "$LAVORO/ora.png" "$LAVORO/crescente.png"
}
attendi "la tabella di nuovo in ordine crescente, come all'apertura" tornata
clic "$FILI" tabella.precedente
attendi_chiusura "$TABELLA"

fuoco "$PRINCIPALE"
clic "$PRINCIPALE" bobine.menu_esci
attendi_fine
[ "$STATO_PROGRAMMA" -eq 0 ] || fallisci "il programma è finito con lo stato $STATO_PROGRAMMA"

"${AMBIENTE[@]}" "$AIUTO" atteso "$PROGRAMMA" "$H" "$B" "$D1" "$FILO" "$LAVORO/atteso-dopo.txt"
[ "$(ls -A "$PROGRAMMA/Studi")" = "$NOME" ] || fallisci "in Studi/ c'è altro: $(ls -A "$PROGRAMMA/Studi")"
if ! cmp -s "$PROGRAMMA/Studi/$NOME" "$LAVORO/atteso-prima.txt" &&
   ! cmp -s "$PROGRAMMA/Studi/$NOME" "$LAVORO/atteso-dopo.txt"; then
  diff <(cat -A "$LAVORO/atteso-dopo.txt") <(cat -A "$PROGRAMMA/Studi/$NOME") >&2 || true
  fallisci "lo studio salvato non è il testo atteso"
fi
echo "Studio $NOME salvato come atteso"
