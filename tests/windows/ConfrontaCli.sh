#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# trivalto-cli.exe under Wine against the Linux trivalto-cli, on the archive database the Linux build
# made: analizza, costruttore and verifica print the same tables (apart from line ends), esporta the
# same bytes; importa and aggiorna (from a server on 127.0.0.1) leave archives that both programs
# read and export alike. Paths reach the Windows program with a drive letter and backslashes (one with
# forward slashes), the files of importa, esporta and aggiorna in a folder with accented letters.
# Arguments: EMULATORE EXE CLI_LINUX SORGENTI (the Linux program folder holds ArchivioLotto.mdb).
set -euo pipefail
wine="$1" exe="$2" linux="$3" sorgenti="$4"
archivio="$(dirname "$linux")/ArchivioLotto.mdb"
lavoro="$(mktemp -d)"
server=
trap '[ -z "$server" ] || kill "$server" 2>/dev/null; rm -rf "$lavoro"' EXIT
cd "$lavoro"
errori=0
# Wine hands a program its arguments, and the system its file names, decoded with the locale's
# character set: UTF-8, as the Linux program reads them.
export LC_ALL=C.UTF-8
# Ω is in no Western ANSI code page: only a program that reads and opens paths in UTF-16 finds it.
cartella="$lavoro/Città è così Ω"
mkdir "$cartella"

# Wine's drive Z: is the Linux root.
win() { local p="${1//\//\\}"; echo "Z:$p"; }
# One command on both programs; every argument "@PATH" becomes the path, in each program's own form.
esegui() {
  local nome="$1" a argl=() argw=()
  shift
  for a in "$@"; do
    if [ "${a:0:1}" = @ ]; then argl+=("${a:1}"); argw+=("$(win "${a:1}")"); else argl+=("$a"); argw+=("$a"); fi
  done
  set +e
  "$linux" "${argl[@]}" >"$nome.linux" 2>"$nome.linux.err"
  local rl=$?
  "$wine" "$exe" "${argw[@]}" 2>"$nome.win.err" | tr -d '\r' >"$nome.win"
  local rw=${PIPESTATUS[0]}
  set -e
  if [ "$rl" != "$rw" ]; then
    echo "DIVERSO $nome: stato $rl su Linux, $rw su Windows"; cat "$nome.win.err"; errori=$((errori + 1))
  elif ! cmp -s "$nome.linux" "$nome.win"; then
    echo "DIVERSO $nome:"; diff "$nome.linux" "$nome.win" | head -n 20; errori=$((errori + 1))
  elif [ "$rl" != 0 ]; then
    echo "ERRORE $nome: stato $rl"; cat "$nome.linux.err"; errori=$((errori + 1))
  else
    echo "uguale $nome ($(wc -l <"$nome.linux") righe)"
  fi
}
stessi_byte() {
  if cmp -s "$1" "$2"; then echo "uguale $1 e $2 ($(wc -c <"$1") byte)"; else
    echo "DIVERSO: $1 e $2"; errori=$((errori + 1)); fi
}

# The inputs of the expected tables the core tests keep (tests/cli/attesi).
esegui catena1 analizza --archivio "@$archivio" --combinazioni 2 --previsioni 1 --ritardi 2 --storia-terzina 1 \
  --storia-combinazione 1 --caso 2
esegui catena2 analizza --archivio "@$archivio" --riferimento 7000 --casi 30 --mensile U --forza-ultima --ruota NA \
  --posizioni 01010 --operazione distanza --trasformazione 4 --ruote-gioco TU --da-colpo 2 --colpi 15 --elenco 100 \
  --intero-periodo --combinazioni 3 --previsioni 2 --evidenzia --verifica-estesa
esegui catena3 analizza --archivio "@$archivio" --riferimento 25 --mensile 2 --casi 6 --ruota GE --posizioni 11000 \
  --operazione differenza --trasformazione 2 --ruote-gioco BA,CA,GE,NZ --combinazioni 1 --previsioni 1
for n in 1 2 3; do
  if ! cmp -s "catena$n.win" "$sorgenti/tests/cli/attesi/catena$n.txt"; then
    echo "DIVERSO catena$n dalle tabelle attese"; errori=$((errori + 1))
  fi
done
esegui costruttore costruttore --archivio "@$archivio" --elenco 200 --metodo "1,2,3;10,20,30" --controlla-tutte \
  --esiti 1 --ritardi 1 --evidenzia
esegui verifica verifica --archivio "@$archivio" --da-estrazione 7200 --a-estrazione 7370 --casi 10

