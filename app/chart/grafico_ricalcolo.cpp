// A new load line for a resistor chosen by the user (a standard value near
// the computed one), and optionally a second one for a dynamic resistance,
// both from the point where the current line meets the voltage axis.

#include "chart/grafico.h"

#include "chart/calibrazione.h"
#include "chart/stile_disegno.h"
#include "common/numeri.h"

namespace {

// Resistances may be typed or shown with grouped thousands (28,750 or
// 28.750): every separator goes before the number is read.
double leggi_resistenza(QString testo)
{
    testo.remove(u'.');
    testo.remove(u',');
    return numeri::valore_iniziale(testo);
}

} // namespace

bool Grafico::traccia_retta_calcolata(int32_t resistenza)
{
    StatoGrafico& s = stato_;
    if (numero_oggetti(s.rette_calcolate) >= massimo_oggetti)
        return false;
    // Current at zero plate voltage on a line of this resistance (mA).
    const double i0 = s.retta_v1 * 1000.0 / resistenza;
    if (!(i0 > 0.0))
        return false;
    const auto riga = riga_corrente(s, i0);
    if (!riga)
        return false;
    s.retta_v0 = 0;
    s.retta_i0 = i0;
    s.retta_x0 = s.org_x;
    s.retta_y0 = *riga;
    tela_.linea_xor(s.retta_x0, s.retta_y0, s.retta_x1, s.retta_y1, s.colore_retta_calcolata, 2);
    // The working point belonged to the old line; its box stays on the chart.
    s.lavoro_v = s.lavoro_i = 0;
    s.lavoro_x = s.lavoro_y = 0;
    vista_.abilita_cancella(voce_cancella::retta_calcolata, true);

    segmento nuova;
    nuova.colore = s.colore_retta_calcolata;
    nuova.x0 = s.retta_x0;
    nuova.y0 = s.retta_y0;
    nuova.x1 = s.retta_x1;
    nuova.y1 = s.retta_y1;
    nuova.etichetta = numeri::etichetta(u'C', numero_oggetti(s.rette_calcolate) + 1);
    s.rette_calcolate.push_back(nuova);
    paint_value(nuova.etichetta, nuova.x0, nuova.y0, colore_etichetta_retta);
    return true;
}

bool Grafico::ricalcola_retta()
{
    StatoGrafico& s = stato_;
    if (numero_oggetti(s.rette) < 1)
        return false;
    // A plate resistor the user typed in the main window ("22k") is the value
    // to propose; the computation below rewrites the field with the computed
    // one, so it is taken first. A text other than what the chart last showed
    // is one the user typed.
    const QString scritto = vista_.testo(Campo::r_anodica);
    const bool digitato = !scritto.isEmpty() && scritto != testo_resistenza(s.valore_r_anodica);
    if (!completa_retta())
        return false;
    if (!ricalcola_partitore())
        return false;

    s.ricalcolo_end_v = vista_.testo(Campo::end_v);
    s.ricalcolo_end_i = vista_.testo(Campo::end_i);
    s.ricalcolo_r_anodica = digitato ? scritto : vista_.testo(Campo::r_anodica);
    s.ricalcolo_r_dinamica.clear();
    s.ricalcolo_confermato = false;
    vista_.chiedi_ricalcolo(s);
    if (!s.ricalcolo_confermato)
        return false;

    // A value too large to be a resistor counts as no value: nothing is drawn.
    s.valore_r_anodica = numeri::arrotonda_int32(leggi_resistenza(s.ricalcolo_r_anodica)).value_or(0);
    const int32_t r_din = numeri::arrotonda_int32(leggi_resistenza(s.ricalcolo_r_dinamica)).value_or(0);
    // The new line has no cathode resistor yet, so no bypass capacitor
    // either: both cathode fields stay empty until the next computation.
    s.valore_r_catodica = 0;
    s.valore_c_catodica = 0;

    vista_.imposta_testo(Campo::r_anodica, QString::number(r_din != 0 ? r_din : s.valore_r_anodica));
    for (Campo c : {Campo::r_catodica, Campo::c_catodica, Campo::gain_value, Campo::r_value})
        vista_.imposta_testo(c, QString());
    if (s.valore_r_anodica < 1)
        return false;

    // Without a first line there is no second one: both would start from the
    // same voltage-axis point.
    if (!traccia_retta_calcolata(s.valore_r_anodica)) {
        aggiorna();
        return true;
    }
    if (r_din >= 1) {
        s.valore_r_anodica = r_din;
        traccia_retta_calcolata(r_din);
    }
    aggiorna();
    return true;
}

void Grafico::ricalcola_retta_Click()
{
    if (ricalcola_retta())
        display_valori(true);
}
