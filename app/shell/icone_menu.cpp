#include "shell/icone_menu.h"

#include "archive/cartelle.h"
#include "shell/korvel.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMainWindow>
#include <QPixmap>

namespace {

int applica(QMenu* menu, const QString& caption, const QIcon& immagine)
{
    int n = 0;
    for (QAction* a : menu->actions()) {
        if (a->menu())
            n += applica(a->menu(), caption, immagine);
        if (!a->isSeparator() && a->text() == caption) {
            a->setIcon(immagine);
            ++n;
        }
    }
    return n;
}

} // namespace

int SetIconMenu(QWidget* finestra, const QAction* voce, const QIcon& immagine)
{
    auto* principale = qobject_cast<QMainWindow*>(finestra);
    if (!principale || !voce)
        return 0;
    QMenuBar* barra = principale->menuBar();
    if (!barra)
        return 0;
    int n = 0;
    for (QAction* a : barra->actions())
        if (a->menu())
            n += applica(a->menu(), voce->text(), immagine);
    if (n > 0)
        barra->update();
    return n;
}

void imposta_icone_menu(KORVEL& w)
{
    const std::pair<const QAction*, const char*> tabella[] = {
        {w.lettura_progetto, "SAVE13.bmp"},
        {w.scrittura_progetto, "OPEN13.bmp"},
        {w.funzioni_stampa->menuAction(), "PRINT13.bmp"},
        {w.funzioni_esporta->menuAction(), "SAVE13.bmp"},
        {w.import_archivio, "OPEN13.bmp"},
        {w.uscita, "EXIT13.bmp"},
        {w.load_basedati, "NEW13.bmp"},
        {w.nuova_valvola, "KOR_VEL.bmp"},
        {w.crea_zipfile, "SAVE13.bmp"},
        {w.help_cmd, "HELP13.bmp"},
        {w.about_cmd, "ABOUT13.bmp"},
    };
    for (const auto& [voce, file] : tabella) {
        QPixmap bitmap;
        if (!bitmap.load(cartelle().cartella_programma + QString::fromLatin1(file)))
            return;
        SetIconMenu(&w, voce, QIcon(bitmap));
    }
}
