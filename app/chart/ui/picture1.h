#pragma once

// A picture area: shows a canvas at one screen pixel per picture pixel and
// hands the mouse to its receiver with the button codes the handlers expect
// (1 left, 2 right, 4 middle; for a move, the sum of the buttons held). The
// chart of the main window is one, over the chart engine; the new-tube
// window has another over its own canvas.

#include <QWidget>

#include <memory>

class Grafico;
class Tela;

// Who handles the mouse over a picture area.
class RicevitoreMouse {
public:
    virtual ~RicevitoreMouse() = default;
    virtual void mouse_down(int button, int shift, float x, float y) = 0;
    virtual void mouse_move(int button, int shift, float x, float y) = 0;
    virtual void mouse_up(int button, int shift, float x, float y) = 0;
};

class Picture1 : public QWidget {
    Q_OBJECT
public:
    // The chart of the main window: the engine's canvas and mouse handlers.
    explicit Picture1(Grafico& grafico, QWidget* parent = nullptr);
    Picture1(const Tela& tela, RicevitoreMouse& ricevitore, QWidget* parent = nullptr);
    ~Picture1() override;

    QSize sizeHint() const override;

    static int codice_pulsante(Qt::MouseButton pulsante);
    static int codice_pulsanti(Qt::MouseButtons pulsanti);
    static int codice_maiuscole(Qt::KeyboardModifiers modificatori);

    // Repaints the part of the canvas drawn on since the last repaint.
    void aggiorna_zona();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void mouseDoubleClickEvent(QMouseEvent* evento) override;

private:
    void imposta();

    // The engine's handlers behind the receiver interface, for the chart.
    std::unique_ptr<RicevitoreMouse> adattatore_;
    const Tela& tela_;
    RicevitoreMouse& ricevitore_;
    Qt::MouseButton rilascio_ignorato_ = Qt::NoButton;
};
