#pragma once

// The chart engine's test bench: a busy picture on known axes, the engine
// over a plain stand-in of the window, and the user's hands (drag, click,
// the answer to the recalculation request).

#include "chart/calibrazione.h"
#include "chart/grafico.h"
#include "vista_prova.h"

#include <QImage>
#include <QList>
#include <QPointF>

#include <functional>

// A busy picture, so that every XOR drawing changes pixels and any pixel
// left wrong after an erase shows.
inline QImage figura_prova()
{
    QImage figura(518, 418, QImage::Format_RGB32);
    for (int y = 0; y < figura.height(); ++y)
        for (int x = 0; x < figura.width(); ++x)
            figura.setPixel(x, y, qRgb((x * 7) & 255, (y * 5) & 255, ((x ^ y) * 3) & 255));
    return figura;
}

// Origin (100, 400); 400 V at column 500; 60 mA at row 100: 1 V per
// column, 0.2 mA per row.
inline void calibra(StatoGrafico& s)
{
    s.org_x = 100;
    s.org_y = 400;
    s.vmax_x = 500;
    s.vmax_y = 400;
    s.vmax_v = 400;
    s.imax_x = 100;
    s.imax_y = 100;
    s.imax_i = 60;
}

struct Banco {
    VistaProva vista;
    Grafico grafico{vista};
    QImage base;

    Banco()
    {
        vista.grafico = &grafico;
        calibra(grafico.stato());
        grafico.imposta_immagine(figura_prova());
        base = grafico.canvas().copy();
        vista.testi[Campo::riga_db] = QStringLiteral("1");
    }

    StatoGrafico& s() { return grafico.stato(); }
    QString t(Campo c) const { return vista.testi.value(c); }

    void trascina(QPointF da, const QList<QPointF>& passi)
    {
        grafico.Picture1_MouseDown(1, 0, float(da.x()), float(da.y()));
        for (const QPointF& p : passi)
            grafico.Picture1_MouseMove(1, 0, float(p.x()), float(p.y()));
        const QPointF fine = passi.isEmpty() ? da : passi.back();
        grafico.Picture1_MouseUp(1, 0, float(fine.x()), float(fine.y()));
    }
    void clic(Legenda modo, float x, float y)
    {
        vista.selezionata = modo;
        grafico.Picture1_MouseDown(1, 0, x, y);
        grafico.Picture1_MouseUp(1, 0, x, y);
    }
};

// What the canvas must look like: the base picture with the given XOR
// drawings, made with the canvas primitives directly.
inline QImage atteso(const std::function<void(Tela&)>& disegni)
{
    Tela tela;
    tela.imposta_immagine(figura_prova());
    disegni(tela);
    return tela.immagine().copy();
}

inline int pixel_diversi(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

// Answers the next recalculation request as the user would the dialog.
inline void rispondi_ricalcolo(VistaProva& vista, const QString& r_anodica, const QString& r_dinamica, bool conferma,
                               QString* end_v_letto = nullptr, QString* r_anodica_letta = nullptr)
{
    vista.risposta_ricalcolo = [=](StatoGrafico& s) {
        if (end_v_letto)
            *end_v_letto = s.ricalcolo_end_v;
        if (r_anodica_letta)
            *r_anodica_letta = s.ricalcolo_r_anodica;
        if (!conferma)
            return;
        s.ricalcolo_r_anodica = r_anodica;
        s.ricalcolo_r_dinamica = r_dinamica;
        s.ricalcolo_confermato = true;
    };
}
