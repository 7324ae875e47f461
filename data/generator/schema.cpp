#include "disegni.h"

#include <QPainter>
#include <QPainterPath>

namespace disegni {

namespace {

constexpr int larghezza_schema = 520;
constexpr int altezza_schema = 380;
constexpr int rotaia = 50; // the +B supply line
constexpr int massa_y = 330;

// A small drawing kit for the schematics, in black on white.
class Schema {
public:
    explicit Schema(QImage& img) : p(&img)
    {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setFont(carattere(13, false, true));
    }

    void linea(QPointF a, QPointF b) { p.drawLine(a, b); }
    void nodo(QPointF a)
    {
        p.save();
        p.setBrush(Qt::black);
        p.drawEllipse(a, 3, 3);
        p.restore();
    }
    void testo(QPointF a, const QString& s, int allineamento = Qt::AlignLeft | Qt::AlignVCenter)
    {
        QRectF r(a.x(), a.y() - 10, 160, 20);
        if (allineamento & Qt::AlignRight)
            r.moveRight(a.x());
        else if (allineamento & Qt::AlignHCenter)
            r.moveLeft(a.x() - 80);
        p.drawText(r, allineamento, s);
    }
    void massa(QPointF a)
    {
        linea(a, a + QPointF(0, 8));
        linea(a + QPointF(-12, 8), a + QPointF(12, 8));
        linea(a + QPointF(-7, 13), a + QPointF(7, 13));
        linea(a + QPointF(-2, 18), a + QPointF(2, 18));
    }
    // A resistor between two points on one vertical or horizontal line.
    void resistenza(QPointF a, QPointF b, const QString& nome)
    {
        const bool verticale = a.x() == b.x();
        const QPointF m = (a + b) / 2;
        const QPointF u = verticale ? QPointF(0, 1) : QPointF(1, 0);
        const QPointF n = verticale ? QPointF(1, 0) : QPointF(0, 1);
        const double meta = 22;
        const QPointF inizio = m - u * meta;
        linea(a, inizio);
        linea(m + u * meta, b);
        QPainterPath z(inizio);
        for (int k = 0; k < 6; ++k)
            z.lineTo(inizio + u * (meta / 3 * (k + 0.5)) + n * (k % 2 ? -7 : 7));
        z.lineTo(m + u * meta);
        p.drawPath(z);
        testo(verticale ? m + QPointF(12, 0) : m + QPointF(0, -20), nome,
              verticale ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignHCenter | Qt::AlignVCenter);
    }
    void condensatore(QPointF a, QPointF b, const QString& nome)
    {
        const bool verticale = a.x() == b.x();
        const QPointF m = (a + b) / 2;
        const QPointF u = verticale ? QPointF(0, 1) : QPointF(1, 0);
        const QPointF n = verticale ? QPointF(1, 0) : QPointF(0, 1);
        linea(a, m - u * 4);
        linea(m + u * 4, b);
        linea(m - u * 4 - n * 12, m - u * 4 + n * 12);
        linea(m + u * 4 - n * 12, m + u * 4 + n * 12);
        testo(verticale ? m + QPointF(16, 0) : m + QPointF(0, -22), nome,
              verticale ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignHCenter | Qt::AlignVCenter);
    }
    // A winding of n turns going down from a.
    void avvolgimento(QPointF a, int spire, bool a_destra)
    {
        QPainterPath w(a);
        for (int k = 0; k < spire; ++k) {
            const QPointF c = a + QPointF(0, 12 * k);
            w.arcTo(QRectF(c.x() - 8, c.y(), 16, 12), 90, a_destra ? -180 : 180);
        }
        p.drawPath(w);
    }
    void griglia(QPointF da, QPointF a)
    {
        p.save();
        QPen pen = p.pen();
        pen.setDashPattern({2, 2});
        p.setPen(pen);
        p.drawLine(da, a);
        p.restore();
    }
    void involucro(QPointF c, double r) { p.drawEllipse(c, r, r); }
    void titolo(const QString& s)
    {
        p.save();
        p.setFont(carattere(15, true, true));
        p.drawText(QRectF(0, 6, larghezza_schema, 24), Qt::AlignCenter, s);
        p.restore();
    }