for formato in dati-iii quorvex nazionale; do
  "$linux" esporta "$formato" "$lavoro/$formato.linux" --archivio "$archivio" >/dev/null || errori=$((errori + 1))
  "$wine" "$exe" esporta "$formato" "$(win "$cartella/$formato.win")" --archivio "$(win "$archivio")" 2>&1 |
    tr -d '\r' >"esporta-$formato.win" || errori=$((errori + 1))
  stessi_byte "$formato.linux" "$cartella/$formato.win"
done
# Forward slashes after the drive letter are taken, and the path is shown as the system writes it.
"$wine" "$exe" esporta nazionale "Z:${cartella}/barre.win" --archivio "$(win "$archivio")" 2>&1 |
  tr -d '\r' >esporta-barre.win || errori=$((errori + 1))
stessi_byte nazionale.linux "$cartella/barre.win"
atteso="Esportate $(wc -l <"$sorgenti/data/archivio-1939-2026.txt") estrazioni in $(win "$cartella/barre.win")"
if [ "$(cat esporta-barre.win)" != "$atteso" ]; then
  echo "DIVERSO messaggio di esporta: $(cat esporta-barre.win), atteso $atteso"; errori=$((errori + 1))
fi

# importa: all draws but the last ten, into a new archive of each program.
head -n 7360 "$sorgenti/data/archivio-1939-2026.txt" >parziale.txt
cp parziale.txt "$cartella/parziale.txt"
"$linux" importa parziale.txt --archivio "$lavoro/importato.linux.mdb" >importa.linux 2>&1 || errori=$((errori + 1))
"$wine" "$exe" importa "$(win "$cartella/parziale.txt")" --archivio "$(win "$cartella/importato.win.mdb")" 2>&1 |
  tr -d '\r' >importa.win
cmp -s importa.linux importa.win && echo "uguale importa" || { echo "DIVERSO importa"; diff importa.linux importa.win | head; errori=$((errori + 1)); }
# Each program reads the other's archive: the same file format and key on both sides.
"$linux" esporta nazionale "$lavoro/naz.da-win" --archivio "$cartella/importato.win.mdb" >/dev/null
"$wine" "$exe" esporta nazionale "$(win "$lavoro/naz.da-linux")" --archivio "$(win "$lavoro/importato.linux.mdb")" >/dev/null
stessi_byte naz.da-win naz.da-linux

# aggiorna: the whole archive text from a server on 127.0.0.1 brings the last ten draws.
mkdir sito && cp "$sorgenti/data/archivio-1939-2026.txt" sito/Estr_Agg.txt
porta=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
python3 -m http.server --bind 127.0.0.1 --directory sito "$porta" >/dev/null 2>&1 &
server=$!
for _ in $(seq 50); do python3 -c "import socket; socket.create_connection(('127.0.0.1',$porta))" 2>/dev/null && break; sleep 0.1; done
cp importato.linux.mdb aggiornato.linux.mdb
cp importato.linux.mdb "$cartella/aggiornato.win.mdb"
indirizzo="http://127.0.0.1:$porta/Estr_Agg.txt"
"$linux" aggiorna --da "$indirizzo" --applica --archivio "$lavoro/aggiornato.linux.mdb" >aggiorna.linux 2>&1 || errori=$((errori + 1))
"$wine" "$exe" aggiorna --da "$indirizzo" --applica --archivio "$(win "$cartella/aggiornato.win.mdb")" 2>&1 |
  tr -d '\r' >aggiorna.win
cmp -s aggiorna.linux aggiorna.win && echo "uguale aggiorna ($(grep -c $'\timporta' aggiorna.linux) estrazioni nuove)" ||
  { echo "DIVERSO aggiorna"; diff aggiorna.linux aggiorna.win | head; errori=$((errori + 1)); }
"$linux" esporta nazionale "$lavoro/agg.linux" --archivio "$lavoro/aggiornato.linux.mdb" >/dev/null
"$linux" esporta nazionale "$lavoro/agg.win" --archivio "$cartella/aggiornato.win.mdb" >/dev/null
"$linux" esporta nazionale "$lavoro/agg.intero" --archivio "$archivio" >/dev/null
stessi_byte agg.linux agg.win
stessi_byte agg.win agg.intero

if [ "$errori" -gt 0 ]; then
  echo "$errori differenze fra Linux e Windows"
  exit 1
fi
echo "trivalto-cli.exe sotto Wine: come su Linux"
