#!/usr/bin/env bash
# Makes the Debian package with CPack in the build folder and checks it: the
# file name carries the project's version, the dependencies come from the
# linked libraries, the programs, the desktop entry and the icons are in it
# under /usr, and lintian finds no errors (its warnings are printed).
#
# usage: tst_pacchetto.sh <build folder> <version>
set -euo pipefail

build=$1
versione=$2
fallito() { echo "FAIL: $*" >&2; exit 1; }

cd "$build"
rm -f korvel_*.deb
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log >&2; fallito "cpack"; }
arch=$(dpkg --print-architecture)
deb=korvel_${versione}_${arch}.deb
[ -f "$deb" ] || { ls korvel_* >&2 || true; fallito "no $deb"; }

info=$(dpkg-deb --info "$deb")
echo "$info" | grep -qx " Package: korvel" || fallito "package name"
echo "$info" | grep -qx " Version: $versione" || fallito "version"
dipendenze=$(echo "$info" | sed -n 's/^ Depends: //p')
echo "Depends: $dipendenze"
# From dpkg-shlibdeps: the Qt libraries, the picture library, SQLite, and the
# zip library's minizip; and the Qt database plug-in named by hand.
for d in libc6 libqt6widgets6 libqt6sql6 libfreeimage3 libsqlite3-0 libminizip1 libqt6sql6-sqlite; do
  grep -q "\b$d\b" <<<"$dipendenze" || fallito "Depends lacks $d"
done

# Listed once: grep -q would close the pipe on dpkg-deb half-way.
elenco=$(dpkg-deb --contents "$deb")
contenuto=$(awk '{print $NF, $1}' <<<"$elenco")
c() { grep -q "^$1 " <<<"$contenuto" || fallito "package lacks $1"; }
for f in ./usr/lib/korvel/korvel ./usr/lib/korvel/velmora ./usr/lib/korvel/libpakova.so \
         ./usr/lib/korvel/DatiValvole.zip ./usr/lib/korvel/SchemaCompleto.tml ./usr/lib/korvel/SchemaCompleto_en.tml \
         "./usr/share/applications/it.korvel.Korvel.desktop" \
         ./usr/share/metainfo/it.korvel.Korvel.metainfo.xml \
         ./usr/share/icons/hicolor/48x48/apps/it.korvel.Korvel.png \
         ./usr/share/icons/hicolor/128x128/apps/it.korvel.Korvel.png \
         ./usr/share/icons/hicolor/256x256/apps/it.korvel.Korvel.png \
         ./usr/share/doc/korvel/copyright; do
  c "$f"
done
grep -q '^\./usr/lib/korvel/korvel -rwxr-xr-x' <<<"$contenuto" || fallito "korvel not executable"
grep -q ' \./usr/bin/korvel -> \.\./lib/korvel/korvel$' <<<"$elenco" || fallito "launcher link"
if grep -q 'DatiValvole/' <<<"$elenco"; then fallito "unpacked data folder packaged"; fi

if command -v lintian >/dev/null; then
  lintian --tag-display-limit 0 "$deb" >lintian.log 2>&1 || true
  cat lintian.log
  grep -q '^E: ' lintian.log && fallito "lintian errors"
fi
echo "$deb: $(stat -c %s "$deb") bytes"
