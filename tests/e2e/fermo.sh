#!/usr/bin/env bash
# No figure saved that does not stand for the design on screen, with the real program driven
# by keys and clicks alone. In Studi/ lies an earlier study of another B under the name the
# design will take. H typed as 100000 stops the run at the height: Ctrl+S is refused with a
# message and Studi/ stays as it was. Started again with H 30: Ctrl+S asks before replacing
# the earlier study; Return (No, the default) keeps its bytes, Sì replaces them.
#   fermo.sh <build program folder> <helper>
source "$(dirname "$0")/comune.sh"
AIUTO=$2
PROGRAMMA=$LAVORO/Windara
prepara_cartella "$1" "$PROGRAMMA"

FILO=0.5
NOME="30x20-${FILO/./_}.txt"
avvia_x
leggi_posizioni "$PROGRAMMA" "$FILO"
"${AMBIENTE[@]}" "$AIUTO" atteso "$PROGRAMMA" 30 3.5 20 "$FILO" "$PROGRAMMA/Studi/$NOME"
cp "$PROGRAMMA/Studi/$NOME" "$LAVORO/prima.txt"
stessi_studi() {
  [ "$(ls -A "$PROGRAMMA/Studi")" = "$NOME" ] || fallisci "in Studi/ c'è altro: $(ls -A "$PROGRAMMA/Studi")"
  cmp -s "$PROGRAMMA/Studi/$NOME" "$LAVORO/prima.txt" || fallisci "lo studio di prima è cambiato ($1)"
}

avvia_programma "$PROGRAMMA"
finestra PRINCIPALE "Windara - Versione 1.0"
fuoco "$PRINCIPALE"
scrivi_progetto 100000 4.5 20

# salva_e_rispondi <what is asked>: Calcola, Ctrl+S, the box that comes is answered with
# Return, and the results window closed.
salva_e_rispondi() {
  clic "$PRINCIPALE" bobine.calcola
  finestra RISULTATI "Calcolo Induttanza"
  fuoco "$RISULTATI"
  xdotool key ctrl+s
  finestra MESSAGGIO "Windara"
  fuoco "$MESSAGGIO"
  xdotool key Return
  attendi_chiusura "Windara"
  stessi_studi "$1"
  fuoco "$RISULTATI"
  xdotool key ctrl+p
  attendi_chiusura "Calcolo Induttanza"
}
salva_e_rispondi "salvato dopo un calcolo interrotto"

fuoco "$PRINCIPALE"
clic "$PRINCIPALE" bobine.menu_esci
attendi_fine

# The same name from a design that can be computed: Return keeps the earlier study; then
# Tab and Return (Sì) replace it with the report of the design on screen.
avvia_programma "$PROGRAMMA"
finestra PRINCIPALE "Windara - Versione 1.0"
fuoco "$PRINCIPALE"
scrivi_progetto 30 4.5 20
salva_e_rispondi "sostituito con la risposta No"
clic "$PRINCIPALE" bobine.calcola
finestra RISULTATI "Calcolo Induttanza"
fuoco "$RISULTATI"
xdotool key ctrl+s
finestra MESSAGGIO "Windara"
fuoco "$MESSAGGIO"
xdotool key Tab Return
attendi_chiusura "Windara"
"${AMBIENTE[@]}" "$AIUTO" atteso "$PROGRAMMA" 30 4.5 20 "$FILO" "$LAVORO/atteso.txt"
sostituito() { cmp -s "$PROGRAMMA/Studi/$NOME" "$LAVORO/atteso.txt"; }
attendi "lo studio sostituito dopo la risposta Sì" sostituito
fuoco "$RISULTATI"
xdotool key ctrl+p
attendi_chiusura "Calcolo Induttanza"

fuoco "$PRINCIPALE"
clic "$PRINCIPALE" bobine.menu_esci
attendi_fine
[ "$STATO_PROGRAMMA" -eq 0 ] || fallisci "il programma è finito con lo stato $STATO_PROGRAMMA"
echo "Calcolo interrotto non salvato; studio diverso sostituito solo alla risposta Sì"
