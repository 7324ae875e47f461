#pragma once

// "Grafico Risposta": the stage of the chart driven by a sine, computed from
// the loaded tube's model. The inputs start from the design on the chart and
// can be changed here without touching it; every change recomputes the
// read-outs and the three plots (transfer curve, plate voltage over one
// period, harmonics). Bad input empties the read-outs and says why in the
// window itself, so nothing interrupts the typing.

#include "model/modello_valvola.h"
#include "response/risposta_stadio.h"

#include <QDialog>
#include <QImage>

#include <vector>

class QBarCategoryAxis;
class QBarSet;
class QCheckBox;
class QChart;
class QChartView;
class QLabel;
class QLineEdit;
class QLineSeries;
class QPushButton;
class QScatterSeries;
class QValueAxis;
class QCategoryAxis;
class Piattaforma;

class GraficoRisposta : public QDialog {
    Q_OBJECT
public:
    GraficoRisposta(Piattaforma& piattaforma, const modello::ParametriModello& modello,
                    const risposta::TestiStadio& iniziali, QWidget* parent = nullptr);

    // inputs
    QLineEdit *b_piu = nullptr, *ra = nullptr, *vg_riposo = nullptr, *rk = nullptr;
    QLineEdit *carico_successivo = nullptr, *ampiezza = nullptr;
    QCheckBox* catodo_bypassato = nullptr;
    // read-outs
    QLineEdit *gm = nullptr, *rp = nullptr, *mu = nullptr, *guadagno = nullptr, *uscita = nullptr;
    QLineEdit *h2 = nullptr, *h3 = nullptr, *thd = nullptr, *margine = nullptr;
    // the reason of empty read-outs, or which limit comes first
    QLabel* stato = nullptr;
    QChartView *vista_trasferimento = nullptr, *vista_forma = nullptr, *vista_spettro = nullptr;
    QPushButton *salva_immagine = nullptr, *esporta_csv = nullptr, *chiudi = nullptr;

    // Reads the fields and recomputes everything.
    void ricalcola();
    // The inputs as the fields hold them now.
    risposta::TestiStadio testi() const;
    void salva_immagine_Click();
    void esporta_csv_Click();

    const risposta::Risposta& risposta() const { return risposta_; }
    // The three plots one above the other, as "Salva Immagine" writes them.
    QImage immagine_grafici();
    // Each plot on its own at the given size, drawn from the window's own
    // charts whether or not the window is shown (the reports print these).
    std::vector<QImage> immagini_separate(QSize dimensione);

private:
    void crea_grafici();
    void aggiorna_grafici();
    void svuota_letture(const QString& motivo);

    Piattaforma& piattaforma_;
    risposta::ModelloCorrente modello_;
    risposta::Risposta risposta_;

    QLineSeries *curva_ = nullptr, *escursione_ = nullptr, *forma_ = nullptr;
    QScatterSeries *curva_oltre_ = nullptr, *lavoro_ = nullptr, *forma_oltre_ = nullptr;
    QValueAxis *asse_vg_ = nullptr, *asse_va_ = nullptr, *asse_t_ = nullptr, *asse_forma_ = nullptr;
    QBarSet* barre_ = nullptr;
    QCategoryAxis* asse_db_ = nullptr;
    QBarCategoryAxis* armoniche_ = nullptr;
};
