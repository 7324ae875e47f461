#include "chart/ui/picture1.h"

#include "chart/grafico.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

class MouseGrafico : public RicevitoreMouse {
public:
    explicit MouseGrafico(Grafico& g) : g_(g) {}
    void mouse_down(int button, int shift, float x, float y) override { g_.Picture1_MouseDown(button, shift, x, y); }
    void mouse_move(int button, int shift, float x, float y) override { g_.Picture1_MouseMove(button, shift, x, y); }
    void mouse_up(int button, int shift, float x, float y) override { g_.Picture1_MouseUp(button, shift, x, y); }

private:
    Grafico& g_;
};

} // namespace

Picture1::Picture1(Grafico& grafico, QWidget* parent)
    : QWidget(parent), adattatore_(std::make_unique<MouseGrafico>(grafico)), tela_(grafico.tela()),
      ricevitore_(*adattatore_)
{
    imposta();
}

Picture1::Picture1(const Tela& tela, RicevitoreMouse& ricevitore, QWidget* parent)
    : QWidget(parent), tela_(tela), ricevitore_(ricevitore)
{
    imposta();
}

Picture1::~Picture1() = default;

void Picture1::imposta()
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
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
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

void Picture1::aggiorna_zona()
{
    const QRect zona = tela_.prendi_zona_cambiata();
    if (!zona.isEmpty())
        update(zona);
}

void Picture1::paintEvent(QPaintEvent* evento)
{
    QPainter p(this);
    const QRect zona = evento->rect();
    p.drawImage(zona, tela_.immagine(), zona);
}

void Picture1::mousePressEvent(QMouseEvent* evento)
{
    const QPointF pos = evento->position();
    ricevitore_.mouse_down(codice_pulsante(evento->button()), codice_maiuscole(evento->modifiers()), float(pos.x()),
                           float(pos.y()));
    aggiorna_zona();
}

void Picture1::mouseMoveEvent(QMouseEvent* evento)
{
    const QPointF pos = evento->position();
    ricevitore_.mouse_move(codice_pulsanti(evento->buttons()), codice_maiuscole(evento->modifiers()), float(pos.x()),
                           float(pos.y()));
    aggiorna_zona();
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
    ricevitore_.mouse_up(codice_pulsante(evento->button()), codice_maiuscole(evento->modifiers()), float(pos.x()),
                         float(pos.y()));
    aggiorna_zona();
}
