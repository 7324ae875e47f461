#include "chart/picture1.h"

#include "chart/grafico.h"

#include <QMouseEvent>
#include <QPainter>

Picture1::Picture1(Grafico& grafico, QWidget* parent)
    : QWidget(parent)
    , grafico_(grafico)
{
    setObjectName(QStringLiteral("Picture1"));
    // The pointer's voltage and current are shown on every move, not only
    // while a button is held.
    setMouseTracking(true);
    // Clicking the chart takes the focus, so a grid voltage being typed is
    // taken in (its focus-loss handling runs) as the user moves on.
    setFocusPolicy(Qt::ClickFocus);
    setFixedSize(Tela::larghezza, Tela::altezza);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize Picture1::sizeHint() const
{
    return {Tela::larghezza, Tela::altezza};
}

int Picture1::codice_pulsante(Qt::MouseButton pulsante)
{
    switch (pulsante) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int Picture1::codice_pulsanti(Qt::MouseButtons pulsanti)
{
    int codice = 0;
    if (pulsanti & Qt::LeftButton)
        codice += 1;
    if (pulsanti & Qt::RightButton)
        codice += 2;
    if (pulsanti & Qt::MiddleButton)
        codice += 4;
    return codice;
}

int Picture1::codice_maiuscole(Qt::KeyboardModifiers modificatori)
{
    int codice = 0;
    if (modificatori & Qt::ShiftModifier)
        codice += 1;
    if (modificatori & Qt::ControlModifier)
        codice += 2;
    if (modificatori & Qt::AltModifier)
        codice += 4;
    return codice;
}

void Picture1::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(QPoint(0, 0), grafico_.canvas());
}

void Picture1::mousePressEvent(QMouseEvent* evento)
{
    const QPointF pos = evento->position();
    grafico_.Picture1_MouseDown(codice_pulsante(evento->button()),
                                codice_maiuscole(evento->modifiers()), float(pos.x()),
                                float(pos.y()));
    update();
}

void Picture1::mouseMoveEvent(QMouseEvent* evento)
{
    const QPointF pos = evento->position();
    grafico_.Picture1_MouseMove(codice_pulsanti(evento->buttons()),
                                codice_maiuscole(evento->modifiers()), float(pos.x()),
                                float(pos.y()));
    update();
}

void Picture1::mouseDoubleClickEvent(QMouseEvent* evento)
{
    // The second press of a double click is not a new press: a double click
    // places one point or starts one line, like a single click. Its release
    // goes with it, or the label of the line just drawn would be painted
    // again, which erases it.
    rilascio_ignorato_ = evento->button();
}

void Picture1::mouseReleaseEvent(QMouseEvent* evento)
{
    if (rilascio_ignorato_ != Qt::NoButton && evento->button() == rilascio_ignorato_) {
        rilascio_ignorato_ = Qt::NoButton;
        return;
    }
    const QPointF pos = evento->position();
    grafico_.Picture1_MouseUp(codice_pulsante(evento->button()),
                              codice_maiuscole(evento->modifiers()), float(pos.x()),
                              float(pos.y()));
    update();
}
