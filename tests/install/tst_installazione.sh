#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the layout and the
# desktop files, makes the prefix read-only and runs tst_installata on it as
# a user who cannot write it, with a home folder of its own: as a throwaway
# user created here when run as root, as the current user otherwise. Then
# checks that nothing under the prefix changed.
#
# usage: tst_installazione.sh <build folder> <tst_installata>
# Exit 77 (skipped) when a throwaway user cannot be made.
set -euo pipefail

build=$1
driver=$2
id_app=it.korvel.Korvel

radice=$(mktemp -d)
utente=""
fine() {
  if [ -n "$utente" ]; then userdel "$utente" >/dev/null 2>&1 || true; fi
  chmod -R u+w "$radice" 2>/dev/null || true
  rm -rf "$radice"
}
trap fine EXIT
fallito() { echo "FAIL: $*" >&2; exit 1; }

prefisso=$radice/prefisso
cmake --install "$build" --prefix "$prefisso" >/dev/null
programma=$prefisso/lib/korvel

# The program folder, whole; the unpacked data folder is not part of it.
for f in korvel velmora libpakova.so DatiValvole.zip SchemaCompleto.tml SchemaDiagramma.tml SchemaCompleto_en.tml SchemaDiagramma_en.tml \
         ASSENTE_img.gif "Manuale Programma KORVEL.pdf" "KORVEL Program Manual.pdf" korvel_en.qm KOR_VEL.bmp ABOUT13.bmp Schema_G.jpg; do
  [ -s "$programma/$f" ] || fallito "missing $programma/$f"
done
[ -x "$programma/korvel" ] && [ -x "$programma/velmora" ] || fallito "programs not executable"
[ ! -e "$programma/DatiValvole" ] || fallito "unpacked data folder installed"
# The launcher is a relative link, so the prefix can move.
[ -L "$prefisso/bin/korvel" ] || fallito "bin/korvel is not a link"
[ "$(readlink "$prefisso/bin/korvel")" = ../lib/korvel/korvel ] || fallito "bin/korvel points elsewhere"
[ "$(readlink -f "$prefisso/bin/korvel")" = "$(readlink -f "$programma/korvel")" ] || fallito "bin/korvel dangles"

# Desktop entry, icons at their sizes, metainfo.
desktop=$prefisso/share/applications/$id_app.desktop
desktop-file-validate "$desktop" || fallito "desktop-file-validate"
grep -qx 'Name=KOR_VEL' "$desktop" || fallito "desktop entry name"
grep -q '^Categories=.*Science;.*Electronics;' "$desktop" || fallito "desktop categories"
grep -qx "Icon=$id_app" "$desktop" || fallito "desktop icon"
appstreamcli validate --no-net "$prefisso/share/metainfo/$id_app.metainfo.xml" >/dev/null ||
  { appstreamcli validate --no-net "$prefisso/share/metainfo/$id_app.metainfo.xml" >&2 || true; fallito "appstreamcli validate"; }
for lato in 48 128 256; do
  icona=$prefisso/share/icons/hicolor/${lato}x${lato}/apps/$id_app.png
  misura=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]) if d[:8]==b"\x89PNG\r\n\x1a\n" else "")' "$icona")
  [ "$misura" = "${lato}x${lato}" ] || fallito "icon $icona is '$misura'"
done

# Read-only for everybody, readable by everybody; the test program beside it.
chmod -R a-w,a+rX "$prefisso"
chmod 755 "$radice"
istantanea() { (cd "$prefisso" && find . -printf '%p %y %m %s %T@ %l\n' | LC_ALL=C sort); }
istantanea >"$radice/prima"
mkdir "$radice/prova" "$radice/casa"
cp "$driver" "$radice/prova/tst_installata"
chmod 755 "$radice/prova" "$radice/prova/tst_installata"

# The environment of a desktop session, no more: the home folder, no
# XDG_DATA_HOME, the offscreen platform.
ambiente=(HOME="$radice/casa" PATH=/usr/bin:/bin LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen)
for v in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
  if [ -n "${!v:-}" ]; then ambiente+=("$v=${!v}"); fi
done

if [ "$(id -u)" -eq 0 ]; then
  if ! command -v useradd >/dev/null || ! command -v setpriv >/dev/null; then
    echo "SKIP: useradd or setpriv missing, no user to run the installed copy as"
    exit 77
  fi
  utente=korvel$$
  if ! useradd --no-create-home --home-dir "$radice/casa" --shell /usr/sbin/nologin --user-group "$utente"; then
    utente=""
    echo "SKIP: cannot create a throwaway user"
    exit 77
  fi
  chown "$utente:$utente" "$radice/casa"
  chmod 700 "$radice/casa"
  setpriv --reuid="$utente" --regid="$utente" --clear-groups \
    env -i "${ambiente[@]}" "$radice/prova/tst_installata" "$programma" </dev/null ||
    fallito "the installed copy as user $utente"
else
  env -i "${ambiente[@]}" "$radice/prova/tst_installata" "$programma" </dev/null ||
    fallito "the installed copy as $(id -un)"
fi

[ -f "$radice/casa/.local/share/korvel/DatiValvole/DBValvole.mdb" ] || fallito "no data in the user's folder"
istantanea >"$radice/dopo"
diff -u "$radice/prima" "$radice/dopo" || fallito "the prefix changed"
echo "installed copy: OK"
