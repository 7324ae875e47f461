#pragma once

// "Ritaglia Grafico": the loaded curve picture or data-sheet page, scaled to
// fit the screen, where the user drags a rectangle around the plot (its
// axes, their numbers and the curves) before it is rescaled for the
// calibration. A skewed scan is straightened on opening; the user may undo
// that, and turn a sideways plot by quarter turns.

#include "common/testo_tradotto.h"
#include <QDialog>
#include <QImage>
#include <QRect>

class QCheckBox;
class QLabel;
class QPushButton;

class AreaRitaglio;
class Piattaforma;

class Ritaglia_Grafico : public QDialog {
    Q_OBJECT
public:
    static constexpr TestoTradotto titolo{
        "Ritaglia_Grafico", QT_TRANSLATE_NOOP("Ritaglia_Grafico", "Ritaglia Grafico")}; // "Ritaglia Grafico"
    // The window's answers: its exec() result.
    enum Esito { annulla = QDialog::Rejected, ritaglia = QDialog::Accepted, tutta = 2 };

    Ritaglia_Grafico(Piattaforma& piattaforma, const QImage& immagine, QWidget* parent = nullptr);

    // The picture as it now stands: straightened when "Raddrizza" is
    // checked, turned by the quarter turns asked.
    const QImage& immagine() const { return corrente_; }
    // The rectangle, in pixels of immagine().
    QRect ritaglio() const { return ritaglio_; }
    void imposta_ritaglio(const QRect& r);
    // The grid's frame on immagine() (empty when no grid was found), where
    // the rectangle starts.
    QRect cornice() const { return cornice_; }
    // The skew measured on the loaded picture, in degrees.
    double inclinazione() const { return inclinazione_; }
    // What the window hands on for its answer: the rectangle for "OK", the
    // whole picture for "Tutta l'immagine", nothing on cancel.
    QImage risultato(int esito) const;
    // True when the picture handed on differs from the one loaded.
    bool modificata(int esito) const;

    void ruota(bool destra);

    QPushButton* ok = nullptr;
    QPushButton* tutta_immagine = nullptr;
    QPushButton* annulla_ = nullptr;
    QPushButton* ruota_sinistra = nullptr;
    QPushButton* ruota_destra = nullptr;
    QCheckBox* raddrizza = nullptr;
    QLabel* nota = nullptr;
    // Shown while no plot is found on the picture: the rectangle then
    // starts on the whole of it, and the user has to draw one.
    QLabel* senza_grafico = nullptr;
    AreaRitaglio* area = nullptr;

private:
    void aggiorna_immagine();

    Piattaforma& piattaforma_;
    QImage originale_;
    QImage raddrizzata_;
    QImage corrente_;
    int quarti_ = 0; // clockwise quarter turns
    double inclinazione_ = 0;
    QRect ritaglio_;
    QRect cornice_;
};

// The picture scaled down, with the rectangle drawn over it; dragging the
// left button draws a new one.
class AreaRitaglio : public QWidget {
    Q_OBJECT
public:
    AreaRitaglio(Ritaglia_Grafico& finestra, QWidget* parent);
    void imposta(const QImage& immagine, QSize massima);
    double scala() const { return scala_; }
    QPoint a_immagine(QPointF p) const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    Ritaglia_Grafico& finestra_;
    QImage vista_;
    double scala_ = 1;
    QPoint inizio_;
    bool trascina_ = false;
};
