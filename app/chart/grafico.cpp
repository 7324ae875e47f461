#include "chart/grafico.h"

#include "chart/calibrazione.h"
#include "chart/marker.h"
#include "chart/stile_disegno.h"
#include "common/numeri.h"

#include <cmath>

namespace {

const QString schema_valori = QStringLiteral("###0.00");
const QString schema_guadagno = QStringLiteral("##0.00");
const QString schema_resistenze = QStringLiteral("###,###,##0");
const QString schema_condensatore = QStringLiteral("#0.00");
} // namespace

Grafico::Grafico(VistaGrafico& vista) : vista_(vista) {}

QColor Grafico::colore_assente()
{
    return QColor(255, 0, 0);
}

QColor Grafico::colore_presente(Legenda legenda)
{
    switch (legenda) {
    case Legenda::retta: return QColor(255, 192, 255);
    case Legenda::lavoro: return QColor(160, 160, 255);
    case Legenda::guadagno: break;
    }
    return QColor(192, 255, 192);
}

void Grafico::aggiorna()
{
    vista_.aggiorna_grafico();
}

void Grafico::reset_liste()
{
    stato_.rette.assign(1, segmento{});
    stato_.punti_lavoro.assign(1, punto{});
    stato_.punti_guadagno.assign(1, punto{});
    stato_.rette_calcolate.assign(1, segmento{});
}

void Grafico::imposta_immagine(const QImage& figura)
{
    curve_modello_.clear();
    retta_finale_.clear();
    tela_.imposta_immagine(figura);
    aggiorna();
}

void Grafico::rimuovi_immagine()
{
    curve_modello_.clear();
    retta_finale_.clear();
    tela_.pulisci();
    aggiorna();
}

double Grafico::calcolav(float x) const
{
    return ::calcolav(stato_, x);
}

double Grafico::calcolai(float y) const
{
    return ::calcolai(stato_, y);
}

void Grafico::check_point(int x1, int X2, int y1, int Y2)
{
    ::check_point(tela_, x1, X2, y1, Y2, stato_.colore_marker);
}

void Grafico::draw_marker()
{
    ::draw_marker(tela_, stato_, stato_.colore_marker);
    aggiorna();
}

void Grafico::paint_value(const QString& dato, float x, float y, int colore)
{
    tela_.testo_xor(dato, double(x) + 3.0, double(y) - 15.0, colore);
    aggiorna();
}

void Grafico::disegna_linea(const segmento& s, int colore)
{
    tela_.linea_xor(s.x0, s.y0, s.x1, s.y1, colore, spessore_oggetti);
}

void Grafico::disegna_box(float x, float y, int colore)
{
    tela_.box_xor(double(x) - 3.0, double(y) - 3.0, double(x) + 3.0, double(y) + 3.0, colore, spessore_oggetti);
}

void Grafico::clear_param(int mode)
{
    StatoGrafico& s = stato_;
    if (mode == 0 || mode == 1) {
        s.retta_v0 = s.retta_i0 = 0;
        s.retta_x0 = s.retta_y0 = 0;
        for (Campo c : {Campo::start_i, Campo::start_x, Campo::start_y, Campo::start_V})
            vista_.imposta_testo(c, QString());
    }
    if (mode == 0 || mode == 2) {
        s.retta_v1 = s.retta_i1 = 0;
        s.retta_x1 = s.retta_y1 = 0;
        for (Campo c : {Campo::end_i, Campo::end_v, Campo::end_x, Campo::end_y})
            vista_.imposta_testo(c, QString());
    }
    if (mode == 0 || mode == 3) {
        s.lavoro_v = s.lavoro_i = 0;
        s.lavoro_x = s.lavoro_y = 0;
        for (Campo c : {Campo::grid_i, Campo::grid_v, Campo::grid_x, Campo::grid_y})
            vista_.imposta_testo(c, QString());
        s.r_equiv_tubo = 0;
        s.valore_r_anodica = 0;
        s.valore_r_catodica = 0;
        s.valore_c_catodica = 0;
    }
    if (mode == 0 || mode == 4) {
        s.guadagno_v = s.guadagno_i = 0;
        s.guadagno_x = s.guadagno_y = 0;
        for (Campo c : {Campo::gain_i, Campo::gain_v, Campo::gain_x, Campo::gain_y})
            vista_.imposta_testo(c, QString());
    }
}

