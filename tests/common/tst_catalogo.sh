#!/usr/bin/env bash
# The English catalogue covers every text of the sources: lupdate runs over
# the tree into a copy of translations/korvel_en.ts (the same command as
# tools/traduzioni.sh) and every entry of the copy must have a finished
# translation. Names each text that is new to the catalogue or unfinished,
# and each call lupdate could not read (a tr() of a variable, a context it
# cannot tell).
#
# usage: tst_catalogo.sh <source folder>
set -euo pipefail
sorgenti=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$sorgenti/translations/korvel_en.ts" "$tmp/korvel_en.ts"
"$sorgenti/tools/traduzioni.sh" "$tmp/korvel_en.ts" 2>"$tmp/avvisi" || { cat "$tmp/avvisi" >&2; exit 1; }
esito=0
if grep -i 'warning\|error' "$tmp/avvisi" >&2; then
  echo "FAIL: lupdate cannot read the calls above" >&2
  esito=1
fi
python3 - "$tmp/korvel_en.ts" <<'PY' || esito=1
import sys
import xml.etree.ElementTree as ET

mancanti = []
for contesto in ET.parse(sys.argv[1]).getroot().iter("context"):
    nome = contesto.findtext("name")
    for m in contesto.iter("message"):
        t = m.find("translation")
        tipo = t.get("type", "") if t is not None else "unfinished"
        if tipo in ("vanished", "obsolete"):
            continue
        vuota = t is None or (not (t.text or "").strip() and t.find("numerusform") is None)
        if tipo == "unfinished" or vuota:
            mancanti.append(f"{nome}: {m.findtext('source')!r}")
for riga in mancanti:
    print("not translated:", riga, file=sys.stderr)
if mancanti:
    print(f"FAIL: {len(mancanti)} texts without a finished English translation "
          "(tools/traduzioni.sh, then translate them in translations/korvel_en.ts)", file=sys.stderr)
    sys.exit(1)
PY
exit $esito
