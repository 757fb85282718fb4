#!/usr/bin/env bash
# The Debian package: CPack packs the build's program targets as the package target does,
# lintian finds no error, and the package holds the program folder in /opt/windara (Studi/
# writable by all and sticky), the menu entry and icon in /usr/share and nothing in
# /usr/local. Extracted with dpkg-deb -x into a folder of its own, the program starts from
# there, opens the analysis from its own Moduli/ and saves the study that its report text
# says, byte for byte.
#   pacchetto.sh <cpack> <build dir> <helper>
source "$(dirname "$0")/comune.sh"
CPACK=$1 BUILD=$2 AIUTO=$3

for comando in lintian dpkg-shlibdeps file; do
  command -v "$comando" >/dev/null ||
    { echo "SALTATO: manca $comando (WINDARA_PACCHETTO=1 scripts/setup, scripts/test o scripts/pacchetto lo installano)"; exit 77; }
done

# As the package target does, but into the test's folder; the build is up to date, so CPack's
# build of every target before it packs finds nothing to do.
"$CPACK" --config "$BUILD/CPackConfig.cmake" -B "$LAVORO/pacchetto" >"$LAVORO/cpack.log" 2>&1 ||
  { cat "$LAVORO/cpack.log" >&2; fallisci "cpack non riesce"; }
PACCHETTI=("$LAVORO"/pacchetto/windara_*_amd64.deb)
[ ${#PACCHETTI[@]} -eq 1 ] && [ -f "${PACCHETTI[0]}" ] || fallisci "cpack non fa windara_<versione>_amd64.deb: ${PACCHETTI[*]}"
DEB=${PACCHETTI[0]}
[ "$(basename "$DEB")" = "windara_$(dpkg-deb -f "$DEB" Version)_amd64.deb" ] || fallisci "nome $(basename "$DEB")"

# Lintian reads its overrides from the package; any error or warning that remains fails.
lintian --fail-on error,warning --info "$DEB" >"$LAVORO/lintian.log" 2>&1 || {
  cat "$LAVORO/lintian.log" >&2
  fallisci "lintian trova errori in $(basename "$DEB")"
}
cat "$LAVORO/lintian.log"

for campo in Package Maintainer Description Depends; do
  [ -n "$(dpkg-deb -f "$DEB" "$campo")" ] || fallisci "il pacchetto non ha il campo $campo"
done
[ "$(dpkg-deb -f "$DEB" Package)" = windara ] || fallisci "il pacchetto non si chiama windara"
# dpkg-shlibdeps names what the binaries link; the SQLite driver, a plug-in, is named by hand.
DIPENDE=$(dpkg-deb -f "$DEB" Depends)
for dipendenza in libc6 libqt6widgets6 libqt6charts6 libqt6printsupport6 libqt6sql6-sqlite; do
  [[ ",$DIPENDE," =~ [,\ ]$dipendenza[\ ,] ]] || fallisci "Depends non nomina $dipendenza: $DIPENDE"
done

ELENCO=$(dpkg-deb -c "$DEB")
grep -qE '^drwxrwxrwt root/root .* \./opt/windara/Studi/$' <<<"$ELENCO" ||
  fallisci "Studi/ non è 1777 di root: $(grep Studi <<<"$ELENCO")"
! grep -q ' \./usr/local' <<<"$ELENCO" || fallisci "il pacchetto scrive in /usr/local"
RADICE="$LAVORO/radice"
dpkg-deb -x "$DEB" "$RADICE"
ATTESI="opt/windara/Database/Diametri.db
opt/windara/LICENSE
opt/windara/Moduli/libwindara_analisi.so
opt/windara/Moduli/libwindara_stampa.so
opt/windara/README.md
opt/windara/windara
usr/share/applications/windara.desktop
usr/share/doc/windara/changelog.gz
usr/share/doc/windara/copyright
usr/share/icons/hicolor/scalable/apps/windara.svg
usr/share/lintian/overrides/windara"
TROVATI=$(cd "$RADICE" && find . -type f -not -path './opt/windara/docs/*' | sed 's|^\./||' | LC_ALL=C sort)
[ "$TROVATI" = "$ATTESI" ] || {
  diff <(echo "$ATTESI") <(echo "$TROVATI") >&2 || true
  fallisci "il pacchetto non ha i file attesi"
}
[ -d "$RADICE/opt/windara/Studi" ] && [ -z "$(ls -A "$RADICE/opt/windara/Studi")" ] || fallisci "Studi/ non è una cartella vuota"
VOCE="$RADICE/usr/share/applications/windara.desktop"
grep -qxF 'Exec=/opt/windara/windara' "$VOCE" || fallisci "la voce di menu non avvia /opt/windara/windara"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$VOCE" || fallisci "desktop-file-validate rifiuta la voce di menu"
fi
# Qt from the system's library folders, the modules from the program's own folder.
! readelf -d "$RADICE/opt/windara/windara" | grep -qE 'RPATH|RUNPATH' || fallisci "windara ha un RPATH"

PROGRAMMA="$RADICE/opt/windara"
H=30 B=4.5 D1=20 FILO=0.5
NOME="${H}x${D1}-${FILO/./_}.txt"
avvia_x
leggi_posizioni "$PROGRAMMA" "$FILO"
"${AMBIENTE[@]}" "$AIUTO" atteso "$PROGRAMMA" "$H" "$B" "$D1" "$FILO" "$LAVORO/atteso-prima.txt"
avvia_programma "$PROGRAMMA"
finestra PRINCIPALE "Windara - Versione 1.0"
fuoco "$PRINCIPALE"
scrivi_progetto "$H" "$B" "$D1"
xdotool key alt+a
finestra ANALISI "Analisi dell'avvolgimento"
fuoco "$ANALISI"
xdotool key ctrl+p
attendi_chiusura "Analisi dell'avvolgimento"
fuoco "$PRINCIPALE"
clic "$PRINCIPALE" bobine.calcola
finestra RISULTATI "Calcolo Induttanza"
fuoco "$RISULTATI"
xdotool key ctrl+s
attendi "il file Studi/$NOME del pacchetto" test -f "$PROGRAMMA/Studi/$NOME"
xdotool key ctrl+p
attendi_chiusura "Calcolo Induttanza"
fuoco "$PRINCIPALE"
clic "$PRINCIPALE" bobine.menu_esci
attendi_fine
[ "$STATO_PROGRAMMA" -eq 0 ] || fallisci "il programma del pacchetto è finito con lo stato $STATO_PROGRAMMA"
"${AMBIENTE[@]}" "$AIUTO" atteso "$PROGRAMMA" "$H" "$B" "$D1" "$FILO" "$LAVORO/atteso-dopo.txt"
cmp -s "$PROGRAMMA/Studi/$NOME" "$LAVORO/atteso-prima.txt" || cmp -s "$PROGRAMMA/Studi/$NOME" "$LAVORO/atteso-dopo.txt" ||
  fallisci "lo studio salvato dal pacchetto non è il testo atteso"
echo "Pacchetto $(basename "$DEB"): lintian senza errori, il programma estratto salva $NOME"
