#pragma once

#include <QColor>
#include <QString>

class QWidget;

// The value fields of the main window that the chart engine reads and writes,
// named as the fields themselves.
enum class Campo {
    // mouse frames
    curr_X, curr_Y, curr_v, curr_i,
    // calibration frames
    origin_X, origin_Y,
    max_current_X, max_current_y, max_current_i,
    max_voltage_X, max_voltage_Y, max_voltage_V,
    // load line
    start_x, start_y, start_V, start_i,
    end_x, end_y, end_v, end_i,
    // working point
    grid_x, grid_y, grid_v, grid_i, grid_bias,
    // gain point
    gain_x, gain_y, gain_v, gain_i, gain_bias,
    // components
    r_anodica, r_catodica, c_catodica, r_value, gain_value,
    // maximum dissipation
    potenza_anodica,
    // list row of the loaded tube (top strip)
    riga_db,
};

// The three legend option buttons; the selected one is the mouse mode.
enum class Legenda { retta, lavoro, guadagno };

// What the chart engine needs of the window that shows it. The main window
// implements it with its widgets; the engine never touches a widget itself.
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

    // "&Cancella" items, index 0 to 3.
    virtual void abilita_cancella(int indice, bool abilitato) = 0;

    // The maximum-power field's look: locked (curve drawn) or editable, and
    // the caption of the "Traccia Potenza MAX." menu item.
    virtual void imposta_potenza_bloccata(bool bloccata) = 0;
    virtual bool potenza_bloccata() const = 0;
    virtual void imposta_caption_traccia_maxpower(const QString& caption) = 0;

    // The chart canvas changed: repaint Picture1.
    virtual void aggiorna_grafico() = 0;

    // Parent for the engine's modal dialogs.
    virtual QWidget* finestra_principale() = 0;
};
