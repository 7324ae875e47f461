#pragma once

#include "platform/piattaforma.h"

// The real dialogs of the desktop.
class PiattaformaQt : public Piattaforma {
public:
    void messaggio(const QString& testo, const QString& titolo = {}) override;
    bool domanda_si_no(const QString& testo, const QString& titolo = {}) override;
    Risposta domanda_si_no_annulla(const QString& testo, const QString& titolo = {}) override;
    std::optional<QString> apri_file(const DialogoFile& d) override;
    std::optional<QString> salva_file(const DialogoFile& d) override;
    std::optional<QString> input_box(const QString& prompt, const QString& titolo,
                                     const QString& predefinito = {}) override;
    bool stampa(const Impaginazione& disegna) override;
    std::optional<FileScelto> salva_file_con_filtro(const DialogoFile& d) override;
    void apri_browser(const QString& pagina, int larghezza, int altezza) override;
    void puntatore_occupato(bool occupato) override;
    int esegui(QDialog& finestra) override;
};
