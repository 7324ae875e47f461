#include "messaggi_velmora.h"

#include <QEventLoop>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QRasterWindow>
#include <QScreen>

#include <algorithm>

namespace messaggi_velmora {

namespace {

constexpr int margine = 16;
constexpr int larghezza_testo = 360;
constexpr int altezza_pulsante = 28;
constexpr int larghezza_pulsante = 88;
constexpr int spazio = 8;
// A short message still gets a box of a readable width.
constexpr int larghezza_minima = 240;

// Where everything goes, from the text and the button count.
struct Disposizione {
    QRect testo;
    QList<QRect> pulsanti;
    QSize finestra;
};

Disposizione disponi(const Messaggio& m, const QFont& font)
{
    Disposizione d;
    const QFontMetrics fm(font);
    const QRect ingombro = fm.boundingRect(QRect(0, 0, larghezza_testo, 10000), Qt::TextWordWrap, m.testo);
    const int n = static_cast<int>(m.pulsanti.size());
    const int riga_pulsanti = n * larghezza_pulsante + (n - 1) * spazio;
    const int larghezza = std::max({ingombro.width(), riga_pulsanti, larghezza_minima}) + 2 * margine;
    d.testo = QRect(margine, margine, larghezza - 2 * margine, ingombro.height());
    const int y = d.testo.bottom() + 1 + 2 * margine;
    int x = (larghezza - riga_pulsanti) / 2;
    for (int i = 0; i < n; ++i, x += larghezza_pulsante + spazio)
        d.pulsanti << QRect(x, y, larghezza_pulsante, altezza_pulsante);
    d.finestra = QSize(larghezza, y + altezza_pulsante + margine);
    return d;
}

void disegna(QPainter& p, const Messaggio& m, const Disposizione& d, int scelto)
{
    const QPalette colori = QGuiApplication::palette();
    p.fillRect(QRect(QPoint(0, 0), d.finestra), colori.window());
    p.setPen(colori.windowText().color());
    p.drawText(d.testo, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter, m.testo);
    for (int i = 0; i < d.pulsanti.size(); ++i) {
        const QRect r = d.pulsanti[i].adjusted(0, 0, -1, -1);
        p.setBrush(colori.button());
        p.setPen(QPen(i == scelto ? colori.highlight().color() : colori.mid().color(), i == scelto ? 2 : 1));
        p.drawRoundedRect(r, 3, 3);
        p.setPen(colori.buttonText().color());
        p.drawText(r, Qt::AlignCenter, m.pulsanti[i]);
    }
}

class Finestra : public QRasterWindow {
public:
    explicit Finestra(const Messaggio& m) : m_(m), d_(disponi(m, QGuiApplication::font())), scelto_(m.predefinito)
    {
        setTitle(m.titolo);
        setModality(Qt::ApplicationModal);
        setFlags(Qt::Dialog);
        resize(d_.finestra);
        setMinimumSize(d_.finestra);
        setMaximumSize(d_.finestra);
        if (const QScreen* schermo = QGuiApplication::primaryScreen())
            setPosition(schermo->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }

    int esegui()
    {
        show();
        requestActivate();
        ciclo_.exec();
        hide();
        return risposta_;
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        disegna(p, m_, d_, scelto_);
    }

    void keyPressEvent(QKeyEvent* e) override
    {
        const int n = static_cast<int>(d_.pulsanti.size());
        switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space: fine(scelto_); break;
        case Qt::Key_Escape: fine(n - 1); break;
        case Qt::Key_Left:
        case Qt::Key_Backtab:
            scelto_ = (scelto_ + n - 1) % n;
            update();
            break;
        case Qt::Key_Right:
        case Qt::Key_Tab:
            scelto_ = (scelto_ + 1) % n;
            update();
            break;
        default: break;
        }
    }

    void mouseReleaseEvent(QMouseEvent* e) override
    {
        for (int i = 0; i < d_.pulsanti.size(); ++i)
            if (d_.pulsanti[i].contains(e->position().toPoint()))
                fine(i);
    }

    void closeEvent(QCloseEvent*) override
    {
        if (ciclo_.isRunning())
            fine(static_cast<int>(d_.pulsanti.size()) - 1);
    }

private:
    void fine(int i)
    {
        risposta_ = i;
        ciclo_.quit();
    }

    Messaggio m_;
    Disposizione d_;
    int scelto_;
    int risposta_ = 0;
    QEventLoop ciclo_;
};

} // namespace

int mostra(const Messaggio& m)
{
    if (m.pulsanti.isEmpty())
        return -1;
    Finestra f(m);
    return f.esegui();
}

QImage immagine(const Messaggio& m)
{
    const Disposizione d = disponi(m, QGuiApplication::font());
    QImage img(d.finestra, QImage::Format_RGB32);
    QPainter p(&img);
    p.setFont(QGuiApplication::font());
    disegna(p, m, d, m.predefinito);
    return img;
}

} // namespace messaggi_velmora

namespace {

QString titolo_o_programma(const QString& titolo)
{
    return titolo.isEmpty() ? QGuiApplication::applicationName() : titolo;
}

} // namespace

void PiattaformaVelmora::messaggio(const QString& testo, const QString& titolo)
{
    messaggi_velmora::mostra({titolo_o_programma(titolo), testo, {QStringLiteral("OK")}, 0});
}

bool PiattaformaVelmora::domanda_si_no(const QString& testo, const QString& titolo)
{
    // No is the default, as in every question of the program.
    return messaggi_velmora::mostra(
               {titolo_o_programma(titolo), testo, {QStringLiteral("Sì"), QStringLiteral("No")}, 1}) == 0;
}

void PiattaformaVelmora::puntatore_occupato(bool occupato)
{
    if (occupato)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}
