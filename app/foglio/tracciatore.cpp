#include "foglio/tracciatore.h"

#include <QColor>
#include <QRect>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <vector>

namespace tracciatore {

namespace {

// Darkness above which a pixel belongs to a curve. Grid residues and paper
// noise stay well below it; a rescaled 300 dpi curve peaks well above it.
constexpr float soglia = 0.3f;
// Darkness above which a pixel counts for the grid projections.
constexpr float soglia_griglia = 0.15f;
// Share of the plot's span a row or column must fill to be a grid line.
constexpr double copertura_griglia = 0.5;
// Half width of the profile taken across a curve, px.
constexpr double semi_profilo = 3.0;
// Widest run across a curve that is still one curve, px; anything wider is a
// crossing or a label touching it, stepped over along the direction.
constexpr double larghezza_massima = 4.5;
// Steps without a curve under the tracker before it gives up, px.
constexpr int buco_massimo = 7;
// Steps beside another curve, too close to tell apart, before it gives up.
constexpr int incerto_massimo = 12;
// Shortest piece worth keeping, px of arc.
constexpr double arco_minimo = 20.0;
// Fewest output points a curve of the automatic pass must keep; less is a
// scrap (a bit of a label, the meeting point of pentode curves).
constexpr qsizetype punti_minimi = 15;
// Spacing of the output points along the arc, px.
constexpr double passo_uscita = 2.0;
// Output points keep this far from the frame, px.
constexpr double margine_cornice = 2.0;
// Part of the full-scale current below which points are left out.
constexpr double corrente_minima = 0.02;

struct Mappa {
    int w = 0, h = 0;
    std::vector<float> d;
    float at(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return 0.0f;
        return d[std::size_t(y) * std::size_t(w) + std::size_t(x)];
    }
    float& ref(int x, int y) { return d[std::size_t(y) * std::size_t(w) + std::size_t(x)]; }
    // Bilinear sample; pixel centres at whole coordinates.
    double campione(double x, double y) const
    {
        const double fx = std::floor(x), fy = std::floor(y);
        const int ix = int(fx), iy = int(fy);
        const double ax = x - fx, ay = y - fy;
        return (1 - ax) * (1 - ay) * at(ix, iy) + ax * (1 - ay) * at(ix + 1, iy) + (1 - ax) * ay * at(ix, iy + 1) +
               ax * ay * at(ix + 1, iy + 1);
    }
};

// The plot area of the calibration, in whole pixels, clipped to the picture.
struct Riquadro {
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0; // calibrated frame (y0 top)
    bool valido = false;
    bool dentro(double x, double y, double margine) const
    {
        return x >= x0 - margine && x <= x1 + margine && y >= y0 - margine && y <= y1 + margine;
    }
};

Riquadro riquadro_di(const Taratura& t, const QSize& dim)
{
    Riquadro r;
    for (double v : {double(t.org_x), double(t.org_y), double(t.vmax_x), double(t.imax_y), t.vmax_v, t.imax_i})
        if (!std::isfinite(v))
            return r;
    r.x0 = std::max(0.0, double(t.org_x));
    r.x1 = std::min(double(dim.width() - 1), double(t.vmax_x));
    r.y0 = std::max(0.0, double(t.imax_y));
    r.y1 = std::min(double(dim.height() - 1), double(t.org_y));
    r.valido = r.x1 - r.x0 >= 20 && r.y1 - r.y0 >= 20 && t.vmax_v > 0 && t.imax_i > 0;
    return r;
}

// The paper's colour: the commonest colour of the plot area, averaged within
// its bin so that faint scanner noise does not shift it.
QRgb colore_carta(const QImage& img, const Riquadro& r)
{
    std::map<int, std::array<long long, 4>> conti;
    for (int y = int(r.y0); y <= int(r.y1); ++y) {
        const QRgb* riga = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = int(r.x0); x <= int(r.x1); ++x) {
            const QRgb c = riga[x];
            const int chiave = (qRed(c) >> 4) << 8 | (qGreen(c) >> 4) << 4 | (qBlue(c) >> 4);
            auto& v = conti[chiave];
            v[0] += qRed(c);
            v[1] += qGreen(c);
            v[2] += qBlue(c);
            v[3] += 1;
        }
    }
    const auto migliore = std::max_element(conti.begin(), conti.end(),
                                           [](const auto& a, const auto& b) { return a.second[3] < b.second[3]; });
    if (migliore == conti.end())
        return qRgb(255, 255, 255);
    const auto& v = migliore->second;
    return qRgb(int(v[0] / v[3]), int(v[1] / v[3]), int(v[2] / v[3]));
}

float mediana(std::vector<float> v)
{
    if (v.empty())
        return 0.0f;
    const auto m = v.begin() + std::ptrdiff_t(v.size() / 2);
    std::nth_element(v.begin(), m, v.end());
    return *m;
}

// Darkness of every pixel with the grid lines and the labels taken off.
Mappa mappa_pulita(const QImage& sorgente, const Riquadro& r)
{
    const QImage img = sorgente.convertToFormat(QImage::Format_RGB32);
    Mappa m;
    m.w = img.width();
    m.h = img.height();
    m.d.assign(std::size_t(m.w) * std::size_t(m.h), 0.0f);
    const QRgb carta = colore_carta(img, r);
    // Everything outside the plot (scales, title) stays blank, with a few
    // pixels of slack so a frame line just outside the calibration is still
    // seen and removed as a line.
    const int bx0 = std::max(0, int(r.x0) - 3), bx1 = std::min(m.w - 1, int(r.x1) + 3);
    const int by0 = std::max(0, int(r.y0) - 3), by1 = std::min(m.h - 1, int(r.y1) + 3);
    for (int y = by0; y <= by1; ++y) {
        const QRgb* riga = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = bx0; x <= bx1; ++x) {
            const QRgb c = riga[x];
            const int dist = std::max({std::abs(qRed(c) - qRed(carta)), std::abs(qGreen(c) - qGreen(carta)),
                                       std::abs(qBlue(c) - qBlue(carta))});
            m.ref(x, y) = std::min(1.0f, float(dist) / 255.0f);
        }
    }

