#include "foglio/tracciatore.h"

#include "foglio/analisi_grafico.h"

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
// Shortest piece kept for joining: a dash of a dashed curve, the stretch of
// a curve between two labels.
constexpr double arco_frammento = 6.0;
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
// Rows and columns of the picture that a line of the grid's lattice covers:
// the pixels within a pixel of each line's centre.
std::vector<bool> sul_reticolo(const std::vector<double>& linee, int n)
{
    std::vector<bool> v(std::size_t(std::max(n, 0)), false);
    for (double c : linee)
        for (int k = int(std::floor(c - 1.0)); k <= int(std::ceil(c + 1.0)); ++k)
            if (k >= 0 && k < n && std::fabs(k - c) <= 1.0)
                v[std::size_t(k)] = true;
    return v;
}

Mappa mappa_pulita(const QImage& sorgente, const Riquadro& r, const analisi_grafico::Griglia& reticolo)
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
    // A line of the lattice is taken off even where labels' boxes break it
    // for much of its run; elsewhere a row or column must be filled across
    // most of the plot to count as a line.
    const std::vector<bool> righe_reticolo = sul_reticolo(reticolo.orizzontali, m.h);
    const std::vector<bool> colonne_reticolo = sul_reticolo(reticolo.verticali, m.w);
    auto togli_linea = [&](auto valore, int inizio, int fine, bool sul_reticolo, auto posa) {
        std::vector<float> v;
        int pieni = 0;
        for (int k = inizio; k <= fine; ++k) {
            v.push_back(valore(k));
            pieni += v.back() > soglia_griglia;
        }
        if (!sul_reticolo && pieni <= copertura_griglia * double(v.size()))
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
        togli_linea([&](int x) { return m.at(x, y); }, px0, px1, righe_reticolo[std::size_t(y)],
                    [&](int x, float g) {
                        float& c = griglia[std::size_t(y) * std::size_t(m.w) + std::size_t(x)];
                        c = std::max(c, g);
                    });
    for (int x = bx0; x <= bx1; ++x)
        togli_linea([&](int y) { return m.at(x, y); }, py0, py1, colonne_reticolo[std::size_t(x)],
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
            if (lato < 12 || (lato < 40 && spessore > 3.5))
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

// Distance from v to the nearest of the lattice's lines (ascending).
double da_linea(const std::vector<double>& linee, double v)
{
    const auto it = std::lower_bound(linee.begin(), linee.end(), v);
    double d = 1e9;
    if (it != linee.end())
        d = *it - v;
    if (it != linee.begin())
        d = std::min(d, v - *(it - 1));
    return d;
}

// A stretch that runs along a line of the grid's lattice is the line, not
// a curve: a piece of a grid line left where a label's box broke it, or a
// curve's low tail that the tracker carried on along the line under it.
// Such stretches are 8 px of arc or more, within 1.5 px of one line and
// running within a few degrees of it.
std::vector<Pezzo> togli_reticolo(const Pezzo& p, const analisi_grafico::Griglia& g)
{
    const std::size_t n = p.punti.size();
    if (!g.trovata() || n < 3)
        return {p};
    std::vector<bool> lungo(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t a = i >= 2 ? i - 2 : 0, b = std::min(n - 1, i + 2);
        const QPointF d = p.punti[b] - p.punti[a];
        const double l = norma(d);
        if (l < 1.0)
            continue;
        const QPointF q = p.punti[i];
        const bool orizzontale = std::abs(d.y()) / l < 0.12 && da_linea(g.orizzontali, q.y()) <= 1.5;
        const bool verticale = std::abs(d.x()) / l < 0.12 && da_linea(g.verticali, q.x()) <= 1.5;
        lungo[i] = orizzontale || verticale;
    }
    // Only runs long enough to be a line: a curve crosses lines all along.
    struct Tratto {
        std::size_t i, j;
        double l;
    };
    std::vector<Tratto> tratti;
    double sul_totale = 0;
    for (std::size_t i = 0; i < n;) {
        if (!lungo[i]) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j + 1 < n && lungo[j + 1])
            ++j;
        double l = 0;
        for (std::size_t k = i + 1; k <= j; ++k)
            l += norma(p.punti[k] - p.punti[k - 1]);
        if (l >= 8.0) {
            tratti.push_back({i, j, l});
            sul_totale += l;
        }
        i = j + 1;
    }
    // Wholly on a line: a stretch of the line itself; so is a straight
    // stroke along a line's direction, no wider than a thick line, lying on
    // it (a thick line's centre comes off by a pixel where it is broken).
    if (sul_totale >= 0.8 * arco(p))
        return {};
    {
        double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9, sx = 0, sy = 0;
        for (const QPointF& q : p.punti) {
            x0 = std::min(x0, q.x());
            x1 = std::max(x1, q.x());
            y0 = std::min(y0, q.y());
            y1 = std::max(y1, q.y());
            sx += q.x();
            sy += q.y();
        }
        sx /= double(n);
        sy /= double(n);
        if ((y1 - y0 <= 3.0 && x1 - x0 >= 8.0 * (y1 - y0) && da_linea(g.orizzontali, sy) <= 2.0) ||
            (x1 - x0 <= 3.0 && y1 - y0 >= 8.0 * (x1 - x0) && da_linea(g.verticali, sx) <= 2.0))
            return {};
    }
    // A run at an end of the piece is a tail carried on along the line when
    // the curve meets it at an angle; a curve that flattens into a line (a
    // pentode's flat part printed on a grid line) comes in smoothly and
    // keeps it. A run inside the piece is the curve itself.
    std::vector<bool> via(n, false);
    for (const Tratto& t : tratti) {
        const bool inizio = t.i == 0, fine = t.j == n - 1;
        if (inizio == fine)
            continue;
        const QPointF dir_tratto = unitario(p.punti[t.j] - p.punti[t.i]);
        // The curve's direction over the 10 px of arc next to the run.
        std::size_t a = inizio ? t.j : t.i, b = a;
        double s = 0;
        while (s < 10.0 && (inizio ? b + 1 < n : b > 0)) {
            const std::size_t c = inizio ? b + 1 : b - 1;
            s += norma(p.punti[c] - p.punti[b]);
            b = c;
        }
        if (s < 4.0)
            continue;
        const QPointF dir_curva = unitario(inizio ? p.punti[b] - p.punti[a] : p.punti[a] - p.punti[b]);
        const double coseno = dir_tratto.x() * dir_curva.x() + dir_tratto.y() * dir_curva.y();
        if (coseno < std::cos(12.0 * 3.14159265358979 / 180.0))
            for (std::size_t k = t.i; k <= t.j; ++k)
                via[k] = true;
    }
    std::vector<Pezzo> parti;
    Pezzo corrente;
    for (std::size_t i = 0; i < n; ++i) {
        if (via[i]) {
            if (!corrente.punti.empty())
                parti.push_back(std::move(corrente));
            corrente = Pezzo{};
            continue;
        }
        corrente.dopo_buco.push_back(!corrente.punti.empty() && p.dopo_buco[i]);
        corrente.punti.push_back(p.punti[i]);
    }
    if (!corrente.punti.empty())
        parti.push_back(std::move(corrente));
    return parti;
}

// The continuation a curve's last stretch predicts: the points of its last
// 40 px of arc in the frame of their chord, fitted with a parabola (its
// position, direction and curvature).
struct Prolungamento {
    QPointF origine, u, v; // frame: u along the chord, v across
    double c0 = 0, c1 = 0, c2 = 0;
    double fine_u = 0; // where the curve stops along u
    bool valido = false;
    double scarto(QPointF q, double* lungo_u = nullptr) const
    {
        const QPointF d = q - origine;
        const double a = d.x() * u.x() + d.y() * u.y(), b = d.x() * v.x() + d.y() * v.y();
        if (lungo_u)
            *lungo_u = a;
        return std::abs(b - (c0 + c1 * a + c2 * a * a));
    }
};

Prolungamento prolungamento(const Pezzo& p)
{
    Prolungamento r;
    const auto& v = p.punti;
    if (v.size() < 4)
        return r;
    std::size_t k = v.size() - 1;
    double s = 0;
    while (k > 0 && s < 40.0) {
        s += norma(v[k] - v[k - 1]);
        --k;
    }
    if (s < arco_minimo)
        return r;
    r.origine = v[k];
    r.u = unitario(v.back() - v[k]);
    r.v = QPointF(-r.u.y(), r.u.x());
    // Least squares of b = c0 + c1 a + c2 a^2.
    double m[3][4] = {};
    for (std::size_t i = k; i < v.size(); ++i) {
        const QPointF d = v[i] - r.origine;
        const double a = d.x() * r.u.x() + d.y() * r.u.y(), b = d.x() * r.v.x() + d.y() * r.v.y();
        const double pot[3] = {1, a, a * a};
        for (int x = 0; x < 3; ++x) {
            for (int y = 0; y < 3; ++y)
                m[x][y] += pot[x] * pot[y];
            m[x][3] += pot[x] * b;
        }
    }
    for (int c = 0; c < 3; ++c) {
        int migliore = c;
        for (int x = c + 1; x < 3; ++x)
            if (std::abs(m[x][c]) > std::abs(m[migliore][c]))
                migliore = x;
        if (std::abs(m[migliore][c]) < 1e-9)
            return r;
        for (int y = 0; y < 4; ++y)
            std::swap(m[c][y], m[migliore][y]);
        for (int x = 0; x < 3; ++x) {
            if (x == c)
                continue;
            const double f = m[x][c] / m[c][c];
            for (int y = 0; y < 4; ++y)
                m[x][y] -= f * m[c][y];
        }
    }
    r.c0 = m[0][3] / m[0][0];
    r.c1 = m[1][3] / m[1][1];
    r.c2 = m[2][3] / m[2][2];
    // A gentle bend only: a plate curve's curvature over a label's width.
    r.c2 = std::clamp(r.c2, -0.02, 0.02);
    const QPointF d = v.back() - r.origine;
    r.fine_u = d.x() * r.u.x() + d.y() * r.u.y();
    r.valido = true;
    return r;
}

// Joins the pieces of one curve that a label's box, a dash pattern or a
// crossing line separate: a piece continues a curve when its first points
// lie where the curve's last stretch, carried on with its direction and
// curvature, goes, across a gap of up to 70 px (a long label's box). The best fitting joint of
// all is made first, then the next, so that of two close curves each takes
// its own continuation.
void prolunga_curve(std::vector<Pezzo>& pezzi)
{
    constexpr double gap_massimo = 70.0;
    for (;;) {
        double migliore = 1e9;
        std::size_t bi = 0, bj = 0;
        const std::size_t n = pezzi.size();
        for (std::size_t i = 0; i < n; ++i) {
            const Prolungamento pr = prolungamento(pezzi[i]);
            if (!pr.valido)
                continue;
            for (std::size_t j = 0; j < n; ++j) {
                if (i == j)
                    continue;
                const Pezzo& b = pezzi[j];
                if (b.punti.front().x() < pezzi[i].punti.back().x() - 1.0)
                    continue;
                double u0 = 0;
                pr.scarto(b.punti.front(), &u0);
                const double gap = u0 - pr.fine_u;
                if (gap < -2.0 || gap > gap_massimo)
                    continue;
                // The joint's miss over the first 10 px of the piece.
                double somma = 0, arco_b = 0;
                int quanti = 0;
                for (std::size_t k = 0; k < b.punti.size() && arco_b <= 10.0; ++k) {
                    if (k > 0)
                        arco_b += norma(b.punti[k] - b.punti[k - 1]);
                    somma += pr.scarto(b.punti[k]);
                    ++quanti;
                }
                const double scarto = somma / quanti;
                const double tolleranza = 1.2 + 0.04 * std::max(0.0, gap);
                if (scarto > tolleranza)
                    continue;
                const double costo = scarto / tolleranza + 0.01 * std::max(0.0, gap);
                if (costo < migliore) {
                    migliore = costo;
                    bi = i;
                    bj = j;
                }
            }
        }
        if (migliore >= 1e9)
            return;
        Pezzo& a = pezzi[bi];
        const Pezzo& b = pezzi[bj];
        for (std::size_t k = 0; k < b.punti.size(); ++k) {
            if (b.punti[k].x() <= a.punti.back().x())
                continue;
            a.dopo_buco.push_back(k == 0 || a.punti.back().x() + 3.0 < b.punti[k].x() ? true : b.dopo_buco[k]);
            a.punti.push_back(b.punti[k]);
        }
        pezzi.erase(pezzi.begin() + std::ptrdiff_t(bj));
    }
}

struct Preparato {
    Riquadro r;
    analisi_grafico::Griglia reticolo;
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
    p.reticolo = analisi_grafico::rileva_griglia(immagine);
    p.m = mappa_pulita(immagine, p.r, p.reticolo);
    return p;
}

// The pieces through a seed, x increasing, at least `minimo` px of arc.
std::vector<Pezzo> pezzi_da(Inseguitore& ins, QPointF seme, int id, double minimo = arco_minimo)
{
    std::vector<Pezzo> fuori;
    for (const Pezzo& liscio : spezza_angoli(ins.segui(seme, id)))
        for (Pezzo& p : in_ordine(liscio))
            if (p.punti.size() >= 2 && arco(p) >= minimo)
                fuori.push_back(std::move(p));
    return fuori;
}

// A short stroke that does not bend at all (a side of a label's box, a
// stretch of a load line or of lettering): no point of it more than half a
// pixel off its chord. A plate curve bends over any 40 px of it.
bool tratto_dritto(const Pezzo& p)
{
    if (arco(p) >= 40.0)
        return false;
    const QPointF a = p.punti.front(), b = p.punti.back();
    const QPointF u = unitario(b - a);
    double massimo = 0;
    for (const QPointF& q : p.punti) {
        const QPointF d = q - a;
        massimo = std::max(massimo, std::abs(u.x() * d.y() - u.y() * d.x()));
    }
    return massimo < 0.5;
}

// Whether two curves cross: over the span they share, one lies clearly
// above the other somewhere and clearly below it elsewhere.
bool si_incrociano(const Pezzo& a, const Pezzo& b)
{
    const double x0 = std::max(a.punti.front().x(), b.punti.front().x());
    const double x1 = std::min(a.punti.back().x(), b.punti.back().x());
    if (x1 - x0 < 6.0)
        return false;
    double minimo = 1e9, massimo = -1e9;
    for (double x = x0; x <= x1; x += 1.0) {
        const double d = y_a(a, x) - y_a(b, x);
        minimo = std::min(minimo, d);
        massimo = std::max(massimo, d);
    }
    return minimo < -2.0 && massimo > 2.0;
}

// The family as a whole. Every plate curve of a triode or pentode family
// rises from low current (a pentode's top curves from the left of the plot,
// where they leave their common knee), so a piece that starts high in the
// plot, away from the left, and continues nothing (a dashed run, a stroke
// of a label, what is left of a load line) is not one of them; nor is what
// is too short to be a curve, nor a short stroke that does not bend.
// The curves of a family do not cross: of two that do, the shorter is the
// stray.
void scegli_famiglia(std::vector<Pezzo>& pezzi, const Riquadro& r)
{
    const double y_bassa = r.y1 - 0.3 * (r.y1 - r.y0);
    const double x_sinistra = r.x0 + 0.08 * (r.x1 - r.x0);
    pezzi.erase(std::remove_if(pezzi.begin(), pezzi.end(),
                               [&](const Pezzo& p) {
                                   double y_max = -1e9;
                                   for (const QPointF& q : p.punti)
                                       y_max = std::max(y_max, q.y());
                                   const bool da_sinistra = p.punti.front().x() <= x_sinistra;
                                   return arco(p) < arco_minimo || (y_max < y_bassa && !da_sinistra) ||
                                          tratto_dritto(p);
                               }),
                pezzi.end());
    for (;;) {
        std::vector<int> incroci(pezzi.size(), 0);
        for (std::size_t i = 0; i < pezzi.size(); ++i)
            for (std::size_t j = i + 1; j < pezzi.size(); ++j)
                if (si_incrociano(pezzi[i], pezzi[j])) {
                    ++incroci[i];
                    ++incroci[j];
                }
        // The piece crossing most, the shorter of equals, goes first.
        std::size_t peggiore = pezzi.size();
        for (std::size_t i = 0; i < pezzi.size(); ++i)
            if (incroci[i] > 0 && (peggiore == pezzi.size() || incroci[i] > incroci[peggiore] ||
                                   (incroci[i] == incroci[peggiore] && arco(pezzi[i]) < arco(pezzi[peggiore]))))
                peggiore = i;
        if (peggiore == pezzi.size())
            return;
        pezzi.erase(pezzi.begin() + std::ptrdiff_t(peggiore));
    }
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
            for (Pezzo& p : pezzi_da(ins, seme, id++, arco_frammento))
                for (Pezzo& q : togli_reticolo(p, prep->reticolo))
                    if (q.punti.size() >= 2 && arco(q) >= arco_frammento)
                        pezzi.push_back(std::move(q));
        }
    }
    pezzi.erase(std::remove_if(pezzi.begin(), pezzi.end(), [](const Pezzo& p) { return !sale(p) || dritto(p); }),
                pezzi.end());
    togli_chiari(pezzi, m);
    for (Pezzo& p : pezzi)
        if (arco(p) >= arco_minimo)
            spunta(p);
    unisci_doppioni(pezzi);
    prolunga_curve(pezzi);
    scegli_famiglia(pezzi, r);

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
