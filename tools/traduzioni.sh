#!/usr/bin/env bash
# Brings the English catalogue up to date with the texts in the sources:
# new texts come in unfinished (to be translated in Qt Linguist or by hand),
# texts no longer in the code go. No line numbers are kept, so that two
# branches touching the same file do not clash in the catalogue over them.
#
# usage: tools/traduzioni.sh [catalogue]   (default translations/korvel_en.ts)
set -euo pipefail
cd "$(dirname "$0")/.."
catalogo=${1:-translations/korvel_en.ts}
lupdate=${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
[ -x "$lupdate" ] || { echo "traduzioni: lupdate not found (tools/setup.sh installs qt6-l10n-tools)" >&2; exit 1; }
"$lupdate" -silent -recursive -extensions cpp,h -locations none -no-obsolete \
  -source-language it -target-language en \
  app loader -ts "$catalogo"