void Grafico::display_valori(bool mode)
{
    const StatoGrafico& s = stato_;
    const auto valore = [this](Campo c, double v) { vista_.imposta_testo(c, numeri::formatta(v, schema_valori)); };
    valore(Campo::curr_v, s.mouse_v);
    valore(Campo::max_voltage_V, s.vmax_v);
    valore(Campo::start_V, s.retta_v0);
    valore(Campo::end_v, s.retta_v1);
    valore(Campo::grid_v, s.lavoro_v);
    valore(Campo::gain_v, s.guadagno_v);
    valore(Campo::curr_i, s.mouse_i);
    valore(Campo::max_current_i, s.imax_i);
    valore(Campo::start_i, s.retta_i0);
    valore(Campo::end_i, s.retta_i1);
    valore(Campo::grid_i, s.lavoro_i);
    valore(Campo::gain_i, s.guadagno_i);
    valore(Campo::max_current_X, s.imax_x);
    valore(Campo::max_current_y, s.imax_y);
    valore(Campo::max_voltage_X, s.vmax_x);
    valore(Campo::max_voltage_Y, s.vmax_y);

    const auto pixel = [this](Campo c, float v) { vista_.imposta_testo(c, numeri::testo_float(v)); };
    pixel(Campo::origin_X, s.org_x);
    pixel(Campo::origin_Y, s.org_y);
    pixel(Campo::curr_X, s.mouse_x);
    pixel(Campo::curr_Y, s.mouse_y);
    pixel(Campo::start_x, s.retta_x0);
    pixel(Campo::start_y, s.retta_y0);
    pixel(Campo::end_x, s.retta_x1);
    pixel(Campo::end_y, s.retta_y1);
    pixel(Campo::grid_x, s.lavoro_x);
    pixel(Campo::grid_y, s.lavoro_y);
    pixel(Campo::gain_x, s.guadagno_x);
    pixel(Campo::gain_y, s.guadagno_y);

    vista_.imposta_testo(Campo::gain_value, numeri::formatta(s.guadagno, schema_guadagno));

    if (!mode)
        return;
    const auto resistenza = [this](Campo c, int32_t ohm) { vista_.imposta_testo(c, testo_resistenza(ohm)); };
    resistenza(Campo::r_anodica, s.valore_r_anodica);
    resistenza(Campo::r_catodica, s.valore_r_catodica);
    resistenza(Campo::r_value, s.r_equiv_tubo);
    vista_.imposta_testo(Campo::c_catodica, s.valore_c_catodica > 0
                                                ? numeri::formatta(s.valore_c_catodica, schema_condensatore)
                                                : QString());
}

QString Grafico::testo_resistenza(int32_t ohm)
{
    return ohm < 1 ? QString() : numeri::formatta(ohm, schema_resistenze);
}

bool Grafico::tubo_caricato() const
{
    return numeri::valore_iniziale(vista_.testo(Campo::riga_db)) > 0;
}

void Grafico::Picture1_MouseDown(int button, int /*shift*/, float x, float y)
{
    StatoGrafico& s = stato_;
    s.traccia_attiva = false;
    if (!tubo_caricato())
        return;

    if (button == 1) {
        switch (vista_.legenda_selezionata()) {
        case Legenda::retta: {
            if (numero_oggetti(s.rette) >= massimo_oggetti)
                break;
            vista_.abilita_cancella(voce_cancella::retta, true);
            s.mouse_x = x;
            s.mouse_y = y;
            s.mouse_v = calcolav(x);
            s.mouse_i = calcolai(y);
            s.retta_x0 = s.retta_x1 = x;
            s.retta_y0 = s.retta_y1 = y;
            s.retta_v0 = s.retta_v1 = s.mouse_v;
            s.retta_i0 = s.retta_i1 = s.mouse_i;
            segmento nuovo;
            nuovo.x0 = x;
            nuovo.y0 = y;
            s.rette.push_back(nuovo);
            break;
        }
        case Legenda::lavoro: {
            if (numero_oggetti(s.punti_lavoro) >= massimo_oggetti)
                break;
            vista_.abilita_cancella(voce_cancella::punto_lavoro, true);
            s.punti_lavoro.push_back(punto{x, y, s.colore_lavoro});
            const int k = numero_oggetti(s.punti_lavoro);
            s.lavoro_x = x;
            s.lavoro_y = y;
            s.lavoro_v = calcolav(x);
            s.lavoro_i = calcolai(y);
            // At zero current (a point on the voltage axis) there is no
            // resistance to show; the previous one stays.
            if (s.lavoro_i != 0.0) {
                if (auto r = numeri::arrotonda_int32(s.lavoro_v * 1000.0 / s.lavoro_i))
                    s.r_equiv_tubo = *r;
            }
            disegna_box(x, y, s.colore_lavoro);
            const QString etichetta = numeri::etichetta(u'L', k);
            paint_value(etichetta, x, y, colore_etichetta_lavoro);
            vista_.imposta_legenda(Legenda::lavoro, colore_presente(Legenda::lavoro), etichetta);
            azzera_partitore();
            break;
        }
        case Legenda::guadagno: {
            if (numero_oggetti(s.punti_guadagno) >= massimo_oggetti)
                break;
            s.punti_guadagno.push_back(punto{x, y, s.colore_guadagno});
            const int k = numero_oggetti(s.punti_guadagno);
            vista_.abilita_cancella(voce_cancella::punto_gain, true);
            s.guadagno_x = x;
            s.guadagno_y = y;
            s.guadagno_v = calcolav(x);
            s.guadagno_i = calcolai(y);
            disegna_box(x, y, s.colore_guadagno);
            const QString etichetta = numeri::etichetta(u'G', k);
            paint_value(etichetta, x, y, colore_etichetta_guadagno);
            vista_.imposta_legenda(Legenda::guadagno, colore_presente(Legenda::guadagno), etichetta);
            break;
        }
        }
    }
    display_valori(false);
    aggiorna();
}

