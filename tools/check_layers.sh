#!/usr/bin/env bash
# The layer line, checked two ways in a few seconds:
#  1. a source file compiled with a core file's own flags (taken from the
#     build's compile commands) fails as soon as it includes a widget header,
#     and builds without it: the widget headers are not on the core's path;
#  2. no file of the widget-free layers (app/<subsystem>/ outside shell/ and
#     ui/) names a Qt Widgets or Qt Print Support header at all, not even
#     through a module path;
#  3. Velmora shows Qt's own message boxes through the real platform's
#     library and never links the main program's windows (korvel_ui).
# Usage: tools/check_layers.sh [build folder] (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
comandi="$build/compile_commands.json"
[ -f "$comandi" ] || { echo "layers: $comandi missing (configure the build first)"; exit 1; }

# Every file of the widget-free layers, as the libraries glob them.
mapfile -t liberi < <(find app -mindepth 2 \( -name '*.cpp' -o -name '*.h' \) \
  -not -path 'app/shell/*' -not -path 'app/*/ui/*' | sort)
[ "${#liberi[@]}" -gt 0 ] || { echo "layers: no core file found"; exit 1; }

# --- 1. the compiler refuses a widget header in the core -------------------
campione=app/chart/grafico.cpp
comando=$(python3 - "$comandi" "$PWD/$campione" <<'PY'
import json, shlex, sys
for c in json.load(open(sys.argv[1])):
    if c["file"] == sys.argv[2]:
        args = c.get("arguments") or shlex.split(c["command"])
        # Keep the compiler and its flags; drop the output, the dependency
        # file options and the source.
        out, salta = [], False
        for a in args:
            if salta:
                salta = False
                continue
            if a in ("-o", "-MF", "-MT", "-MQ", "-c"):
                salta = a != "-c"
                continue
            if a in ("-MD", "-MMD") or a == c["file"]:
                continue
            out.append(a)
        # No compiler cache in front: the probe must really compile.
        if out and out[0].endswith("ccache"):
            out = out[1:]
        print(shlex.join(out))
        break
PY
)
[ -n "$comando" ] || { echo "layers: no compile command for $campione"; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cat > "$tmp/sonda_senza.cpp" <<'CPP'
#include "chart/grafico.h"
int sonda() { return 0; }
CPP
cat > "$tmp/sonda_widget.cpp" <<'CPP'
#include "chart/grafico.h"
#include <QWidget>
int sonda() { return sizeof(QWidget); }
CPP

cd "$build"
# shellcheck disable=SC2086
if ! eval "$comando -fsyntax-only $tmp/sonda_senza.cpp" 2>"$tmp/senza.log"; then
  echo "layers: the probe does not build even without a widget header:"
  cat "$tmp/senza.log"
  exit 1
fi
# shellcheck disable=SC2086
if eval "$comando -fsyntax-only $tmp/sonda_widget.cpp" 2>"$tmp/widget.log"; then
  echo "layers: a core file including <QWidget> built; the core must not see Qt Widgets"
  exit 1
fi
grep -q "QWidget" "$tmp/widget.log" || { echo "layers: the probe failed for another reason:"; cat "$tmp/widget.log"; exit 1; }
cd - >/dev/null

# --- 2. no widget header named in a widget-free file ------------------------
# The names of the Qt Widgets and Print Support headers, from Qt itself.
qt=$(sed -n 's/.*-isystem \([^ ]*\/qt6\) .*/\1/p' <<<"$comando" | head -n 1)
[ -d "$qt/QtWidgets" ] || qt=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
nomi=$( (ls "$qt/QtWidgets"; ls "$qt/QtPrintSupport") | grep -E '^Q[A-Za-z]+$' | sort -u | paste -sd'|')
trovati=$(grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]((QtWidgets|QtPrintSupport)(/[A-Za-z_.]+)?|($nomi))[>\"]" "${liberi[@]}" || true)
if [ -n "$trovati" ]; then
  echo "layers: widget headers in widget-free files (move the file into a ui/ folder):"
  echo "$trovati"
  exit 1
fi
# --- 3. Velmora links the real platform, not the main program's windows ----
# The link line of the program as the build runs it.
collega=$(ninja -C "$build" -t commands velmora 2>/dev/null | grep -E -- "-o dist/velmora( |$)" | tail -n 1 || true)
[ -n "$collega" ] || { echo "layers: no link command for velmora in $build (a Ninja build is needed)"; exit 1; }
if grep -q "libkorvel_ui\.a" <<<"$collega"; then
  echo "layers: velmora links korvel_ui; it may show Qt's message boxes, not the main program's windows"
  exit 1
fi
grep -q "libkorvel_piattaforma_qt\.a" <<<"$collega" ||
  { echo "layers: velmora does not link the real platform (korvel_piattaforma_qt)"; exit 1; }

echo "layers: ${#liberi[@]} widget-free files, none sees Qt Widgets; velmora links no korvel_ui"