    QPainter p;
};

// Cathode, control grid and plate of a tube at c; returns nothing, the leads
// end at c + (0, -40) (plate), c + (-40, g) (grid), c + (0, 40) (cathode).
void elettrodi_base(Schema& s, QPointF c, double g)
{
    s.involucro(c, 40);
    s.linea(c + QPointF(-16, -22), c + QPointF(16, -22));
    s.linea(c + QPointF(0, -22), c + QPointF(0, -40));
    s.griglia(c + QPointF(-16, g), c + QPointF(16, g));
    s.linea(c + QPointF(-40, g), c + QPointF(-16, g));
    s.linea(c + QPointF(-14, 26), c + QPointF(14, 26));
    s.linea(c + QPointF(-14, 26), c + QPointF(-14, 22));
    s.linea(c + QPointF(0, 26), c + QPointF(0, 40));
}

// The common-cathode parts shared by every amplifier schematic: input
// coupling, grid leak, cathode resistor and bypass, output coupling.
void stadio(Schema& s, QPointF c, double g, bool con_ra, double uscita)
{
    const QPointF placca = c + QPointF(0, -70);
    s.linea(c + QPointF(0, -40), placca);
    if (con_ra)
        s.resistenza(QPointF(c.x(), rotaia), placca, QStringLiteral("Ra"));
    s.nodo(placca);
    s.condensatore(placca, QPointF(c.x() + uscita, placca.y()), QStringLiteral("Cu"));
    s.testo(QPointF(c.x() + uscita + 6, placca.y()), QStringLiteral("uscita"));

    const QPointF g1 = c + QPointF(-40, g);
    const QPointF nodo_g = QPointF(c.x() - 110, g1.y());
    s.linea(g1, nodo_g);
    s.nodo(nodo_g);
    s.condensatore(QPointF(c.x() - 200, g1.y()), nodo_g, QStringLiteral("Ci"));
    s.testo(QPointF(c.x() - 204, g1.y()), QStringLiteral("ingresso"), Qt::AlignRight | Qt::AlignVCenter);
    s.resistenza(nodo_g, QPointF(nodo_g.x(), massa_y), QStringLiteral("Rg"));
    s.massa(QPointF(nodo_g.x(), massa_y));

    const QPointF catodo = c + QPointF(0, 80);
    s.linea(c + QPointF(0, 40), catodo);
    s.nodo(catodo);
    s.resistenza(catodo, QPointF(c.x(), massa_y), QStringLiteral("Rk"));
    s.massa(QPointF(c.x(), massa_y));
    s.linea(catodo, catodo + QPointF(60, 0));
    s.condensatore(catodo + QPointF(60, 0), QPointF(c.x() + 60, massa_y), QStringLiteral("Ck"));
    s.massa(QPointF(c.x() + 60, massa_y));
}

} // namespace

QImage disegna_schema(char tipo)
{
    QImage img(larghezza_schema, altezza_schema, QImage::Format_RGB32);
    img.fill(Qt::white);
    Schema s(img);
    const QPointF c(270, 190);
    if (tipo != 'D') {
        s.linea(QPointF(60, rotaia), QPointF(460, rotaia));
        s.testo(QPointF(464, rotaia), QStringLiteral("+B"));
    }

    switch (tipo) {
    case 'P':
    case 'U': {
        s.titolo(tipo == 'P' ? QStringLiteral("Pentodo - stadio a catodo comune")
                             : QStringLiteral("Ultralineare - schermo sulla presa del trasformatore"));
        elettrodi_base(s, c, 10);
        // Screen (G2) in the middle, leaving on the right; the suppressor
        // (G3) next to the plate, tied inside to the cathode by a path that
        // passes the free ends of the two other grids.
        s.griglia(c + QPointF(-16, -2), c + QPointF(16, -2));
        s.griglia(c + QPointF(-16, -12), c + QPointF(16, -12));
        s.linea(c + QPointF(-16, -12), c + QPointF(-21, -12));
        s.linea(c + QPointF(-21, -12), c + QPointF(-21, 4));
        s.linea(c + QPointF(-21, 4), c + QPointF(21, 4));
        s.linea(c + QPointF(21, 4), c + QPointF(21, 26));
        s.linea(c + QPointF(21, 26), c + QPointF(14, 26));
        const QPointF schermo = c + QPointF(150, -2);
        s.linea(c + QPointF(16, -2), schermo);
        stadio(s, c, 10, tipo == 'P', 70);
        if (tipo == 'P') {
            s.nodo(schermo);
            s.resistenza(QPointF(schermo.x(), rotaia), schermo, QStringLiteral("Rg2"));
            s.condensatore(schermo, QPointF(schermo.x(), massa_y), QStringLiteral("Cg2"));
            s.massa(QPointF(schermo.x(), massa_y));
        } else {
            // Primary of the output transformer from +B to the plate, the
            // screen on its tap; the secondary feeds the loudspeaker.
            s.linea(QPointF(c.x(), rotaia), QPointF(c.x(), rotaia + 4));
            s.avvolgimento(QPointF(c.x(), rotaia + 4), 2, true);
            s.avvolgimento(QPointF(c.x(), rotaia + 28), 2, true);
            s.linea(QPointF(c.x(), rotaia + 52), c + QPointF(0, -70));
            s.linea(QPointF(c.x(), rotaia + 28), QPointF(schermo.x(), rotaia + 28));
            s.linea(QPointF(schermo.x(), rotaia + 28), schermo);
            s.nodo(QPointF(c.x(), rotaia + 28));
            s.testo(QPointF(schermo.x() + 6, rotaia + 28), QStringLiteral("presa"));
            s.linea(QPointF(c.x() - 14, rotaia + 4), QPointF(c.x() - 14, rotaia + 52));
            s.linea(QPointF(c.x() - 18, rotaia + 4), QPointF(c.x() - 18, rotaia + 52));
            s.avvolgimento(QPointF(c.x() - 34, rotaia + 4), 4, false);
            s.testo(QPointF(c.x() - 48, rotaia + 28), QStringLiteral("altoparlante"),
                    Qt::AlignRight | Qt::AlignVCenter);
        }
        break;
    }
    case 'D': {
        s.titolo(QStringLiteral("Diodo - raddrizzatore a una semionda"));
        // Plate at the top of the envelope, cathode below, the load below it.
        s.involucro(c, 40);
        s.linea(c + QPointF(-16, -14), c + QPointF(16, -14));
        s.linea(c + QPointF(-14, 16), c + QPointF(14, 16));
        s.linea(c + QPointF(0, -14), c + QPointF(0, -40));
        s.linea(c + QPointF(0, 16), c + QPointF(0, 40));
        const QPointF uscita = c + QPointF(0, 70);
        s.linea(c + QPointF(0, 40), uscita);
        s.nodo(uscita);
        s.resistenza(uscita + QPointF(80, 0), QPointF(c.x() + 80, massa_y), QStringLiteral("RL"));
        s.linea(uscita, uscita + QPointF(80, 0));
        s.condensatore(uscita, QPointF(c.x(), massa_y), QStringLiteral("C"));
        s.massa(QPointF(c.x(), massa_y));
        s.massa(QPointF(c.x() + 80, massa_y));
        s.linea(uscita + QPointF(80, 0), uscita + QPointF(160, 0));
        s.testo(uscita + QPointF(164, 0), QStringLiteral("uscita"));
        // The transformer secondary feeding the plate.
        s.linea(c + QPointF(0, -40), QPointF(c.x(), 110));
        s.linea(QPointF(c.x(), 110), QPointF(c.x() - 120, 110));
        s.avvolgimento(QPointF(c.x() - 120, 110), 8, false);
        s.linea(QPointF(c.x() - 120, 206), QPointF(c.x() - 120, massa_y));
        s.massa(QPointF(c.x() - 120, massa_y));
        s.testo(QPointF(c.x() - 140, 158), QStringLiteral("secondario"), Qt::AlignRight | Qt::AlignVCenter);
        break;
    }
    default:
        s.titolo(QStringLiteral("Triodo - stadio a catodo comune"));
        elettrodi_base(s, c, 0);
        stadio(s, c, 0, true, 150);
        break;
    }
    return img;
}

} // namespace disegni