    // Grid lines: rows and columns that a dark stroke fills across most of
    // the plot. Along each, the line's own darkness (the median over a short
    // stretch, since printed lines fade and thicken) is taken off its
    // pixels: a grey line vanishes under a colour curve that stays, and a
    // black curve crossing a black line leaves a short gap to bridge. The
    // stretch median is capped at the line's overall median, so a curve
    // running along a line for a while is not taken for the line.
    const int px0 = int(std::ceil(r.x0)), px1 = int(std::floor(r.x1));
    const int py0 = int(std::ceil(r.y0)), py1 = int(std::floor(r.y1));
    std::vector<float> griglia(m.d.size(), 0.0f);
    auto togli_linea = [&](auto valore, int inizio, int fine, auto posa) {
        std::vector<float> v;
        int pieni = 0;
        for (int k = inizio; k <= fine; ++k) {
            v.push_back(valore(k));
            pieni += v.back() > soglia_griglia;
        }
        if (pieni <= copertura_griglia * double(v.size()))
            return;
        const float tetto = mediana(v);
        constexpr int tratto = 12;
        std::vector<float> finestra;
        for (int k = inizio; k <= fine; ++k) {
            finestra.clear();
            for (int j = std::max(inizio, k - tratto); j <= std::min(fine, k + tratto); ++j)
                finestra.push_back(v[std::size_t(j - inizio)]);
            posa(k, std::min(tetto, mediana(finestra)));
        }
    };
    for (int y = by0; y <= by1; ++y)
        togli_linea([&](int x) { return m.at(x, y); }, px0, px1,
                    [&](int x, float g) {
                        float& c = griglia[std::size_t(y) * std::size_t(m.w) + std::size_t(x)];
                        c = std::max(c, g);
                    });
    for (int x = bx0; x <= bx1; ++x)
        togli_linea([&](int y) { return m.at(x, y); }, py0, py1,
                    [&](int y, float g) {
                        float& c = griglia[std::size_t(y) * std::size_t(m.w) + std::size_t(x)];
                        c = std::max(c, g);
                    });
    for (std::size_t i = 0; i < m.d.size(); ++i)
        m.d[i] = std::max(0.0f, m.d[i] - griglia[i]);

    // Labels: small compact blobs. A curve piece is thin (about two pixels
    // of ink per pixel of length); letters are dense and short. Pixels up
    // to 2 apart count as touching, so a curve that a dense grid chopped
    // into dashes still holds together.
    std::vector<int> etichetta(m.d.size(), -1);
    std::vector<int> coda;
    int n = 0;
    for (int y = by0; y <= by1; ++y)
        for (int x = bx0; x <= bx1; ++x) {
            const std::size_t i0 = std::size_t(y) * std::size_t(m.w) + std::size_t(x);
            if (m.d[i0] <= soglia || etichetta[i0] >= 0)
                continue;
            coda.assign(1, int(i0));
            etichetta[i0] = n;
            int minx = x, maxx = x, miny = y, maxy = y;
            for (std::size_t k = 0; k < coda.size(); ++k) {
                const int cx = coda[k] % m.w, cy = coda[k] / m.w;
                minx = std::min(minx, cx);
                maxx = std::max(maxx, cx);
                miny = std::min(miny, cy);
                maxy = std::max(maxy, cy);
                for (int dy = -2; dy <= 2; ++dy)
                    for (int dx = -2; dx <= 2; ++dx) {
                        const int nx = cx + dx, ny = cy + dy;
                        if (nx < bx0 || nx > bx1 || ny < by0 || ny > by1)
                            continue;
                        const std::size_t j = std::size_t(ny) * std::size_t(m.w) + std::size_t(nx);
                        if (m.d[j] > soglia && etichetta[j] < 0) {
                            etichetta[j] = n;
                            coda.push_back(int(j));
                        }
                    }
            }
            const int lato = std::max(maxx - minx, maxy - miny) + 1;
            const double spessore = double(coda.size()) / lato;
            if (lato < 12 || (lato < 60 && spessore > 3.5))
                for (int j : coda)
                    m.d[std::size_t(j)] = 0.0f;
            ++n;
        }
    return m;
}

