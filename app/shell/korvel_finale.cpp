// "Stadio &Finale..." in the Utilità menu: on while the loaded tube has a
// stored model; it opens the output stage on that model, with the inputs the
// design last used for the tube, and keeps them when the window closes. The
// window reaches the chart only to draw its load line and take it away.
#include "shell/korvel.h"

#include "chart/grafico.h"
#include "finale/ui/finestra_stadio_finale.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/lista_valvole.h"

#include <QAction>
#include <QLineEdit>

void KORVEL::collega_stadio_finale()
{
    // The inputs belong to one tube: another tube starts from its own.
    connect(riga_db, &QLineEdit::textChanged, this, [this] { ingressi_finestre_.finale.reset(); });
}

void KORVEL::stadio_finale_Click()
{
    const std::optional<modello::ModelloSalvato>& m = caricatore_->modello();
    if (!stadio_finale->isEnabled() || !m)
        return;
    // The rated plate dissipation of the list row, in mW.
    double pmax_w = 0;
    bool ok = false;
    const int riga = riga_db->text().toInt(&ok);
    if (ok && riga >= 1 && riga <= lista_->righe_valvole())
        pmax_w = lista_->cella_lista(riga, 15).toDouble() / 1000;

    Grafico* g = grafico_.get();
    StadioFinale::GraficoPrincipale principale{[g](const std::vector<QPointF>& punti) {
                                                   return g->mostra_retta_finale(
                                                       QVector<QPointF>(punti.begin(), punti.end()));
                                               },
                                               [g] { g->nascondi_retta_finale(); }};
    StadioFinale finestra(piattaforma_, m->parametri, pmax_w,
                          ingressi_finestre_.finale.value_or(finale::ingressi_iniziali(m->parametri)), principale, this);
    finestra.exec();
    ingressi_finestre_.finale = finestra.ingressi();
}
