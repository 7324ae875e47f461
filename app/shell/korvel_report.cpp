// The main window as the report commands see it (VistaReport).
#include "shell/korvel.h"

#include "chart/grafico.h"
#include "chart/ui/picture1.h"
#include "finale/ui/finestra_stadio_finale.h"
#include "tubes/lista_valvole.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QTableWidget>

#include <algorithm>

QString KORVEL::valore(ValoreReport c) const
{
    switch (c) {
    case ValoreReport::gain_value: return testo(Campo::gain_value);
    case ValoreReport::r_value: return testo(Campo::r_value);
    case ValoreReport::r_anodica: return testo(Campo::r_anodica);
    case ValoreReport::r_catodica: return testo(Campo::r_catodica);
    case ValoreReport::c_catodica: return testo(Campo::c_catodica);
    case ValoreReport::grid_v: return testo(Campo::grid_v);
    case ValoreReport::grid_i: return testo(Campo::grid_i);
    case ValoreReport::grid_bias: return testo(Campo::grid_bias);
    }
    return {};
}

QImage KORVEL::cattura_grafico()
{
    // The canvas is what the chart area shows; the capture has the chart
    // area's size. Picture2 keeps the last capture, as the reports expect.
    Picture1_->setFocus();
    const QImage& tela = grafico_->canvas();
    const QSize area = Picture1_->size();
    QImage cattura =
        area.isValid() && area != tela.size() && area.width() <= tela.width() && area.height() <= tela.height()
            ? tela.copy(QRect(QPoint(0, 0), area))
            : tela.copy();
    Picture2->setPixmap(QPixmap::fromImage(cattura));
    return cattura;
}

QImage KORVEL::foto_mostrata() const
{
    return immagine_tubo->pixmap().toImage();
}

QImage KORVEL::piedinatura_mostrata() const
{
    return piedinatura_valvola->pixmap().toImage();
}

QImage KORVEL::griglia_caratteristiche() const
{
    // The grid's own rendering of its visible cells: the empty area below
    // and beside the last cells is left out.
    const QTableWidget* g = grid_caratteristiche;
    int w = 2 * g->frameWidth(), h = 2 * g->frameWidth();
    for (int c = 0; c < g->columnCount(); ++c)
        w += g->columnWidth(c);
    for (int r = 0; r < g->rowCount(); ++r)
        h += g->rowHeight(r);
    if (g->rowCount() == 0)
        return {};
    return grid_caratteristiche->grab(QRect(0, 0, std::min(w, g->width()), std::min(h, g->height()))).toImage();
}

Taratura KORVEL::taratura() const
{
    return grafico_->stato();
}

double KORVEL::potenza_massima_w() const
{
    // The rating as the tube list holds it, in mW.
    bool ok = false;
    const int riga = riga_db->text().toInt(&ok);
    if (!ok || riga < 1 || riga > lista_->righe_valvole())
        return 0;
    return lista_->cella_lista(riga, 15).toDouble() / 1000;
}

std::vector<FiguraSezione> KORVEL::grafici_finale(const modello::ParametriModello& modello,
                                                  const finale::IngressiFinale& ingressi, double pmax_w)
{
    // The window itself, never shown and never reaching the main chart: the
    // report's plots are the ones the user saw, drawn by the same code from
    // the same computation.
    StadioFinale finestra(piattaforma_, modello, pmax_w, ingressi, StadioFinale::GraficoPrincipale{}, this);
    const char* const didascalie[] = {
        QT_TRANSLATE_NOOP("StadioFinale", "Caratteristiche di placca"),
        QT_TRANSLATE_NOOP("StadioFinale", "Tensione primario e correnti di placca in un periodo"),
        QT_TRANSLATE_NOOP("StadioFinale", "Armoniche (dB rispetto a H1)")};
    std::vector<FiguraSezione> figure;
    if (!finestra.risultato().valido)
        return figure;
    const std::vector<QImage> immagini = finestra.immagini_separate(QSize(760, 320));
    for (std::size_t i = 0; i < immagini.size() && i < std::size(didascalie); ++i)
        figure.push_back({QCoreApplication::translate("StadioFinale", didascalie[i]), QString(), immagini[i], 0});
    return figure;
}

void KORVEL::mostra_report_pdf()
{
    // The report has just handed its file and title over in cartelle().
    mostra_visualizzatore_pdf();
}