struct Pezzo {
    std::vector<QPointF> punti;
    std::vector<bool> dopo_buco; // point follows a bridged gap
};

double norma(QPointF p)
{
    return std::hypot(p.x(), p.y());
}
QPointF unitario(QPointF p)
{
    const double n = norma(p);
    return n > 0 ? p / n : QPointF(1, 0);
}

// Centroid across the curve at q along the normal n: the offset of the dark
// run nearest to q, or none. `largo` tells a run too wide to be one curve,
// `ambiguo` a second run beside it (another curve close by).
std::optional<double> centroide(const Mappa& m, QPointF q, QPointF n, bool* largo, bool* ambiguo = nullptr)
{
    constexpr int campioni = int(2 * semi_profilo / 0.5) + 1;
    std::array<double, campioni + 2> v{};
    for (int k = 0; k < campioni + 2; ++k) {
        const double o = -semi_profilo - 0.5 + 0.5 * k;
        v[std::size_t(k)] = m.campione(q.x() + n.x() * o, q.y() + n.y() * o);
    }
    // Runs above the threshold within the profile proper.
    struct Corsa {
        double centro, distanza, picco;
        bool largo;
    };
    std::vector<Corsa> corse;
    int k = 1;
    while (k <= campioni) {
        if (v[std::size_t(k)] <= soglia) {
            ++k;
            continue;
        }
        int fine = k;
        while (fine + 1 <= campioni && v[std::size_t(fine + 1)] > soglia)
            ++fine;
        double somma = 0, momento = 0, picco = 0;
        for (int j = k - 1; j <= fine + 1; ++j) {
            const double o = -semi_profilo - 0.5 + 0.5 * j;
            somma += v[std::size_t(j)];
            momento += v[std::size_t(j)] * o;
            picco = std::max(picco, v[std::size_t(j)]);
        }
        const double o_inizio = -semi_profilo - 0.5 + 0.5 * k, o_fine = -semi_profilo - 0.5 + 0.5 * fine;
        const double dist = o_inizio > 0 ? o_inizio : (o_fine < 0 ? -o_fine : 0.0);
        corse.push_back({momento / somma, dist, picco, (o_fine - o_inizio) > larghezza_massima});
        k = fine + 1;
    }
    if (corse.empty()) {
        *largo = false;
        if (ambiguo)
            *ambiguo = false;
        return std::nullopt;
    }
    const auto scelta = std::min_element(corse.begin(), corse.end(),
                                         [](const Corsa& a, const Corsa& b) { return a.distanza < b.distanza; });
    *largo = scelta->largo;
    // Only a run about as dark as the chosen one is another curve; grid
    // residues and faint specks are not.
    if (ambiguo)
        *ambiguo = std::any_of(corse.begin(), corse.end(),
                               [&](const Corsa& c) { return &c != &*scelta && c.picco >= 0.7 * scelta->picco; });
    return scelta->centro;
}

// Direction of the curve around a pixel, from the second moments of the
// darkness nearby.
QPointF direzione_locale(const Mappa& m, QPointF p)
{
    double s = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    const int cx = int(std::lround(p.x())), cy = int(std::lround(p.y()));
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx) {
            const double w = m.at(cx + dx, cy + dy);
            if (w <= soglia)
                continue;
            s += w;
            sx += w * dx;
            sy += w * dy;
            sxx += w * dx * dx;
            syy += w * dy * dy;
            sxy += w * dx * dy;
        }
    if (s <= 0)
        return QPointF(1, 0);
    const double mx = sx / s, my = sy / s;
    const double cxx = sxx / s - mx * mx, cyy = syy / s - my * my, cxy = sxy / s - mx * my;
    const double angolo = 0.5 * std::atan2(2 * cxy, cxx - cyy);
    return QPointF(std::cos(angolo), std::sin(angolo));
}

class Inseguitore {
public:
    Inseguitore(const Mappa& m, const Riquadro& r)
        : m_(m), r_(r), proprietario_(m.d.size(), -1), visto_(m.d.size(), false)
    {
    }

    bool visto(QPointF p) const
    {
        const int x = int(std::lround(p.x())), y = int(std::lround(p.y()));
        return x >= 0 && y >= 0 && x < m_.w && y < m_.h && visto_[indice(x, y)];
    }

