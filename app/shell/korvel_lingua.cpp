// "? > Lingua": the user picks the language of the next start. The running
// program keeps its language (its windows are made in it); the notice says
// so in the language chosen, which is the one the user reads best.
#include "shell/korvel.h"

#include "archive/cartelle.h"
#include "common/lingua.h"
#include "platform/piattaforma.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

void KORVEL::crea_menu_lingua()
{
    dummy40->addSeparator();
    menu_lingua = dummy40->addMenu(tr("&Lingua"));
    menu_lingua->setObjectName(QStringLiteral("menu_lingua"));
    auto gruppo = new QActionGroup(menu_lingua);
    // Each language is named in itself, the same in both languages.
    lingua_italiano = menu_lingua->addAction(QStringLiteral("Italiano"));
    lingua_italiano->setObjectName(QStringLiteral("lingua_italiano"));
    lingua_english = menu_lingua->addAction(QStringLiteral("English"));
    lingua_english->setObjectName(QStringLiteral("lingua_english"));
    for (QAction* a : {lingua_italiano, lingua_english}) {
        a->setCheckable(true);
        gruppo->addAction(a);
    }
    const Lingua prossima = lingua_scelta().value_or(lingua_corrente());
    (prossima == Lingua::inglese ? lingua_english : lingua_italiano)->setChecked(true);
    menu_lingua->addSeparator();
    QAction* nota = menu_lingua->addAction(tr("La scelta vale dal prossimo avvio"));
    nota->setObjectName(QStringLiteral("lingua_nota"));
    nota->setEnabled(false);
    connect(lingua_italiano, &QAction::triggered, this, [this] { lingua_Click(false); });
    connect(lingua_english, &QAction::triggered, this, [this] { lingua_Click(true); });
}

void KORVEL::lingua_Click(bool inglese)
{
    const Lingua scelta = inglese ? Lingua::inglese : Lingua::italiano;
    salva_lingua_scelta(scelta);
    const char* testo = inglese ? QT_TRANSLATE_NOOP("KORVEL", "KOR_VEL sarà in inglese dal prossimo avvio.")
                                : QT_TRANSLATE_NOOP("KORVEL", "KOR_VEL sarà in italiano dal prossimo avvio.");
    piattaforma_.messaggio(traduci_in(scelta, cartelle().cartella_programma, "KORVEL", testo),
                           QStringLiteral("KOR_VEL"));
}
