#pragma once

// Velmora's side of the platform: its message boxes, drawn with Qt Gui
// alone so that the loader needs no widget library. It asks nothing else:
// the file, input, print and browser requests answer as cancelled.

#include "platform/piattaforma.h"

#include <QImage>

class PiattaformaVelmora : public Piattaforma {
public:
    void messaggio(const QString& testo, const QString& titolo = {}) override;
    bool domanda_si_no(const QString& testo, const QString& titolo = {}) override;
    // The loader never asks a three-way question; Yes/No is all it has.
    Risposta domanda_si_no_annulla(const QString& testo, const QString& titolo = {}) override
    {
        return domanda_si_no(testo, titolo) ? Risposta::si : Risposta::no;
    }
    std::optional<QString> apri_file(const DialogoFile&) override { return std::nullopt; }
    std::optional<QString> salva_file(const DialogoFile&) override { return std::nullopt; }
    std::optional<QString> input_box(const QString&, const QString&, const QString& = {}) override
    {
        return std::nullopt;
    }
    bool stampa(const Impaginazione&) override { return false; }
    // The loader opens no window of its own beyond its message boxes.
    int esegui(QDialog&) override { return 0; }
    std::optional<FileScelto> salva_file_con_filtro(const DialogoFile&) override { return std::nullopt; }
    void apri_browser(const QString&, int, int) override {}
    void puntatore_occupato(bool occupato) override;
};

// One message box: the text over a row of buttons, the default one marked.
// Enter takes the default, Escape the last button, a click the one under the
// pointer; closing the window counts as Escape.
namespace messaggi_velmora {

struct Messaggio {
    QString titolo;
    QString testo;
    QStringList pulsanti;
    int predefinito = 0;
};

// Shows the box and waits for the user; the index of the button chosen.
int mostra(const Messaggio& m);

// The box as it is drawn (for a look without a screen).
QImage immagine(const Messaggio& m);

} // namespace messaggi_velmora