void Grafico::Picture1_MouseMove(int button, int /*shift*/, float x, float y)
{
    StatoGrafico& s = stato_;
    if (!tubo_caricato())
        return;
    s.mouse_x = x;
    s.mouse_y = y;
    s.mouse_v = calcolav(x);
    s.mouse_i = calcolai(y);

    // The rubber band: only the left button alone, in line mode, and only
    // while a line started by a press is on its way.
    if (button == 1 && vista_.legenda_selezionata() == Legenda::retta && numero_oggetti(s.rette) > 0) {
        if (s.traccia_attiva)
            tela_.linea_xor(s.retta_x0, s.retta_y0, s.retta_x1, s.retta_y1, s.colore_retta, spessore_oggetti);
        else
            s.traccia_attiva = true;
        s.retta_x1 = x;
        s.retta_y1 = y;
        s.retta_v1 = s.mouse_v;
        s.retta_i1 = s.mouse_i;
        tela_.linea_xor(s.retta_x0, s.retta_y0, x, y, s.colore_retta, spessore_oggetti);
        segmento& ultimo = s.rette.back();
        ultimo.colore = s.colore_retta;
        ultimo.x1 = x;
        ultimo.y1 = y;
        aggiorna();
    }
    display_valori(false);
}

void Grafico::Picture1_MouseUp(int button, int /*shift*/, float /*x*/, float /*y*/)
{
    StatoGrafico& s = stato_;
    if (!tubo_caricato())
        return;
    const int k = numero_oggetti(s.rette);
    if (button == 1 && vista_.legenda_selezionata() == Legenda::retta && k > 0) {
        segmento& ultimo = s.rette.back();
        ultimo.etichetta = numeri::etichetta(u'R', k);
        paint_value(ultimo.etichetta, ultimo.x0, ultimo.y0, colore_etichetta_retta);
        vista_.imposta_legenda(Legenda::retta, colore_presente(Legenda::retta), ultimo.etichetta);
    }
    s.traccia_attiva = false;
}

bool Grafico::completa_retta()
{
    StatoGrafico& s = stato_;
    const int k = numero_oggetti(s.rette);
    if (k < 1)
        return false;
    vista_.imposta_testo(Campo::r_value, testo_non_calcolabile);

    // Change of x per pixel of y: a load line falls from upper left to lower
    // right, so only a positive slope can be carried to both axes.
    const float dy = s.retta_y0 - s.retta_y1;
    if (dy == 0.0f)
        return false;
    const float m = (s.retta_x0 - s.retta_x1) / dy;
    if (!(m > 0.0f) || !std::isfinite(m))
        return false;
    const float y0 = std::floor((s.org_x - s.retta_x0) / m + s.retta_y0);
    const float x1 = std::floor(m * (s.org_y - s.retta_y1) + s.retta_x1);
    // A line so flat or steep that it meets an axis beyond what the chart
    // can draw (and a project file hold) is not completed.
    if (!(std::fabs(y0) < numeri::limite_coordinata) || !(std::fabs(x1) < numeri::limite_coordinata))
        return false;

    // Normally the current line is the last one drawn. After a recalculation
    // it is the new line instead, already on both axes: the drawn line must
    // then stay where the user put it rather than jump onto the new one.
    segmento& ultimo = s.rette[std::size_t(k)];
    const bool linea_disegnata =
        ultimo.x0 == s.retta_x0 && ultimo.y0 == s.retta_y0 && ultimo.x1 == s.retta_x1 && ultimo.y1 == s.retta_y1;
    const int c = ultimo.colore;
    if (linea_disegnata) {
        disegna_linea(ultimo, c);
        paint_value(ultimo.etichetta, ultimo.x0, ultimo.y0, colore_etichetta_retta);
    }

    s.retta_y0 = y0;
    s.retta_x1 = x1;
    s.retta_x0 = s.org_x;
    s.retta_y1 = s.org_y;
    s.retta_v0 = calcolav(s.retta_x0);
    s.retta_i0 = calcolai(s.retta_y0);
    s.retta_v1 = calcolav(s.retta_x1);
    s.retta_i1 = calcolai(s.retta_y1);

    if (linea_disegnata) {
        ultimo.x0 = s.retta_x0;
        ultimo.y0 = s.retta_y0;
        ultimo.x1 = s.retta_x1;
        ultimo.y1 = s.retta_y1;
        ultimo.colore = c;
        ultimo.etichetta = numeri::etichetta(u'R', k);
        disegna_linea(ultimo, c);
        paint_value(ultimo.etichetta, ultimo.x0, ultimo.y0, colore_etichetta_retta);
    }
    display_valori(false);
    aggiorna();
    return true;
}

void Grafico::azzera_partitore()
{
    stato_.valore_r_anodica = 0;
    stato_.valore_r_catodica = 0;
    stato_.valore_c_catodica = 0;
    display_valori(true);
}

void Grafico::completa_retta_Click()
{
    if (completa_retta())
        display_valori(true);
}
