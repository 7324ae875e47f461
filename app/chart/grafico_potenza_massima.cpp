// The hyperbola of maximum plate dissipation, traced and removed by the same
// command, and the erasing of the drawn objects. Both rely on XOR drawing:
// drawing an object once more removes it.

#include "chart/grafico.h"

#include "chart/calibrazione.h"
#include "chart/iperbole.h"
#include "chart/stile_disegno.h"
#include "common/numeri.h"

namespace {

bool segmento_vuoto(const segmento& s)
{
    return s.x0 == 0 && s.y0 == 0 && s.x1 == 0 && s.y1 == 0 && s.colore == 0 && s.etichetta.isEmpty();
}

} // namespace

void Grafico::traccia_maxpower_Click()
{
    // Watts; a comma is not read as a decimal point here.
    const double p = numeri::valore_iniziale(vista_.testo(Campo::potenza_anodica)) / 1000.0;
    if (traccia_iperbole(tela_, stato_, p, stato_.colore_potenza))
        aggiorna();
    // The field is locked while the curve is shown, so the next command finds
    // the same value and erases exactly what was drawn.
    if (!vista_.potenza_bloccata()) {
        vista_.imposta_potenza_bloccata(true);
        vista_.imposta_caption_traccia_maxpower(caption_cancella_potenza);
    } else {
        vista_.imposta_potenza_bloccata(false);
        vista_.imposta_caption_traccia_maxpower(caption_traccia_potenza);
    }
}

void Grafico::canc_function_Click(int index)
{
    cancella_oggetto(index);
}

void Grafico::cancella_oggetto(int flag)
{
    StatoGrafico& s = stato_;
    switch (flag) {
    case voce_cancella::retta: {
        const int k = numero_oggetti(s.rette);
        if (k < 1)
            return;
        const segmento ultimo = s.rette.back();
        if (!segmento_vuoto(ultimo)) {
            disegna_linea(ultimo, ultimo.colore);
            paint_value(ultimo.etichetta, ultimo.x0, ultimo.y0, colore_etichetta_retta);
        }
        s.rette.pop_back();
        if (k - 1 > 0) {
            const segmento& corrente = s.rette.back();
            s.retta_x0 = corrente.x0;
            s.retta_y0 = corrente.y0;
            s.retta_x1 = corrente.x1;
            s.retta_y1 = corrente.y1;
            s.retta_v0 = calcolav(s.retta_x0);
            s.retta_v1 = calcolav(s.retta_x1);
            s.retta_i0 = calcolai(s.retta_y0);
            s.retta_i1 = calcolai(s.retta_y1);
            vista_.imposta_legenda(Legenda::retta, colore_presente(Legenda::retta), corrente.etichetta);
            display_valori(false);
        } else {
            vista_.abilita_cancella(voce_cancella::retta, false);
            clear_param(0);
            vista_.imposta_legenda(Legenda::retta, colore_assente(), testo_assente);
        }
        break;
    }
    case voce_cancella::punto_lavoro: {
        const int k = numero_oggetti(s.punti_lavoro);
        if (k < 1)
            return;
        const punto ultimo = s.punti_lavoro.back();
        if (!(ultimo.x == 0 && ultimo.y == 0)) {
            disegna_box(ultimo.x, ultimo.y, ultimo.colore);
            paint_value(numeri::etichetta(u'L', k), ultimo.x, ultimo.y, colore_etichetta_lavoro);
        }
        s.punti_lavoro.pop_back();
        if (k - 1 > 0) {
            const punto& corrente = s.punti_lavoro.back();
            vista_.imposta_legenda(Legenda::lavoro, colore_presente(Legenda::lavoro), numeri::etichetta(u'L', k - 1));
            s.lavoro_x = corrente.x;
            s.lavoro_y = corrente.y;
            s.lavoro_v = calcolav(s.lavoro_x);
            s.lavoro_i = calcolai(s.lavoro_y);
            if (s.lavoro_i != 0.0) {
                if (auto r = numeri::arrotonda_int32(s.lavoro_v * 1000.0 / s.lavoro_i))
                    s.r_equiv_tubo = *r;
            }
            azzera_partitore();
            display_valori(true);
        } else {
            vista_.abilita_cancella(voce_cancella::punto_lavoro, false);
            clear_param(3);
            vista_.imposta_legenda(Legenda::lavoro, colore_assente(), testo_assente);
        }
        break;
    }
    case voce_cancella::punto_gain: {
        const int k = numero_oggetti(s.punti_guadagno);
        if (k < 1)
            return;
        const punto ultimo = s.punti_guadagno.back();
        if (!(ultimo.x == 0 && ultimo.y == 0)) {
            disegna_box(ultimo.x, ultimo.y, ultimo.colore);
            paint_value(numeri::etichetta(u'G', k), ultimo.x, ultimo.y, colore_etichetta_guadagno);
        }
        s.punti_guadagno.pop_back();
        if (k - 1 > 0) {
            const punto& corrente = s.punti_guadagno.back();
            vista_.imposta_legenda(Legenda::guadagno, colore_presente(Legenda::guadagno),
                                   numeri::etichetta(u'G', k - 1));
            s.guadagno_x = corrente.x;
            s.guadagno_y = corrente.y;
            s.guadagno_v = calcolav(s.guadagno_x);
            s.guadagno_i = calcolai(s.guadagno_y);
            display_valori(true);
        } else {
            vista_.abilita_cancella(voce_cancella::punto_gain, false);
            clear_param(4);
            vista_.imposta_legenda(Legenda::guadagno, colore_assente(), testo_assente);
        }
        break;
    }
    case voce_cancella::retta_calcolata: {
        const int k = numero_oggetti(s.rette_calcolate);
        if (k < 1)
            return;
        const segmento ultimo = s.rette_calcolate.back();
        if (!segmento_vuoto(ultimo)) {
            disegna_linea(ultimo, ultimo.colore);
            paint_value(ultimo.etichetta, ultimo.x0, ultimo.y0, colore_etichetta_retta);
        }
        s.rette_calcolate.pop_back();
        if (k - 1 < 1)
            vista_.abilita_cancella(voce_cancella::retta_calcolata, false);
        break;
    }
    default: return;
    }
    aggiorna();
}
