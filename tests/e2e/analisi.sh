#!/usr/bin/env bash
# The analysis window as a person uses it, with the real program driven by keys alone: a
# design typed and a wire picked in the main window, Alt+A, Ctrl+C from the temperature
# field, whose clipboard must hold the summary and the per-layer table the core computes for
# that design; then Ctrl+Tab to the target page, a target typed, Ctrl+C from the target field,
# whose clipboard must hold the table of every catalogue wire for that target.
#   analisi.sh <build program folder> <helper>
source "$(dirname "$0")/comune.sh"
AIUTO=$2
PROGRAMMA=$LAVORO/Windara
prepara_cartella "$1" "$PROGRAMMA"

H=20 B=10 D1=10 FILO=0.5 OBIETTIVO=2
TITOLO="Analisi dell'avvolgimento"

avvia_x
leggi_posizioni "$PROGRAMMA" "$FILO"
"${AMBIENTE[@]}" "$AIUTO" riepilogo "$PROGRAMMA" "$H" "$B" "$D1" "$FILO" "$LAVORO/riepilogo.txt" ||
  fallisci "il riepilogo atteso non si calcola"
"${AMBIENTE[@]}" "$AIUTO" obiettivo "$PROGRAMMA" "$H" "$B" "$D1" "$FILO" "$OBIETTIVO" "$LAVORO/obiettivo.txt" ||
  fallisci "la tabella attesa non si calcola"

avvia_programma "$PROGRAMMA"
finestra PRINCIPALE "Windara - Versione 1.0"
fuoco "$PRINCIPALE"
scrivi_progetto "$H" "$B" "$D1"

fuoco "$PRINCIPALE"
xdotool key alt+a
finestra ANALISI "$TITOLO"
fuoco "$ANALISI"

# copiato <expected file>: Ctrl+C where the focus is, and the clipboard holds the file's text
# (the rows of a large table may still be arriving: it is asked again until they are in).
copiato() {
  xdotool key ctrl+c
  timeout "$ATTESA" "${AMBIENTE[@]}" "$AIUTO" appunti "$LAVORO/appunti.txt" &&
    cmp -s "$LAVORO/appunti.txt" "$1"
}
# The same with the rows in any order under the same header: the window sorts the wires
# that cannot reach the target by resistance too, the core by what they give.
copiato_righe() {
  xdotool key ctrl+c
  timeout "$ATTESA" "${AMBIENTE[@]}" "$AIUTO" appunti "$LAVORO/appunti.txt" &&
    [ "$(head -n 1 "$LAVORO/appunti.txt")" = "$(head -n 1 "$1")" ] &&
    cmp -s <(sort "$LAVORO/appunti.txt") <(sort "$1")
}
# The focus opens in the temperature field, where Ctrl+C would copy its own text.
attendi "il riepilogo e la tabella per strati negli appunti" copiato "$LAVORO/riepilogo.txt"
grep -q "^Induttanza (mH)	3,3283	" "$LAVORO/appunti.txt" || fallisci "il riepilogo copiato non ha le cifre delle regole"

# Ctrl+Tab opens the target page with the focus in the target field.
xdotool key ctrl+Tab
xdotool type --delay 20 "$OBIETTIVO"
attendi "la tabella del progetto da induttanza negli appunti" copiato_righe "$LAVORO/obiettivo.txt"
[ "$(wc -l <"$LAVORO/appunti.txt")" -eq 58 ] || fallisci "la tabella copiata non ha una riga per ciascuno dei 57 fili"

xdotool key ctrl+p
attendi_chiusura "$TITOLO"
fuoco "$PRINCIPALE"
clic "$PRINCIPALE" bobine.menu_esci
attendi_fine
[ "$STATO_PROGRAMMA" -eq 0 ] || fallisci "il programma è finito con lo stato $STATO_PROGRAMMA"
echo "Riepilogo e progetto da induttanza copiati come attesi"
