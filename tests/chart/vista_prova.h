#pragma once

// A plain stand-in for the main window's fields, for the engine's own unit
// tests: texts in a map, legends and menu states in members. Setting the
// text of r_anodica raises its change handler as the real field does.

#include "chart/grafico.h"
#include "chart/vista_grafico.h"

#include <QMap>

#include <functional>
#include <utility>

class VistaProva : public VistaGrafico {
public:
    Grafico* grafico = nullptr;
    QMap<Campo, QString> testi;
    struct Aspetto {
        QColor sfondo;
        QString caption;
    };
    QMap<Legenda, Aspetto> legende;
    Legenda selezionata = Legenda::retta;
    bool cancella[4] = {false, false, false, false};
    bool bloccata = false;
    QString caption_traccia = QStringLiteral("Traccia Potenza MAX.");
    int aggiornamenti = 0;
    // The user's side of the next recalculation dialog, used once: gets the
    // chart state as the dialog would show it and writes the answer into it.
    // Without one, the dialog counts as cancelled.
    std::function<void(StatoGrafico&)> risposta_ricalcolo;
    int richieste_ricalcolo = 0;

    QString testo(Campo campo) const override { return testi.value(campo); }
    void imposta_testo(Campo campo, const QString& t) override
    {
        const bool cambiato = testi.value(campo) != t;
        testi[campo] = t;
        if (cambiato && campo == Campo::r_anodica && grafico)
            grafico->r_anodica_Change();
    }
    void imposta_legenda(Legenda l, const QColor& sfondo, const QString& caption) override
    {
        legende[l] = {sfondo, caption};
    }
    QColor sfondo_legenda(Legenda l) const override { return legende.value(l).sfondo; }
    QString caption_legenda(Legenda l) const override { return legende.value(l).caption; }
    Legenda legenda_selezionata() const override { return selezionata; }
    void abilita_cancella(int indice, bool abilitato) override
    {
        if (indice >= 0 && indice < 4)
            cancella[indice] = abilitato;
    }
    void imposta_potenza_bloccata(bool b) override { bloccata = b; }
    bool potenza_bloccata() const override { return bloccata; }
    void imposta_caption_traccia_maxpower(const QString& c) override { caption_traccia = c; }
    void aggiorna_grafico() override { ++aggiornamenti; }
    void chiedi_ricalcolo(StatoGrafico& stato) override
    {
        ++richieste_ricalcolo;
        if (const auto risposta = std::exchange(risposta_ricalcolo, {}))
            risposta(stato);
    }
};
