#pragma once

// "Pagina": the pages of a data-sheet PDF as thumbnails, for picking the one
// with the plate characteristics.

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

    // The chosen page, from 0.
    int pagina() const;
    void scegli(int pagina);

    QListWidget* elenco = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* annulla = nullptr;
};