    // Follows the curve through `seme` both ways; the piece, x increasing.
    Pezzo segui(QPointF seme, int id)
    {
        QPointF t = direzione_locale(m_, seme);
        // Centre the seed across the curve first.
        bool largo = false;
        const QPointF n(-t.y(), t.x());
        if (auto c = centroide(m_, seme, n, &largo))
            seme += n * *c;
        Pezzo avanti = segui_verso(seme, t, id);
        Pezzo indietro = segui_verso(seme, -t, id);
        Pezzo tutto;
        for (std::size_t i = indietro.punti.size(); i-- > 0;) {
            tutto.punti.push_back(indietro.punti[i]);
            // The gap flag belongs to the joint with the previous point.
            tutto.dopo_buco.push_back(i + 1 < indietro.punti.size() ? indietro.dopo_buco[i + 1] : false);
        }
        tutto.punti.push_back(seme);
        tutto.dopo_buco.push_back(!indietro.dopo_buco.empty() && indietro.dopo_buco.front());
        for (std::size_t i = 0; i < avanti.punti.size(); ++i) {
            tutto.punti.push_back(avanti.punti[i]);
            tutto.dopo_buco.push_back(avanti.dopo_buco[i]);
        }
        segna(seme, id);
        return tutto;
    }

private:
    std::size_t indice(int x, int y) const { return std::size_t(y) * std::size_t(m_.w) + std::size_t(x); }

    void segna(QPointF p, int id)
    {
        const int x = int(std::lround(p.x())), y = int(std::lround(p.y()));
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx, ny = y + dy;
                if (nx >= 0 && ny >= 0 && nx < m_.w && ny < m_.h) {
                    visto_[indice(nx, ny)] = true;
                    if (dx == 0 && dy == 0 && proprietario_[indice(nx, ny)] < 0)
                        proprietario_[indice(nx, ny)] = id;
                }
            }
    }

    void segna_visto(QPointF p)
    {
        const int x = int(std::lround(p.x())), y = int(std::lround(p.y()));
        if (x >= 0 && y >= 0 && x < m_.w && y < m_.h)
            visto_[indice(x, y)] = true;
    }

    int proprietario(QPointF p) const
    {
        const int x = int(std::lround(p.x())), y = int(std::lround(p.y()));
        if (x < 0 || y < 0 || x >= m_.w || y >= m_.h)
            return -1;
        return proprietario_[indice(x, y)];
    }

    Pezzo segui_verso(QPointF p, QPointF t, int id)
    {
        Pezzo pezzo;
        std::vector<QPointF> storia{p};
        int buco = 0;
        int su_altro = 0;
        int incerto = 0;
        const int passi_massimi = 4 * (m_.w + m_.h);
        for (int passo = 0; passo < passi_massimi; ++passo) {
            const QPointF q = p + t;
            if (!r_.dentro(q.x(), q.y(), 1.0))
                break;
            const QPointF n(-t.y(), t.x());
            bool largo = false, ambiguo = false;
            const std::optional<double> c = centroide(m_, q, n, &largo, &ambiguo);
            if (c && !largo && ambiguo) {
                // Another curve close beside: which is which is not sure
                // here, so follow without taking points, and give up if
                // the two do not part soon.
                p = q + n * *c;
                segna_visto(p);
                if (++incerto > incerto_massimo)
                    break;
                continue;
            }
            incerto = 0;
            if (!c || largo) {
                // Nothing under the tracker, or a crossing: go on straight.
                p = q;
                if (++buco > buco_massimo)
                    break;
                continue;
            }
            const QPointF nuovo = q + n * *c;
            const int altro = proprietario(nuovo);
            if (altro >= 0 && altro != id) {
                // Ran into a curve already traced: the two have merged.
                if (++su_altro >= 3)
                    break;
            } else {
                su_altro = 0;
            }
            pezzo.punti.push_back(nuovo);
            pezzo.dopo_buco.push_back(buco > 1);
            buco = 0;
            segna(nuovo, id);
            storia.push_back(nuovo);
            // Direction over the last few steps, steadier than the last one.
            const std::size_t indietro = std::min<std::size_t>(storia.size() - 1, 4);
            const QPointF d = nuovo - storia[storia.size() - 1 - indietro];
            if (norma(d) > 0.5)
                t = unitario(d);
            p = nuovo;
        }
        // Steps on another curve at the end belong to it.
        for (int k = 0; k < su_altro && !pezzo.punti.empty(); ++k) {
            pezzo.punti.pop_back();
            pezzo.dopo_buco.pop_back();
        }
        return pezzo;
    }

    const Mappa& m_;
    const Riquadro& r_;
    std::vector<int> proprietario_;
    std::vector<bool> visto_;
};

