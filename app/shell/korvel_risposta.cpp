// "&Grafico Risposta" in the Edit menu: on while the loaded tube has a stored
// model and the working point has its grid voltage; it opens the response
// window on the design of the chart, which the window never changes.
#include "shell/korvel.h"

#include "archive/cartelle.h"
#include "chart/grafico.h"
#include "model/archivio_modelli.h"
#include "response/dal_grafico.h"
#include "response/ui/grafico_risposta.h"
#include "tubes/lista_valvole.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

void KORVEL::collega_grafico_risposta()
{
    // A model may be stored while the tube is loaded (the fit window), so
    // the menu looks again each time it opens.
    connect(menu_tracciatura, &QMenu::aboutToShow, this, &KORVEL::aggiorna_grafico_risposta);
    connect(riga_db, &QLineEdit::textChanged, this, &KORVEL::aggiorna_grafico_risposta);
    connect(campo(Campo::grid_bias), &QLineEdit::textChanged, this, &KORVEL::aggiorna_grafico_risposta);
}

std::optional<modello::ModelloSalvato> KORVEL::modello_caricato() const
{
    bool ok = false;
    const int riga = riga_db->text().toInt(&ok);
    if (!ok || riga < 1 || riga > lista_->righe_valvole())
        return std::nullopt;
    const int id = lista_->cella_lista(riga, 0).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return archivio_modelli::leggi_modello(cartelle().file_basedati, id);
}

void KORVEL::aggiorna_grafico_risposta()
{
    calc_function[voce_calcolo::grafico_risposta]->setEnabled(
        risposta::griglia_da_vb(testo(Campo::grid_bias)).has_value() && modello_caricato().has_value());
}

void KORVEL::grafico_risposta_Click()
{
    aggiorna_grafico_risposta();
    const std::optional<modello::ModelloSalvato> m = modello_caricato();
    if (!calc_function[voce_calcolo::grafico_risposta]->isEnabled() || !m)
        return;
    const StatoGrafico& s = grafico_->stato();
    GraficoRisposta finestra(
        piattaforma_, m->parametri,
        risposta::testi_dal_grafico(s.retta_v1, s.valore_r_anodica, s.valore_r_catodica, testo(Campo::grid_bias)),
        this);
    finestra.exec();
}
