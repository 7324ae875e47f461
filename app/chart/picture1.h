#pragma once

// The chart area: shows the chart canvas at one screen pixel per picture
// pixel and hands the mouse to the engine with the button codes it expects
// (1 left, 2 right, 4 middle; for a move, the sum of the buttons held).

#include <QWidget>

class Grafico;

class Picture1 : public QWidget {
    Q_OBJECT
public:
    explicit Picture1(Grafico& grafico, QWidget* parent = nullptr);

    QSize sizeHint() const override;

    static int codice_pulsante(Qt::MouseButton pulsante);
    static int codice_pulsanti(Qt::MouseButtons pulsanti);
    static int codice_maiuscole(Qt::KeyboardModifiers modificatori);

protected:
    void paintEvent(QPaintEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void mouseDoubleClickEvent(QMouseEvent* evento) override;

private:
    Grafico& grafico_;
    Qt::MouseButton rilascio_ignorato_ = Qt::NoButton;
};