double arco(const Pezzo& p)
{
    double s = 0;
    for (std::size_t i = 1; i < p.punti.size(); ++i)
        s += norma(p.punti[i] - p.punti[i - 1]);
    return s;
}

// A plate curve is a function of the voltage, so a trace that turns back in
// x went from one curve into another (where they meet near the origin):
// it is cut at each turn, and every part is given with x increasing.
std::vector<Pezzo> in_ordine(const Pezzo& p);

// Plate curves bend gently; a sharp turn is where the tracker left its curve
// for a grid line or a letter. The piece is cut there.
std::vector<Pezzo> spezza_angoli(const Pezzo& p)
{
    constexpr std::size_t braccio = 4;
    const double coseno_massimo = std::cos(40.0 * 3.14159265358979 / 180.0);
    std::vector<Pezzo> parti(1);
    const std::size_t n = p.punti.size();
    std::size_t ultimo_taglio = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i >= braccio && i + braccio < n && i >= ultimo_taglio + braccio) {
            const QPointF a = p.punti[i] - p.punti[i - braccio], b = p.punti[i + braccio] - p.punti[i];
            const double na = norma(a), nb = norma(b);
            if (na > 2.0 && nb > 2.0 && (a.x() * b.x() + a.y() * b.y()) / (na * nb) < coseno_massimo) {
                parti.emplace_back();
                ultimo_taglio = i;
            }
        }
        parti.back().punti.push_back(p.punti[i]);
        parti.back().dopo_buco.push_back(parti.back().punti.size() > 1 && p.dopo_buco[i]);
    }
    return parti;
}

std::vector<Pezzo> in_ordine(const Pezzo& p)
{
    std::vector<Pezzo> parti;
    std::size_t inizio = 0;
    const std::size_t n = p.punti.size();
    while (inizio < n) {
        // Extend while x keeps one sense, allowing a jitter of 1.5 px.
        std::size_t fine = inizio;
        int senso = 0;
        double estremo = p.punti[inizio].x();
        std::size_t i_estremo = inizio;
        for (std::size_t i = inizio + 1; i < n; ++i) {
            const double x = p.punti[i].x();
            if (senso == 0) {
                if (std::abs(x - p.punti[inizio].x()) > 1.5)
                    senso = x > p.punti[inizio].x() ? 1 : -1;
            }
            if (senso != 0 && (x - estremo) * senso >= 0) {
                estremo = x;
                i_estremo = i;
            }
            if (senso != 0 && (estremo - x) * senso > 1.5)
                break;
            fine = i;
        }
        if (senso != 0 && fine + 1 < n)
            fine = i_estremo; // cut at the turn
        Pezzo parte;
        for (std::size_t i = inizio; i <= fine; ++i) {
            parte.punti.push_back(p.punti[i]);
            parte.dopo_buco.push_back(i == inizio ? false : p.dopo_buco[i]);
        }
        if (senso < 0) {
            std::reverse(parte.punti.begin(), parte.punti.end());
            std::vector<bool> b(parte.dopo_buco.size(), false);
            for (std::size_t i = 1; i < b.size(); ++i)
                b[i] = parte.dopo_buco[b.size() - i];
            parte.dopo_buco = b;
        }
        // Points that step back within the jitter are dropped.
        Pezzo pulita;
        bool buco = false;
        for (std::size_t i = 0; i < parte.punti.size(); ++i) {
            buco = buco || parte.dopo_buco[i];
            if (!pulita.punti.empty() && parte.punti[i].x() < pulita.punti.back().x())
                continue;
            pulita.punti.push_back(parte.punti[i]);
            pulita.dopo_buco.push_back(buco);
            buco = false;
        }
        parti.push_back(std::move(pulita));
        inizio = fine + 1;
    }
    return parti;
}

// A plate curve never loses current as the voltage rises; a load line does.
bool sale(const Pezzo& p)
{
    return p.punti.back().y() - p.punti.front().y() <= 3.0;
}

// A piece that runs exactly along a row or a column is what is left of a
// grid line (a stretch printed darker than the rest), not a plate curve.
bool dritto(const Pezzo& p)
{
    double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
    for (const QPointF& q : p.punti) {
        x0 = std::min(x0, q.x());
        x1 = std::max(x1, q.x());
        y0 = std::min(y0, q.y());
        y1 = std::max(y1, q.y());
    }
    return y1 - y0 < 1.5 || x1 - x0 < 1.5;
}

