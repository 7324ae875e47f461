#include "disegni.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace valvole_demo;

namespace disegni {

namespace {

constexpr int lato = 260;
constexpr int alto_img = 290;
constexpr int cx = 130;
constexpr int cy = 128;
constexpr int raggio_zoccolo = 74;
constexpr int raggio_piedini = 50;

const QRgb bianco = qRgb(255, 255, 255);
const QRgb nero = qRgb(0, 0, 0);
const QRgb grigio = qRgb(190, 190, 190);
const QRgb scuro = qRgb(60, 60, 60);
const QRgb blu = qRgb(0, 0, 170);
const QRgb rosso = qRgb(200, 0, 0);

// Angle of pin k (from 0), clockwise from the top, for a socket seen from
// below (pins are numbered clockwise in that view).
double angolo(Zoccolo z, int k)
{
    switch (z) {
    case Zoccolo::noval: return 36.0 * (k + 1);  // ten places, the empty one at the top
    case Zoccolo::octal: return 45.0 * k + 22.5; // the key at the top
    case Zoccolo::ux4: return std::array<double, 4>{225.0, 315.0, 45.0, 135.0}[static_cast<std::size_t>(k)];
    }
    return 0;
}

int numero_piedini(Zoccolo z)
{
    return z == Zoccolo::noval ? 9 : z == Zoccolo::octal ? 8 : 4;
}

QPointF polare(double gradi, double r)
{
    const double a = gradi * std::numbers::pi / 180.0;
    return {cx + r * std::sin(a), cy - r * std::cos(a)};
}

} // namespace

std::vector<QRgb> tavolozza_piedinatura()
{
    return {bianco, nero, grigio, scuro, blu, rosso};
}

QImage disegna_piedinatura(const Valvola& v)
{
    QImage img(lato, alto_img, QImage::Format_RGB32);
    img.fill(bianco);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);

    const std::string_view sigla = v.sigla_usa.empty() ? v.sigla_euro : v.sigla_usa;
    const char* nome_zoccolo = v.zoccolo == Zoccolo::noval   ? "noval (9 piedini)"
                               : v.zoccolo == Zoccolo::octal ? "octal (8 piedini)"
                                                             : "a 4 piedini";
    p.setPen(QColor(nero));
    p.setFont(carattere(11, true));
    p.drawText(QRect(0, 3, lato, 15), Qt::AlignCenter,
               QString::fromLatin1(sigla.data(), static_cast<int>(sigla.size())) + QStringLiteral(" - zoccolo ") +
                   QString::fromLatin1(nome_zoccolo));
    p.setFont(carattere(10));
    p.drawText(QRect(0, 18, lato, 13), Qt::AlignCenter, QStringLiteral("vista dal basso"));

    p.setPen(QPen(QColor(nero), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPoint(cx, cy), raggio_zoccolo, raggio_zoccolo);
    if (v.zoccolo == Zoccolo::octal) {
        // The centre spigot with its key pointing at the gap between 8 and 1.
        p.setBrush(QColor(grigio));
        p.drawEllipse(QPoint(cx, cy), 16, 16);
        p.setBrush(QColor(rosso));
        p.setPen(QColor(rosso));
        p.drawRect(cx - 3, cy - 22, 6, 8);
    }

    const int n = numero_piedini(v.zoccolo);
    for (int k = 0; k < n; ++k) {
        const bool grosso = v.zoccolo == Zoccolo::ux4 && (k == 0 || k == 3);
        const int r = grosso ? 11 : 8;
        const QPointF c = polare(angolo(v.zoccolo, k), raggio_piedini);
        p.setPen(QColor(nero));
        p.setBrush(QColor(scuro));
        p.drawEllipse(c, r, r);
        p.setPen(QColor(bianco));
        p.setFont(carattere(10, true));
        p.drawText(QRectF(c.x() - r, c.y() - r, 2 * r + 1, 2 * r + 1), Qt::AlignCenter, QString::number(k + 1));

        const std::string_view funzione = v.piedini[static_cast<std::size_t>(k)];
        const QPointF t = polare(angolo(v.zoccolo, k), raggio_zoccolo + 16);
        p.setPen(QColor(blu));
        p.setFont(carattere(11, true));
        p.drawText(QRectF(t.x() - 20, t.y() - 8, 40, 16), Qt::AlignCenter,
                   funzione.empty() ? QStringLiteral("n.c.")
                                    : QString::fromLatin1(funzione.data(), static_cast<int>(funzione.size())));
    }

    p.setPen(QColor(nero));
    p.setFont(carattere(10));
    QString legenda = QStringLiteral("P anodo   G griglia   K catodo   F filamento");
    if (v.pentodo())
        legenda += QStringLiteral("\nG1 griglia controllo   G2 schermo   G3 soppressore");
    else if (v.doppio)
        legenda += QStringLiteral("\n1, 2 = numero della sezione");
    if (std::find(v.piedini.begin(), v.piedini.end(), std::string_view("CT")) != v.piedini.end())
        legenda += QStringLiteral("\nCT presa centrale del filamento");
    legenda += QStringLiteral("\nn.c. non collegato");
    p.drawText(QRect(4, 228, lato - 8, alto_img - 230), Qt::AlignHCenter | Qt::AlignTop, legenda);
    return img;
}

} // namespace disegni
