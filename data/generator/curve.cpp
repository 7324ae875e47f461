#include "disegni.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>

using namespace valvole_demo;

namespace disegni {

namespace {

QRgb rgb(Rgb c)
{
    return qRgb(c.r, c.g, c.b);
}

// Numbers as an Italian data sheet prints them: comma decimals.
QString numero(double x)
{
    QString s = QString::number(x, 'g', 6);
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

QString etichetta_curva(double vg)
{
    return (vg == 0.0 ? QStringLiteral("0") : numero(vg)) + QStringLiteral(" V");
}

// Rows (not rounded) of one curve at every pixel column of the plot, from the
// model. The drawing puts each at the nearest whole pixel, so reading a curve
// pixel back through the calibration is within half a pixel of the model.
std::vector<double> righe_curva(const Valvola& v, double vg)
{
    std::vector<double> righe;
    for (int x = org_x; x <= vmax_x; ++x) {
        const double ep = static_cast<double>(x - org_x) / (vmax_x - org_x) * v.vmax_v;
        righe.push_back(y_di(v, corrente(v, ep, vg)));
    }
    return righe;
}

void disegna_griglia(QImage& img, const Valvola& v)
{
    const QRgb griglia = rgb(colore_griglia);
    const QRgb assi = rgb(colore_assi);
    for (int k = 1; k <= divisioni; ++k) {
        const int x = org_x + k * passo_x;
        const int y = org_y - k * passo_y;
        for (int yy = imax_y; yy <= org_y; ++yy)
            img.setPixel(x, yy, griglia);
        for (int xx = org_x; xx <= vmax_x; ++xx)
            img.setPixel(xx, y, griglia);
    }
    for (int yy = imax_y; yy <= org_y; ++yy)
        img.setPixel(org_x, yy, assi);
    for (int xx = org_x; xx <= vmax_x; ++xx)
        img.setPixel(xx, org_y, assi);
    // Ticks outside the plot, beside each scale label.
    for (int k = 0; k <= divisioni; ++k) {
        for (int d = 1; d <= 3; ++d) {
            img.setPixel(org_x + k * passo_x, org_y + d, assi);
            img.setPixel(org_x - d, org_y - k * passo_y, assi);
        }
    }

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setPen(QColor(assi));
    p.setFont(carattere(10));
    const QFontMetrics fm(p.font());
    for (int k = 0; k <= divisioni; ++k) {
        const QString sv = numero(static_cast<double>(v.vmax_v) * k / divisioni);
        const int x = org_x + k * passo_x;
        p.drawText(QRect(x - 30, org_y + 4, 60, fm.height()), Qt::AlignHCenter | Qt::AlignTop, sv);
        const QString si = numero(static_cast<double>(v.imax_i) * k / divisioni);
        const int y = org_y - k * passo_y;
        p.drawText(QRect(0, y - fm.height() / 2, org_x - 5, fm.height()), Qt::AlignRight | Qt::AlignVCenter, si);
    }
    p.drawText(QRect(4, imax_y - 16, 80, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Ia (mA)"));
    p.drawText(QRect(org_x, org_y + 18, vmax_x - org_x, 16), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Tensione anodica Va (V)"));
}

void disegna_titolo(QImage& img, const Valvola& v)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setPen(QColor(rgb(colore_assi)));
    QString nome = QString::fromLatin1(v.sigla_usa.data(), static_cast<int>(v.sigla_usa.size()));
    if (!v.sigla_euro.empty()) {
        if (!nome.isEmpty())
            nome += QStringLiteral(" / ");
        nome += QString::fromLatin1(v.sigla_euro.data(), static_cast<int>(v.sigla_euro.size()));
    }
    QString titolo = nome + QStringLiteral("  -  caratteristiche anodiche");
    if (v.pentodo())
        titolo += QStringLiteral(", pentodo, Vg2 = ") + numero(v.parametri.vg2) + QStringLiteral(" V");
    else if (v.doppio)
        titolo += QStringLiteral(", una sezione");
    p.setFont(carattere(12, true));
    p.drawText(QRect(0, 2, larghezza, 16), Qt::AlignHCenter | Qt::AlignVCenter, titolo);
    p.setFont(carattere(10));
    p.drawText(QRect(90, 19, larghezza - 92, 14), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Curve calcolate dal modello di Koren, non misurate. Vg1 su ogni curva."));
}

} // namespace

QFont carattere(int pixel, bool grassetto, bool antialias)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixel);
    f.setBold(grassetto);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(antialias ? QFont::PreferAntialias : QFont::NoAntialias);
    return f;
}

std::vector<QRgb> tavolozza_curve()
{
    std::vector<QRgb> t = {rgb(colore_sfondo), rgb(colore_assi), rgb(colore_griglia)};
    for (const Rgb& c : colori_curve)
        t.push_back(rgb(c));
    return t;
}

QImage disegna_curve(const Valvola& v)
{
    QImage img(larghezza, altezza, QImage::Format_RGB32);
    img.fill(rgb(colore_sfondo));
    disegna_griglia(img, v);
    disegna_titolo(img, v);

    // Label boxes already placed, so that later labels keep clear of them.
    std::vector<QRect> occupati;
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(carattere(10));
    const QFontMetrics fm(p.font());
    const QRect area(org_x + 2, imax_y + 1, vmax_x - org_x - 3, org_y - imax_y - 3);

    for (int k = 0; k < v.n_curve; ++k) {
        const double vg = tensione_griglia(v, k);
        const QRgb colore = rgb(colore_curva(k));
        const std::vector<double> righe = righe_curva(v, vg);

        // The curve: one pixel per column at the nearest row, joined to the
        // previous column by a vertical run split half-way, so steep parts
        // stay connected. Nothing is drawn on the axes, whose end points are
        // the calibration, or above the top of the scale.
        auto punto = [&](int x, long y) {
            if (x > org_x && y >= imax_y && y < org_y)
                img.setPixel(x, static_cast<int>(y), colore);
        };
        long precedente = 0;
        for (std::size_t i = 0; i < righe.size(); ++i) {
            const int x = org_x + static_cast<int>(i);
            const double yf = std::clamp(righe[i], imax_y - 10.0, org_y + 10.0);
            const long y = std::lround(yf);
            if (i > 0 && std::labs(y - precedente) > 1) {
                const long mezzo = (y + precedente) / 2;
                const long passo = y > precedente ? 1 : -1;
                for (long r = precedente + passo; r != mezzo + passo; r += passo)
                    punto(x - 1, r);
                for (long r = mezzo; r != y; r += passo)
                    punto(x, r);
            }
            punto(x, y);
            precedente = y;
        }

        // The label goes where the curve leaves the plot (top or right edge),
        // moved back along the curve while it would cover an earlier label.
        std::size_t uscita = righe.size() - 1;
        for (std::size_t i = 0; i < righe.size(); ++i) {
            if (righe[i] < imax_y) {
                uscita = i;
                break;
            }
        }
        const QString testo = etichetta_curva(vg);
        const int w = fm.horizontalAdvance(testo) + 2;
        const int h = fm.height();
        QRect scelta;
        for (long i = static_cast<long>(uscita); i >= 0; i -= 3) {
            const int x = org_x + static_cast<int>(i);
            const int y = static_cast<int>(std::lround(std::clamp(
                righe[static_cast<std::size_t>(i)], static_cast<double>(imax_y), static_cast<double>(org_y))));
            // Right of the curve when it leaves at the top. When it leaves on
            // the right: above a flat pentode curve, below a rising triode
            // curve, so the label sits on the side of its own curve away
            // from the neighbour that comes before it.
            QRect r = righe[uscita] < imax_y ? QRect(x + 3, y + 2, w, h)
                      : v.pentodo()            ? QRect(x - w - 2, y - h - 1, w, h)
                                             : QRect(x - w - 2, y + 3, w, h);
            if (!area.contains(r))
                continue;
            const bool libero = std::none_of(occupati.begin(), occupati.end(),
                                             [&](const QRect& o) { return o.adjusted(-1, -1, 1, 1).intersects(r); });
            if (libero) {
                scelta = r;
                break;
            }
        }
        if (scelta.isNull())
            continue;
        occupati.push_back(scelta);
        p.setPen(QColor(colore));
        p.drawText(scelta, Qt::AlignLeft | Qt::AlignVCenter, testo);
    }
    return img;
}

QImage disegna_assente()
{
    QImage img(larghezza, altezza, QImage::Format_RGB32);
    img.fill(rgb(colore_sfondo));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    // Empty axes, so the placeholder still reads as a chart area.
    p.setPen(QColor(rgb(colore_griglia)));
    for (int k = 1; k <= divisioni; ++k) {
        p.drawLine(org_x + k * passo_x, imax_y, org_x + k * passo_x, org_y);
        p.drawLine(org_x, org_y - k * passo_y, vmax_x, org_y - k * passo_y);
    }
    p.setPen(QColor(rgb(colore_assi)));
    p.drawLine(org_x, imax_y, org_x, org_y);
    p.drawLine(org_x, org_y, vmax_x, org_y);
    const QRect riquadro(109, 169, 300, 80);
    p.fillRect(riquadro, QColor(rgb(colore_sfondo)));
    p.drawRect(riquadro);
    p.setFont(carattere(20, true));
    p.drawText(riquadro.adjusted(0, 8, 0, -36), Qt::AlignCenter, QStringLiteral("Curva non disponibile"));
    p.setFont(carattere(11));
    p.drawText(riquadro.adjusted(0, 44, 0, -8), Qt::AlignCenter,
               QStringLiteral("per questa valvola non c'è il grafico"));
    return img;
}

} // namespace disegni