// Drops pieces much fainter than the curves: the darkness under a piece,
// against the length-weighted median of all pieces (mostly real curves).
void togli_chiari(std::vector<Pezzo>& pezzi, const Mappa& m)
{
    std::vector<std::pair<double, double>> scuri; // darkness, length
    std::vector<double> scuro_di;
    double totale = 0;
    for (const Pezzo& p : pezzi) {
        double s = 0;
        for (const QPointF& q : p.punti)
            s += m.campione(q.x(), q.y());
        const double d = s / double(p.punti.size());
        scuro_di.push_back(d);
        scuri.emplace_back(d, arco(p));
        totale += arco(p);
    }
    if (pezzi.empty())
        return;
    std::sort(scuri.begin(), scuri.end());
    double cumulata = 0, mediana_scuro = scuri.back().first;
    for (const auto& [d, l] : scuri) {
        cumulata += l;
        if (cumulata >= totale / 2) {
            mediana_scuro = d;
            break;
        }
    }
    std::vector<Pezzo> tenuti;
    for (std::size_t i = 0; i < pezzi.size(); ++i)
        if (scuro_di[i] >= 0.75 * mediana_scuro)
            tenuti.push_back(std::move(pezzi[i]));
    pezzi = std::move(tenuti);
}

// Trims 4 px of arc off both ends: that is where a piece stopped, at a
// crossing, a label or another curve, and where it may have strayed.
void spunta(Pezzo& p)
{
    constexpr double taglio = 4.0;
    auto da_tenere = [&](bool dalla_fine) {
        double s = 0;
        std::size_t k = 0;
        const std::size_t n = p.punti.size();
        while (k + 1 < n) {
            const QPointF a = dalla_fine ? p.punti[n - 1 - k] : p.punti[k];
            const QPointF b = dalla_fine ? p.punti[n - 2 - k] : p.punti[k + 1];
            s += norma(b - a);
            if (s > taglio)
                break;
            ++k;
        }
        return k;
    };
    const std::size_t via_fine = da_tenere(true);
    p.punti.resize(p.punti.size() - via_fine);
    p.dopo_buco.resize(p.punti.size());
    const std::size_t via_inizio = da_tenere(false);
    p.punti.erase(p.punti.begin(), p.punti.begin() + std::ptrdiff_t(via_inizio));
    p.dopo_buco.erase(p.dopo_buco.begin(), p.dopo_buco.begin() + std::ptrdiff_t(via_inizio));
    if (!p.dopo_buco.empty())
        p.dopo_buco.front() = false;
}

// y of a piece at x by linear interpolation (x within its span).
double y_a(const Pezzo& p, double x)
{
    const auto& v = p.punti;
    auto it = std::lower_bound(v.begin(), v.end(), x, [](const QPointF& a, double b) { return a.x() < b; });
    if (it == v.begin())
        return v.front().y();
    if (it == v.end())
        return v.back().y();
    const QPointF b = *it, a = *(it - 1);
    if (b.x() - a.x() < 1e-9)
        return 0.5 * (a.y() + b.y());
    return a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x());
}

// Mean vertical distance of two pieces over their common x span, or none
// when they share less than a few pixels of it.
std::optional<double> scarto_medio(const Pezzo& a, const Pezzo& b)
{
    const double x0 = std::max(a.punti.front().x(), b.punti.front().x());
    const double x1 = std::min(a.punti.back().x(), b.punti.back().x());
    if (x1 - x0 < 4.0)
        return std::nullopt;
    double s = 0;
    int n = 0;
    for (double x = x0; x <= x1; x += 1.0, ++n)
        s += y_a(a, x) - y_a(b, x);
    return s / n;
}

// Two traces of one curve (two seeds that met it apart) become one.
void unisci_doppioni(std::vector<Pezzo>& pezzi)
{
    bool cambiato = true;
    while (cambiato) {
        cambiato = false;
        for (std::size_t i = 0; i < pezzi.size() && !cambiato; ++i)
            for (std::size_t j = i + 1; j < pezzi.size() && !cambiato; ++j) {
                const auto d = scarto_medio(pezzi[i], pezzi[j]);
                if (!d || std::abs(*d) > 1.5)
                    continue;
                Pezzo& lungo = arco(pezzi[i]) >= arco(pezzi[j]) ? pezzi[i] : pezzi[j];
                const Pezzo& corto = &lungo == &pezzi[i] ? pezzi[j] : pezzi[i];
                Pezzo u;
                for (std::size_t k = 0; k < corto.punti.size(); ++k)
                    if (corto.punti[k].x() < lungo.punti.front().x() - 1.0) {
                        u.punti.push_back(corto.punti[k]);
                        u.dopo_buco.push_back(corto.dopo_buco[k]);
                    }
                const bool buco_inizio = !u.punti.empty();
                for (std::size_t k = 0; k < lungo.punti.size(); ++k) {
                    u.punti.push_back(lungo.punti[k]);
                    u.dopo_buco.push_back(k == 0 ? buco_inizio : lungo.dopo_buco[k]);
                }
                bool primo = true;
                for (std::size_t k = 0; k < corto.punti.size(); ++k)
                    if (corto.punti[k].x() > lungo.punti.back().x() + 1.0) {
                        u.punti.push_back(corto.punti[k]);
                        u.dopo_buco.push_back(primo || corto.dopo_buco[k]);
                        primo = false;
                    }
                const std::size_t tieni = std::min(i, j), togli = std::max(i, j);
                pezzi[tieni] = std::move(u);
                pezzi.erase(pezzi.begin() + std::ptrdiff_t(togli));
                cambiato = true;
            }
    }
}

