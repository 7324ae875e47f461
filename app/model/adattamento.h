#pragma once

// The fit of a Koren model to the traced curves of a calibrated picture.
//
// Residuals are measured in picture pixels, across the model curve (the
// current error in pixels, divided by sqrt(1 + slope^2) of the model curve on
// the picture), so a steep part of a curve weighs no more than a flat one and
// the error reads as the distance the eye sees. A robust loss of about one
// pixel keeps stray pixels (labels, load lines) from pulling the model.
//
// The fit is synchronous: the window runs it on a worker thread.

#include "chart/taratura.h"
#include "common/testo_tradotto.h"
#include "model/curve_modello.h"
#include "model/modello_valvola.h"

#include <QPointF>
#include <QString>
#include <QVector>

#include <optional>

namespace adattamento {

// One traced curve with the grid voltage it was drawn at.
struct CurvaDaAdattare {
    double vg = 0;          // V
    QVector<QPointF> punti; // picture pixels
};

struct Richiesta {
    modello::TipoModello tipo = modello::TipoModello::triodo_koren;
    double vg2 = 0; // screen voltage of the curves (pentode only), V
    Taratura taratura;
    QVector<CurvaDaAdattare> curve;
};

struct Risultato {
    bool ok = false;
    QString errore; // why not, in the program's words
    modello::ParametriModello parametri;
    QVector<double> scarti_curve; // RMS residual of each curve, pixels
    QVector<bool> curve_anomale;  // far worse than the other curves
    double scarto_medio = 0;      // RMS residual of every point, pixels
    double scarto_massimo = 0;    // largest residual, pixels
    int punti = 0;
};

// The messages of the refused fits.
inline constexpr TestoTradotto msg_poche_curve{
    "Adattamento", QT_TRANSLATE_NOOP("Adattamento", "Servono almeno due curve tracciate per adattare il modello.")};
inline constexpr TestoTradotto msg_senza_vg2{
    "Adattamento",
    QT_TRANSLATE_NOOP("Adattamento", "Per il pentodo indicare la tensione di schermo \"Vg2 (V)=\" delle curve.")};
inline constexpr TestoTradotto msg_non_converge{
    "Adattamento", QT_TRANSLATE_NOOP("Adattamento",
                                     "L'adattamento del modello non converge: controllare le curve tracciate e le loro "
                                     "tensioni di griglia.")};
inline constexpr TestoTradotto msg_senza_taratura{
    "Adattamento",
    QT_TRANSLATE_NOOP("Adattamento", "Il grafico della valvola non è tarato: impossibile adattare il modello.")};
QString msg_griglia_non_numero(int riga); // riga 1-based

// A curve is marked when its residual exceeds this many times the median of
// the curves, and is more than soglia_minima_px: differences below half a
// pixel are below what the picture can show.
inline constexpr double fattore_anomalia = 3.0;
inline constexpr double soglia_minima_px = 0.5;

// Fits the model. Never throws; on refusal ok is false and errore says why.
Risultato adatta(const Richiesta& r);

// The grid voltages of n curves: the top one, then each `passo` lower.
QVector<double> griglie_in_sequenza(double prima, double passo, int n);

// A typed grid (or screen) voltage: "." or "," decimals, optional sign,
// nothing else. Empty when the text is not such a number.
std::optional<double> leggi_tensione(const QString& testo);

} // namespace adattamento
