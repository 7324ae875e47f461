#pragma once

// "Stadio Finale": the output stage of the loaded tube, single-ended or
// push-pull, computed on its stored model. Every change of an input
// recomputes the read-outs and the three plots (plate characteristics with
// the load lines, the primary voltage and the plate currents over one
// period, the harmonics). Bad input empties the read-outs and says why in the
// window itself, so nothing interrupts the typing. "Traccia su grafico" puts
// the load line on the main chart over the tube's picture through the
// functions the caller gives.

#include "finale/curve_finale.h"
#include "finale/stadio_finale.h"
#include "model/modello_valvola.h"

#include <QDialog>
#include <QImage>

#include <functional>

class QBarCategoryAxis;
class QBarSet;
class QCategoryAxis;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QLineSeries;
class QPushButton;
class QScatterSeries;
class QValueAxis;
class Piattaforma;

class StadioFinale : public QDialog {
    Q_OBJECT
public:
    // The main chart as the window sees it: draw a line given in volts and
    // milliamperes (false when nothing of it could be drawn), and remove it.
    struct GraficoPrincipale {
        std::function<bool(const std::vector<QPointF>&)> traccia;
        std::function<void()> cancella;
    };

    StadioFinale(Piattaforma& piattaforma, const modello::ParametriModello& modello, double pmax_w,
                 const finale::IngressiFinale& iniziali, GraficoPrincipale grafico, QWidget* parent = nullptr);

    // inputs
    QComboBox *topologia = nullptr, *collegamento = nullptr, *polarizzazione = nullptr;
    QLineEdit *b_piu = nullptr, *vg2 = nullptr, *presa_ul = nullptr, *impedenza = nullptr;
    QLineEdit *resistenza_dc = nullptr, *vg_riposo = nullptr, *ampiezza = nullptr, *carico = nullptr;
    // read-outs
    QLineEdit *va_riposo = nullptr, *ia_riposo = nullptr, *pa_riposo = nullptr, *pa_percento = nullptr;
    QLineEdit *rk = nullptr, *potenza_rk = nullptr, *potenza = nullptr, *potenza_massima = nullptr;
    QLineEdit *rendimento = nullptr, *pa_media = nullptr;
    QLineEdit *h2 = nullptr, *h3 = nullptr, *h4 = nullptr, *h5 = nullptr, *thd = nullptr;
    QLineEdit *classe = nullptr, *rp = nullptr, *smorzamento = nullptr, *spostamento = nullptr;
    QLineEdit* rapporto_spire = nullptr;
    // the reason of empty read-outs, or the state of the design
    QLabel* stato = nullptr;
    QChartView *vista_placca = nullptr, *vista_periodo = nullptr, *vista_spettro = nullptr;
    QPushButton *traccia = nullptr, *cancella = nullptr, *salva_immagine = nullptr, *esporta_csv = nullptr;
    QPushButton* chiudi = nullptr;

    // Reads the inputs and recomputes everything.
    void ricalcola();
    void traccia_Click();
    void cancella_Click();
    void salva_immagine_Click();
    void esporta_csv_Click();

    const finale::RisultatoFinale& risultato() const { return risultato_; }
    // The inputs of the last design that could be computed (those the
    // window opened with, when none could).
    const finale::IngressiFinale& ingressi() const { return ingressi_; }
    // The three plots one above the other, as "Salva Immagine" writes them.
    QImage immagine_grafici();
    // The three plots apart, each laid out at the given size: what the
    // reports print.
    std::vector<QImage> immagini_separate(QSize dimensione);

private:
    void crea_grafici();
    void aggiorna_grafici();
    void aggiorna_campi_attivi();
    void svuota_letture(const QString& motivo);
    std::vector<QLineEdit*> campi_letture() const;
    finale::IngressiFinale scelte() const;

    Piattaforma& piattaforma_;
    finale::ModelloFinale modello_;
    double pmax_w_ = 0;
    GraficoPrincipale grafico_;
    finale::IngressiFinale ingressi_;
    finale::RisultatoFinale risultato_;

    QValueAxis *asse_ep_ = nullptr, *asse_ia_ = nullptr, *asse_t_ = nullptr, *asse_v_ = nullptr;
    QValueAxis* asse_i_ = nullptr;
    QList<QLineSeries*> caratteristiche_;
    QList<QLineSeries*> composite_;
    QLineSeries *retta_ = nullptr, *retta_composita_ = nullptr, *iperbole_ = nullptr, *escursione_ = nullptr;
    QScatterSeries *lavoro_ = nullptr, *oltre_ = nullptr, *periodo_oltre_ = nullptr;
    QLineSeries *primario_ = nullptr, *corrente1_ = nullptr, *corrente2_ = nullptr;
    QBarSet* barre_ = nullptr;
    QBarCategoryAxis* armoniche_ = nullptr;
};