// Direction at one end of a piece, over its last few pixels.
QPointF direzione_fine(const Pezzo& p, bool alla_fine)
{
    const auto& v = p.punti;
    const std::size_t k = std::min<std::size_t>(v.size() - 1, 6);
    return alla_fine ? unitario(v.back() - v[v.size() - 1 - k]) : unitario(v[k] - v.front());
}

// Joins piece ends that plainly continue each other: the end of one, carried
// on along its direction, lands on the start of the other, and neither has a
// second candidate nearly as good.
void unisci_pezzi(std::vector<Pezzo>& pezzi)
{
    constexpr double distanza_massima = 16.0;
    constexpr double scarto_massimo = 2.5;
    bool cambiato = true;
    while (cambiato) {
        cambiato = false;
        const std::size_t n = pezzi.size();
        // costo[i][j]: piece j continues piece i.
        std::vector<std::vector<double>> costo(n, std::vector<double>(n, 1e9));
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j) {
                if (i == j)
                    continue;
                const QPointF a = pezzi[i].punti.back(), b = pezzi[j].punti.front();
                const QPointF d = b - a;
                if (d.x() < -1.0 || norma(d) > distanza_massima)
                    continue;
                const QPointF ta = direzione_fine(pezzi[i], true), tb = direzione_fine(pezzi[j], false);
                if (ta.x() * tb.x() + ta.y() * tb.y() < 0.8)
                    continue;
                // Lateral miss of the joint from the mean direction of the
                // two ends, which a gently bending curve keeps small.
                const QPointF tm = unitario(ta + tb);
                const double c = std::abs(tm.x() * d.y() - tm.y() * d.x());
                if (c <= scarto_massimo)
                    costo[i][j] = c;
            }
        for (std::size_t i = 0; i < n && !cambiato; ++i) {
            std::size_t j = n;
            double primo = 1e9, secondo = 1e9;
            for (std::size_t k = 0; k < n; ++k) {
                if (costo[i][k] < primo) {
                    secondo = primo;
                    primo = costo[i][k];
                    j = k;
                } else if (costo[i][k] < secondo) {
                    secondo = costo[i][k];
                }
            }
            if (j == n || secondo < 2 * primo + 0.5)
                continue;
            // Nothing else continues into j as well.
            bool unico = true;
            for (std::size_t k = 0; k < n; ++k)
                if (k != i && costo[k][j] < 2 * primo + 0.5)
                    unico = false;
            if (!unico)
                continue;
            Pezzo& a = pezzi[i];
            const Pezzo& b = pezzi[j];
            for (std::size_t k = 0; k < b.punti.size(); ++k) {
                a.punti.push_back(b.punti[k]);
                a.dopo_buco.push_back(k == 0 ? true : b.dopo_buco[k]);
            }
            pezzi.erase(pezzi.begin() + std::ptrdiff_t(j));
            cambiato = true;
        }
    }
}

// Whether a carries more current than b (lies above it in the picture).
bool sopra(const Pezzo& a, const Pezzo& b)
{
    if (const auto d = scarto_medio(a, b))
        return *d < 0;
    // Apart in x: within one family the curve further left rises first.
    return a.punti.front().x() < b.punti.front().x();
}

// Points every 2 px of arc, none inside bridged gaps, none near the frame or
// below 2 % of the full-scale current.
CurvaTracciata ricampiona(const Pezzo& p, const Riquadro& r)
{
    CurvaTracciata c;
    const double y_minima = r.y1 - corrente_minima * (r.y1 - r.y0);
    auto tieni = [&](QPointF q) {
        if (q.x() < r.x0 + margine_cornice || q.x() > r.x1 - margine_cornice || q.y() < r.y0 + margine_cornice ||
            q.y() > r.y1 - margine_cornice || q.y() > y_minima)
            return;
        if (!c.punti.isEmpty() && q.x() <= c.punti.back().x())
            return;
        c.punti.push_back(q);
    };
    if (p.punti.empty())
        return c;
    double prossimo = 0, percorso = 0;
    for (std::size_t i = 1; i < p.punti.size(); ++i) {
        const QPointF a = p.punti[i - 1], b = p.punti[i];
        const double l = norma(b - a);
        const bool buco = p.dopo_buco[i] || l > 4.0;
        while (prossimo <= percorso + l) {
            if (!buco || prossimo == percorso + l) {
                const double f = l > 0 ? (prossimo - percorso) / l : 0;
                tieni(a + (b - a) * f);
            }
            prossimo += passo_uscita;
        }
        percorso += l;
    }
    return c;
}

