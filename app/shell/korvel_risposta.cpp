// "&Grafico Risposta" in the Edit menu: on while the loaded tube has a stored
// model and the working point has its grid voltage; it opens the response
// window on the design of the chart, which the window never changes. The
// plots of the report are the window's own, drawn without showing it.
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

namespace {

// One plot of the report: as wide as the window shows it, a little lower.
const QSize dimensione_grafico_report(760, 320);

} // namespace

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
    // Opened once for this design, the window comes back with the inputs it
    // was left with, which the project and the reports then carry.
    const StatoGrafico& s = grafico_->stato();
    const risposta::TestiStadio iniziali = ingressi_finestre_.risposta.value_or(
        risposta::testi_dal_grafico(s.retta_v1, s.valore_r_anodica, s.valore_r_catodica, testo(Campo::grid_bias)));
    GraficoRisposta finestra(piattaforma_, m->parametri, iniziali, this);
    finestra.exec();
    ingressi_finestre_.risposta = finestra.testi();
}

std::vector<QImage> KORVEL::grafici_risposta(const modello::ParametriModello& modello,
                                             const risposta::TestiStadio& testi)
{
    // The window itself, never shown: the report's plots are the ones the
    // user saw, drawn by the same code from the same computation.
    GraficoRisposta finestra(piattaforma_, modello, testi, this);
    return finestra.immagini_separate(dimensione_grafico_report);
}
