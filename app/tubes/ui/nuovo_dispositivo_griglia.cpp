// The new-tube window's way from a data sheet to a calibrated picture: a
// PDF's page chosen and rendered, the picture cropped, turned and
// straightened, the calibration points snapped to the grid and one grid
// division shown as a check of the calibration.

#include "tubes/ui/nuovo_dispositivo.h"

#include "common/ui/nome_accessibile.h"
#include "platform/piattaforma.h"
#include "tubes/immagini_valvola.h"
#include "foglio/pagine_pdf.h"
#include "foglio/ui/ritaglia_grafico.h"
#include "foglio/ui/scelta_pagina.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>

#include <memory>

namespace {

// The cropped picture handed to the rescaling, beside "CurvaRedim.gif".
const QString nome_ritaglio = QStringLiteral("Ritaglio.png");

bool punto_posto(float x, float y)
{
    return x != 0 || y != 0;
}

} // namespace

QLabel* Nuovo_Dispositivo::crea_divisione()
{
    divisione_griglia = new QLabel(this);
    divisione_griglia->setObjectName(QStringLiteral("divisione_griglia"));
    lega_nome_al_testo(divisione_griglia, tr("Divisione della griglia"));
    divisione_griglia->setToolTip(
        tr("Una divisione della griglia con la taratura impostata: in rosso se non è un numero tondo"));
    return divisione_griglia;
}

void Nuovo_Dispositivo::crea_aggancio()
{
    menu_operazioni->addSeparator();
    aggancia_griglia = menu_operazioni->addAction(tr("Aggancia alla griglia"));
    aggancia_griglia->setObjectName(QStringLiteral("aggancia_griglia"));
    aggancia_griglia->setCheckable(true);
    aggancia_griglia->setChecked(true);
}

std::optional<QString> Nuovo_Dispositivo::prepara_curva(const QString& percorso)
{
    QImage sorgente;
    const bool pdf = pagine_pdf::e_pdf(percorso);
    if (pdf) {
        std::unique_ptr<pagine_pdf::Documento> documento;
        {
            Piattaforma::Occupato occupato(piattaforma_);
            documento = std::make_unique<pagine_pdf::Documento>(percorso);
        }
        if (!documento->errore().isEmpty()) {
            piattaforma_.messaggio(documento->errore(), titolo());
            return std::nullopt;
        }
        int pagina = 0;
        if (documento->pagine() > 1) {
            Scelta_Pagina scelta(piattaforma_, *documento, this);
            if (piattaforma_.esegui(scelta) != QDialog::Accepted || scelta.pagina() < 0)
                return std::nullopt;
            pagina = scelta.pagina();
        }
        {
            Piattaforma::Occupato occupato(piattaforma_);
            sorgente = documento->pagina(pagina);
        }
        if (sorgente.isNull()) {
            piattaforma_.messaggio(tr("Impossibile leggere la pagina %1 del file PDF.").arg(pagina + 1), titolo());
            return std::nullopt;
        }
    } else {
        sorgente = immagini_valvola::leggi(percorso);
        // An unreadable picture takes the usual way, which reports it.
        if (sorgente.isNull())
            return percorso;
    }

    Ritaglia_Grafico ritaglio(piattaforma_, sorgente, this);
    const int esito = piattaforma_.esegui(ritaglio);
    if (esito != Ritaglia_Grafico::ritaglia && esito != Ritaglia_Grafico::tutta)
        return std::nullopt;
    // A picture kept as it was is rescaled from its own file, colours and all.
    if (!pdf && !ritaglio.modificata(esito))
        return percorso;
    if (!cartella_temporanea_ || !cartella_temporanea_->isValid())
        return std::nullopt;
    const QString file = cartella_temporanea_->filePath(nome_ritaglio);
    Piattaforma::Occupato occupato(piattaforma_);
    // Light compression: the file lives only until it is rescaled.
    if (!ritaglio.risultato(esito).save(file, "PNG", 80)) {
        QFile::remove(file);
        piattaforma_.messaggio(tr("Impossibile preparare l'immagine ritagliata."), titolo());
        return std::nullopt;
    }
    return file;
}

void Nuovo_Dispositivo::aggancia_alla_griglia(float& x, float& y) const
{
    if (!aggancia_griglia || !aggancia_griglia->isChecked() || !griglia_.trovata())
        return;
    if (const std::optional<QPointF> p = analisi_grafico::aggancia(griglia_, QPointF(x, y))) {
        x = float(p->x());
        y = float(p->y());
    }
}

void Nuovo_Dispositivo::aggiorna_divisione()
{
    if (!divisione_griglia)
        return;
    std::optional<analisi_grafico::Divisione> d;
    if (punto_posto(nuova.org_x, nuova.org_y) && punto_posto(nuova.imax_x, nuova.imax_y) &&
        punto_posto(nuova.vmax_x, nuova.vmax_y))
        d = analisi_grafico::divisione(griglia_, taratura());
    QPalette p = divisione_griglia->palette();
    p.setColor(QPalette::WindowText, d && !d->rotonda ? QColor(Qt::red) : palette().color(QPalette::WindowText));
    divisione_griglia->setPalette(p);
    divisione_griglia->setText(d ? d->testo : QString());
}