struct Preparato {
    Riquadro r;
    Mappa m;
};

std::optional<Preparato> prepara(const QImage& immagine, const Taratura& taratura)
{
    if (immagine.isNull())
        return std::nullopt;
    Preparato p;
    p.r = riquadro_di(taratura, immagine.size());
    if (!p.r.valido)
        return std::nullopt;
    p.m = mappa_pulita(immagine, p.r);
    return p;
}

// The pieces through a seed, x increasing, long enough to keep.
std::vector<Pezzo> pezzi_da(Inseguitore& ins, QPointF seme, int id)
{
    std::vector<Pezzo> fuori;
    for (const Pezzo& liscio : spezza_angoli(ins.segui(seme, id)))
        for (Pezzo& p : in_ordine(liscio))
            if (p.punti.size() >= 2 && arco(p) >= arco_minimo)
                fuori.push_back(std::move(p));
    return fuori;
}

} // namespace

QVector<CurvaTracciata> traccia_curve(const QImage& immagine, const Taratura& taratura)
{
    const auto prep = prepara(immagine, taratura);
    if (!prep)
        return {};
    const Mappa& m = prep->m;
    const Riquadro& r = prep->r;
    Inseguitore ins(m, r);
    std::vector<Pezzo> pezzi;
    int id = 0;
    // Seeds: the dark runs met along columns a few pixels apart.
    const int y0 = int(std::ceil(r.y0)) + 1, y1 = int(std::floor(r.y1)) - 1;
    for (int x = int(std::ceil(r.x0)) + 3; x <= int(std::floor(r.x1)) - 2; x += 6) {
        int y = y0;
        while (y <= y1) {
            if (m.at(x, y) <= soglia) {
                ++y;
                continue;
            }
            int fine = y;
            while (fine + 1 <= y1 && m.at(x, fine + 1) > soglia)
                ++fine;
            double s = 0, sy = 0;
            for (int k = y; k <= fine; ++k) {
                s += m.at(x, k);
                sy += m.at(x, k) * k;
            }
            const QPointF seme(x, sy / s);
            y = fine + 1;
            if (ins.visto(seme))
                continue;
            for (Pezzo& p : pezzi_da(ins, seme, id++))
                pezzi.push_back(std::move(p));
        }
    }
    pezzi.erase(std::remove_if(pezzi.begin(), pezzi.end(), [](const Pezzo& p) { return !sale(p) || dritto(p); }),
                pezzi.end());
    togli_chiari(pezzi, m);
    for (Pezzo& p : pezzi)
        spunta(p);
    unisci_doppioni(pezzi);
    unisci_pezzi(pezzi);

    // Rank: how many curves lie above each one.
    std::vector<std::pair<int, std::size_t>> ordine;
    for (std::size_t i = 0; i < pezzi.size(); ++i) {
        int sopra_di = 0;
        for (std::size_t j = 0; j < pezzi.size(); ++j)
            if (j != i && sopra(pezzi[j], pezzi[i]))
                ++sopra_di;
        ordine.emplace_back(sopra_di, i);
    }
    std::stable_sort(ordine.begin(), ordine.end());
    QVector<CurvaTracciata> curve;
    for (const auto& o : ordine) {
        CurvaTracciata c = ricampiona(pezzi[o.second], r);
        if (c.punti.size() >= punti_minimi)
            curve.push_back(std::move(c));
    }
    return curve;
}

std::optional<CurvaTracciata> traccia_curva_da(const QImage& immagine, const Taratura& taratura, QPointF clic)
{
    const auto prep = prepara(immagine, taratura);
    if (!prep)
        return std::nullopt;
    const Mappa& m = prep->m;
    // The curve pixel nearest the click, within 4 px.
    std::optional<QPointF> seme;
    double migliore = 1e9;
    const int cx = int(std::lround(clic.x())), cy = int(std::lround(clic.y()));
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx) {
            const double d = std::hypot(double(dx), double(dy));
            if (d <= 4.0 && d < migliore && m.at(cx + dx, cy + dy) > soglia) {
                migliore = d;
                seme = QPointF(cx + dx, cy + dy);
            }
        }
    if (!seme)
        return std::nullopt;
    Inseguitore ins(m, prep->r);
    // Of the pieces through the seed, the one that passes nearest the click.
    std::optional<CurvaTracciata> c;
    double vicino = 1e9;
    for (const Pezzo& p : pezzi_da(ins, *seme, 0)) {
        if (!sale(p))
            continue;
        CurvaTracciata r = ricampiona(p, prep->r);
        if (r.punti.size() < 2)
            continue;
        double d = 1e9;
        for (const QPointF& q : p.punti)
            d = std::min(d, norma(q - clic));
        if (d < vicino) {
            vicino = d;
            c = std::move(r);
        }
    }
    return c;
}

} // namespace tracciatore
