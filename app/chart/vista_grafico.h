#pragma once

#include <QColor>
#include <QString>

struct StatoGrafico;

// The value fields of the main window that the chart engine reads and writes,
// named as the fields themselves.
enum class Campo {
    // mouse frames
    curr_X,
    curr_Y,
    curr_v,
    curr_i,
    // calibration frames
    origin_X,
    origin_Y,
    max_current_X,
    max_current_y,
    max_current_i,
    max_voltage_X,
    max_voltage_Y,
    max_voltage_V,
    // load line
    start_x,
    start_y,
    start_V,
    start_i,
    end_x,
    end_y,
    end_v,
    end_i,
    // working point
    grid_x,
    grid_y,
    grid_v,
    grid_i,
    grid_bias,
    // gain point
    gain_x,
    gain_y,
    gain_v,
    gain_i,
    gain_bias,
    // components
    r_anodica,
    r_catodica,
    c_catodica,
    r_value,
    gain_value,
    // maximum dissipation
    potenza_anodica,
    // list row of the loaded tube (top strip)
    riga_db,
};

// The items of the "&Cancella" menu (the indexed array canc_function), one
// per kind of object drawn over the curves.
namespace voce_cancella {
inline constexpr int retta = 0;           // "&Retta"
inline constexpr int punto_lavoro = 1;    // "&Punto Lavoro"
inline constexpr int punto_gain = 2;      // "Punto &Gain"
inline constexpr int retta_calcolata = 3; // "&Retta Calcolata"
inline constexpr int numero = 4;
} // namespace voce_cancella

// The three legend option buttons; the selected one is the mouse mode.
enum class Legenda { retta, lavoro, guadagno };

// What the chart engine needs of the window that shows it. The main window
// implements it with its widgets; the engine holds no widget and opens no
// dialog: it asks through this interface and the window answers.
class VistaGrafico {
public:
    virtual ~VistaGrafico() = default;

    virtual QString testo(Campo campo) const = 0;
    // Setting a text raises the field's change event, as typing would
    // (r_anodica reacts to its own changes).
    virtual void imposta_testo(Campo campo, const QString& testo) = 0;

    // Legend look: background colour and caption.
    virtual void imposta_legenda(Legenda legenda, const QColor& sfondo, const QString& caption) = 0;
    virtual QColor sfondo_legenda(Legenda legenda) const = 0;
    virtual QString caption_legenda(Legenda legenda) const = 0;
    virtual Legenda legenda_selezionata() const = 0;

    // "&Cancella" items, by voce_cancella.
    virtual void abilita_cancella(int indice, bool abilitato) = 0;

    // The maximum-power field's look: locked (curve drawn) or editable, and
    // the caption of the "Traccia Potenza MAX." menu item.
    virtual void imposta_potenza_bloccata(bool bloccata) = 0;
    virtual bool potenza_bloccata() const = 0;
    virtual void imposta_caption_traccia_maxpower(const QString& caption) = 0;

    // The chart canvas changed: repaint Picture1.
    virtual void aggiorna_grafico() = 0;

    // "Parametri ricalcolo": the user is asked for the plate resistor of a
    // new load line and, optionally, a second (dynamic) one. The values
    // travel through the chart state: ricalcolo_end_v, ricalcolo_end_i,
    // ricalcolo_r_anodica and ricalcolo_r_dinamica are shown and written
    // back; ricalcolo_confermato tells whether the user confirmed.
    virtual void chiedi_ricalcolo(StatoGrafico& stato) = 0;
};
