#pragma once

// "Pagina": the pages of a data-sheet PDF as thumbnails, for picking the one
// with the plate characteristics. Every page can be reached: the thumbnails
// wrap in rows that scroll, the arrows move between them and Page Up/Down by
// a screenful, the selected one is kept in view, and OK is on only while a
// page is selected, so the window never answers a page the user did not see
// chosen.

#include "common/testo_tradotto.h"
#include <QDialog>

class Piattaforma;
class QListWidget;
class QPushButton;

namespace pagine_pdf {
class Documento;
}

class Scelta_Pagina : public QDialog {
    Q_OBJECT
public:
    static constexpr TestoTradotto titolo{"Scelta_Pagina", QT_TRANSLATE_NOOP("Scelta_Pagina", "Pagina")}; // "Pagina"

    Scelta_Pagina(Piattaforma& piattaforma, const pagine_pdf::Documento& documento, QWidget* parent = nullptr);

    // The selected page, from 0; -1 when none is.
    int pagina() const;
    void scegli(int pagina);

    QListWidget* elenco = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* annulla = nullptr;
};
