#pragma once

// The chart engine: the load line, the points, the components, the
// recalculated lines and the maximum-power curve over the tube's curves.
// It works on its state and its canvas and reaches the window only through
// VistaGrafico: the recalculation dialog, too, is a request the window
// answers. The engine is core code and links no widget library.

#include "common/testo_tradotto.h"
#include "chart/stato_grafico.h"
#include "chart/tela.h"
#include "chart/vista_grafico.h"
#include "model/modello_valvola.h"

#include <QPointF>
#include <QVector>

#include <QString>

class Grafico {
public:
    explicit Grafico(VistaGrafico& vista);

    StatoGrafico& stato() { return stato_; }
    const StatoGrafico& stato() const { return stato_; }
    Tela& tela() { return tela_; }
    const QImage& canvas() const { return tela_.immagine(); }

    // --- state, calibration and drawing primitives ---
    // The four object lists back to their placeholder alone.
    void reset_liste();
    // The tube's curve picture at 1:1 on the canvas (drawings are lost).
    void imposta_immagine(const QImage& figura);
    // The canvas back to its plain background.
    void rimuovi_immagine();

    double calcolav(float x) const;
    double calcolai(float y) const;
    void check_point(int x1, int X2, int y1, int Y2);
    void draw_marker();
    void paint_value(const QString& dato, float x, float y, int colore);
    // An object's own drawing, by XOR with its pen: a line from its start
    // to its end point, the box of a point. Also what redraws a project.
    void disegna_linea(const segmento& s, int colore);
    void disegna_box(float x, float y, int colore);
    void clear_param(int mode);
    void display_valori(bool mode);

    // --- mouse over the chart (VB button codes: 1 left, 2 right, 4 middle;
    //     for a move, the sum of the buttons held) ---
    void Picture1_MouseDown(int button, int shift, float x, float y);
    void Picture1_MouseMove(int button, int shift, float x, float y);
    void Picture1_MouseUp(int button, int shift, float x, float y);

    bool completa_retta();
    void azzera_partitore();

    // --- components and gain ---
    bool ricalcola_partitore();
    bool ricalcola_guadagno();
    void grid_bias_KeyDown(int key, int shift);
    void grid_bias_LostFocus();
    void gain_bias_KeyDown(int key, int shift);
    void gain_bias_LostFocus();
    void r_anodica_Change();

    // --- recalculated lines ---
    bool ricalcola_retta();

    // --- erasing ---
    // Erases the last object of a kind, by voce_cancella: load line,
    // working point, gain point, recalculated line.
    void cancella_oggetto(int flag);

    // --- the tube model ---
    // The model's curves at the given grid voltages, drawn by XOR over the
    // picture; false when nothing could be drawn. nascondi_modello() draws the
    // very same curves again, which erases them. A new picture forgets them.
    bool mostra_modello(const modello::ParametriModello& m, const QVector<double>& griglie);
    void nascondi_modello();
    bool modello_mostrato() const { return !curve_modello_.isEmpty(); }

    // A line of the output stage over the picture, in volts and milliamperes
    // (drawn where it lies inside the axes, replacing any earlier one), and
    // its removal; false when none of it falls inside the axes.
    bool mostra_retta_finale(const QVector<QPointF>& volt_milliampere);
    void nascondi_retta_finale();
    bool retta_finale_mostrata() const { return !retta_finale_.isEmpty(); }

    // --- menu commands ---
    void completa_retta_Click();     // "Co&mpleta Retta"
    void calcolo_componenti_Click(); // "&Calcolo Componenti"
    void ricalcola_retta_Click();    // "Ria&lcola e disegna Retta"
    void traccia_maxpower_Click();   // "Traccia Potenza MAX."
    void canc_function_Click(int index);

    // A resistance as the component fields show it: grouped thousands,
    // empty below 1 ohm.
    static QString testo_resistenza(int32_t ohm);

    // Captions and looks shared with the window.
    static QColor colore_assente();
    static QColor colore_presente(Legenda legenda);
    static constexpr TestoTradotto testo_assente{"Grafico", QT_TRANSLATE_NOOP("Grafico", "Assente")};
    static constexpr TestoTradotto testo_non_calcolabile{"Grafico", QT_TRANSLATE_NOOP("Grafico", "Non Calcolabile")};
    static constexpr TestoTradotto caption_traccia_potenza{"Grafico",
                                                           QT_TRANSLATE_NOOP("Grafico", "Traccia Potenza massima")};
    static constexpr TestoTradotto caption_cancella_potenza{"Grafico",
                                                            QT_TRANSLATE_NOOP("Grafico", "Cancella Potenza massima")};

private:
    bool tubo_caricato() const;
    // A new line of the given resistance from the voltage-axis point of the
    // current line; false when nothing could be drawn.
    bool traccia_retta_calcolata(int32_t resistenza);
    // The grid-voltage entry of Enter and focus loss: "," to "." and no sign.
    void normalizza_tensione_griglia(Campo campo);
    void aggiorna();

    VistaGrafico& vista_;
    StatoGrafico stato_;
    Tela tela_;
    QVector<QVector<QPointF>> curve_modello_; // as drawn, to erase them
    int colore_modello_ = 0;
    QVector<QVector<QPointF>> retta_finale_; // as drawn, to erase it
    int colore_retta_finale_ = 0;
};
