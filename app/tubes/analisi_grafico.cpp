#include "tubes/analisi_grafico.h"

#include "common/numeri.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace analisi_grafico {

namespace {

constexpr double pi = 3.14159265358979323846;

// A picture as grey levels, one byte a pixel, row after row.
struct Grigio {
    int w = 0, h = 0;
    std::vector<std::uint8_t> p;
    std::uint8_t at(int x, int y) const { return p[std::size_t(y) * std::size_t(w) + std::size_t(x)]; }
};

// Analysis works on at most this many pixels: a larger picture is first
// reduced by a whole factor, which keeps lines of 300 dpi pages visible.
constexpr qint64 pixel_analisi = 16'000'000;

Grigio grigio(const QImage& immagine, int& riduzione)
{
    QImage g = immagine.convertToFormat(QImage::Format_Grayscale8);
    riduzione = 1;
    while (qint64(g.width() / riduzione) * (g.height() / riduzione) > pixel_analisi)
        ++riduzione;
    if (riduzione > 1)
        g = g.scaled(g.width() / riduzione, g.height() / riduzione, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    Grigio r;
    r.w = g.width();
    r.h = g.height();
    r.p.resize(std::size_t(r.w) * std::size_t(r.h));
    for (int y = 0; y < r.h; ++y)
        std::copy_n(g.constScanLine(y), r.w, r.p.begin() + std::ptrdiff_t(y) * r.w);
    return r;
}

// Ink: anything clearly darker than the paper. A thin line reduced with
// the box filter is only a light grey, so the bound is high.
constexpr int soglia_inchiostro = 224;
// A scanned line comes broken: thresholding leaves gaps in thin lines. A
// run may skip gaps up to this share of the picture's side (a few pixels on
// a rescaled plot, about a dozen on a 300 dpi page) as long as ink covers
// most of it, which text, whose lines stand apart, never does.
constexpr double lacuna_relativa = 0.006;
constexpr double copertura_minima = 0.5;

// A line candidate: the pixel columns (rows) it occupies and the extent of
// its longest run along it.
struct Linea {
    int da = 0, a = 0;        // first and last column (row) across the line
    int inizio = 0, fine = 0; // its run along the line
    int lunghezza() const { return fine - inizio + 1; }
};

// Lines along one direction: `verticali` looks for vertical lines (runs
// down the columns). Each column is widened by one pixel on each side so a
// slightly tilted or wavy line still makes one long run.
std::vector<Linea> linee(const Grigio& g, bool verticali)
{
    const int n = verticali ? g.w : g.h; // across
    const int m = verticali ? g.h : g.w; // along
    const int lacuna = std::max(3, int(std::lround(m * lacuna_relativa)));
    // Widening is for full-size scans, whose lines wander by a pixel or
    // two; on a rescaled plot the lines of a fine grid stand a few pixels
    // apart and widening would merge them.
    const int allarga = m > 1000 ? 1 : 0;
    const int minima = std::max(12, int(m * 0.08));
    std::vector<std::uint8_t> inchiostro(static_cast<std::size_t>(m));
    std::vector<Linea> trovate;
    Linea corrente;
    bool aperta = false;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < m; ++j) {
            int minimo = 255;
            for (int d = -allarga; d <= allarga; ++d) {
                const int ii = std::clamp(i + d, 0, n - 1);
                minimo = std::min<int>(minimo, verticali ? g.at(ii, j) : g.at(j, ii));
            }
            inchiostro[std::size_t(j)] = minimo < soglia_inchiostro;
        }
        int migliore = 0, migliore_inizio = 0, migliore_fine = -1;
        int inizio = -1, ultimo = -1000000, pieni = 0;
        const auto chiudi = [&] {
            const int l = ultimo - inizio + 1;
            if (inizio >= 0 && l > migliore && pieni >= copertura_minima * l) {
                migliore = l;
                migliore_inizio = inizio;
                migliore_fine = ultimo;
            }
        };
        for (int j = 0; j < m; ++j) {
            if (!inchiostro[std::size_t(j)])
                continue;
            if (j - ultimo > lacuna + 1) {
                chiudi();
                inizio = j;
                pieni = 0;
            }
            ultimo = j;
            ++pieni;
        }
        chiudi();
        const bool lunga = migliore >= minima;
        if (lunga && aperta && i == corrente.a + 1) {
            corrente.a = i;
            // The line's run is that of its best column: neighbouring
            // columns may run into something else (a table's rule in line
            // with the plot's).
            if (migliore > corrente.lunghezza()) {
                corrente.inizio = migliore_inizio;
                corrente.fine = migliore_fine;
            }
        } else if (lunga) {
            if (aperta)
                trovate.push_back(corrente);
            corrente = Linea{i, i, migliore_inizio, migliore_fine};
            aperta = true;
        }
    }
    if (aperta)
        trovate.push_back(corrente);
    // The widening added a column on each side of every line.
    for (Linea& l : trovate) {
        if (allarga && l.a - l.da >= 2) {
            ++l.da;
            --l.a;
        }
    }
    return trovate;
}

// The centre of a line: at each point along it, the darkness-weighted mean
// across it; the median of those, so the curves that cross it or run
// along it (those of low current lie on the voltage axis) do not pull it.
double centro(const Grigio& g, const Linea& l, bool verticale, int da, int a)
{
    const int limite = verticale ? g.w : g.h;
    const int i0 = std::max(0, l.da - 1), i1 = std::min(limite - 1, l.a + 1);
    std::vector<double> centri, tutti;
    centri.reserve(std::size_t(std::max(0, a - da + 1)));
    const auto pixel = [&](int i, int j) { return verticale ? g.at(i, j) : g.at(j, i); };
    for (int j = da; j <= a; ++j) {
        // Only where the line stands alone: paper on both sides of it.
        const bool sola = (i0 == 0 || pixel(i0 - 1, j) >= soglia_inchiostro) &&
                          (i1 == limite - 1 || pixel(i1 + 1, j) >= soglia_inchiostro);
        double somma = 0, pesata = 0;
        for (int i = i0; i <= i1; ++i) {
            const double s = 255 - (verticale ? g.at(i, j) : g.at(j, i));
            somma += s;
            pesata += s * i;
        }
        if (somma > 0)
            (sola ? centri : tutti).push_back(pesata / somma);
    }
    if (centri.size() < 5)
        centri.insert(centri.end(), tutti.begin(), tutti.end());
    if (centri.empty())
        return (l.da + l.a) / 2.0;
    std::nth_element(centri.begin(), centri.begin() + std::ptrdiff_t(centri.size() / 2), centri.end());
    return centri[centri.size() / 2];
}

struct UnioneInsiemi {
    std::vector<int> padre;
    explicit UnioneInsiemi(std::size_t n) : padre(n) { std::iota(padre.begin(), padre.end(), 0); }
    int radice(int i)
    {
        while (padre[std::size_t(i)] != i)
            i = padre[std::size_t(i)] = padre[std::size_t(padre[std::size_t(i)])];
        return i;
    }
    void unisci(int a, int b) { padre[std::size_t(radice(a))] = radice(b); }
};

double passo(const std::vector<double>& posizioni)
{
    std::vector<double> d;
    for (std::size_t i = 1; i < posizioni.size(); ++i)
        if (posizioni[i] - posizioni[i - 1] > 1.5)
            d.push_back(posizioni[i] - posizioni[i - 1]);
    if (d.empty())
        return 0;
    std::nth_element(d.begin(), d.begin() + std::ptrdiff_t(d.size() / 2), d.end());
    return d[d.size() / 2];
}

// A round value as the round number it stands for (the calibration's
// whole pixels make 10 V read 10.1); any other with three significant
// digits, so the user sees how far off it is. Shown by the program's
// number rules.
QString cifre(double v)
{
    if (v <= 0 || !std::isfinite(v))
        return numeri::testo_double(0);
    const double potenza = std::pow(10.0, std::floor(std::log10(v)));
    // 2.5 too: data sheets divide 0-25 mA or 0-250 V scales in tenths, and a
    // correct 0.25 mA division must not read as a mistake.
    for (double c : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (std::fabs(v / (c * potenza) - 1.0) <= 0.02)
            return numeri::testo_double(c * potenza);
    const double scala = std::pow(10.0, 2 - std::floor(std::log10(v)));
    return numeri::testo_double(std::round(v * scala) / scala);
}

} // namespace

double Griglia::passo_x() const
{
    return passo(verticali);
}

double Griglia::passo_y() const
{
    return passo(orizzontali);
}

namespace {

// The grid on the grey picture, reduced `k` times from the original.
Griglia rileva(const Grigio& g, int k)
{
    Griglia r;
    if (g.w < 8 || g.h < 8)
        return r;
    std::vector<Linea> v = linee(g, true);
    std::vector<Linea> o = linee(g, false);
    if (v.empty() || o.empty())
        return r;

    // The lines of one plot cross each other; those of another plot, a
    // table or a border do not cross them.
    constexpr int tolleranza = 4;
    const auto incrociano = [](const Linea& lv, const Linea& lo) {
        const double xv = (lv.da + lv.a) / 2.0, yo = (lo.da + lo.a) / 2.0;
        return xv >= lo.inizio - tolleranza && xv <= lo.fine + tolleranza && yo >= lv.inizio - tolleranza &&
               yo <= lv.fine + tolleranza;
    };
    UnioneInsiemi u(v.size() + o.size());
    for (std::size_t i = 0; i < v.size(); ++i)
        for (std::size_t j = 0; j < o.size(); ++j)
            if (incrociano(v[i], o[j]))
                u.unisci(int(i), int(v.size() + j));
    std::vector<long> incroci(v.size() + o.size(), 0);
    for (std::size_t i = 0; i < v.size(); ++i)
        for (std::size_t j = 0; j < o.size(); ++j)
            if (incrociano(v[i], o[j]))
                ++incroci[std::size_t(u.radice(int(i)))];
    const int scelta = int(std::max_element(incroci.begin(), incroci.end()) - incroci.begin());
    if (incroci[std::size_t(scelta)] < 9)
        return r;

    std::vector<Linea> sv, so;
    for (std::size_t i = 0; i < v.size(); ++i)
        if (u.radice(int(i)) == scelta)
            sv.push_back(v[i]);
    for (std::size_t j = 0; j < o.size(); ++j)
        if (u.radice(int(v.size() + j)) == scelta)
            so.push_back(o[j]);
    // Grid lines run across most of the plot; a steep stretch of curve that
    // happened to make a long run does not.
    const auto estensione = [](const std::vector<Linea>& l) {
        int da = l.front().da, a = l.back().a;
        for (const Linea& x : l) {
            da = std::min(da, x.da);
            a = std::max(a, x.a);
        }
        return std::pair{da, a};
    };
    // Plain values, not structured bindings: the lambdas below capture them.
    const auto larghezza = estensione(sv);
    const auto altezza = estensione(so);
    const double lato_x = larghezza.second - larghezza.first;
    const double lato_y = altezza.second - altezza.first;
    std::erase_if(sv, [&](const Linea& l) { return l.lunghezza() < 0.6 * lato_y; });
    std::erase_if(so, [&](const Linea& l) { return l.lunghezza() < 0.6 * lato_x; });
    if (sv.size() < 3 || so.size() < 3)
        return r;
    const auto [fx0, fx1] = estensione(sv);
    const auto [fy0, fy1] = estensione(so);
    for (const Linea& l : sv)
        r.verticali.push_back((centro(g, l, true, fy0, fy1) + 0.5) * k - 0.5);
    for (const Linea& l : so)
        r.orizzontali.push_back((centro(g, l, false, fx0, fx1) + 0.5) * k - 0.5);
    std::sort(r.verticali.begin(), r.verticali.end());
    std::sort(r.orizzontali.begin(), r.orizzontali.end());
    r.cornice = QRect(QPoint(fx0 * k, fy0 * k), QPoint(fx1 * k + k - 1, fy1 * k + k - 1));
    return r;
}

} // namespace

Griglia rileva_griglia(const QImage& immagine)
{
    if (immagine.isNull())
        return {};
    int k = 1;
    return rileva(grigio(immagine, k), k);
}

double inclinazione(const QImage& immagine)
{
    if (immagine.isNull())
        return 0;
    int k = 1;
    const Grigio g = grigio(immagine, k);
    // A data sheet is pasted up from pieces (text, tables, the plot) that
    // need not lie at one angle: where a grid shows, the plot's own lines
    // decide, found first at the skew as it is.
    QRect zona(0, 0, g.w, g.h);
    const Griglia griglia = rileva(g, 1);
    if (griglia.trovata())
        zona = griglia.cornice
                   .adjusted(-griglia.cornice.width() / 50, -griglia.cornice.height() / 50,
                             griglia.cornice.width() / 50, griglia.cornice.height() / 50)
                   .intersected(zona);
    // The dark pixels, from the centre of the picture; on a crowded page one
    // in every few is enough to find the lines.
    std::vector<std::pair<float, float>> punti;
    std::size_t neri = 0;
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x)
            neri += g.at(x, y) < 128;
    const std::size_t salto = std::max<std::size_t>(1, neri / 400'000);
    std::size_t contatore = 0;
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x)
            if (g.at(x, y) < 128 && contatore++ % salto == 0)
                punti.emplace_back(float(x - g.w / 2.0), float(y - g.h / 2.0));
    if (punti.size() < 50)
        return 0;

    // The sharpness of the projections along the rows and the columns once
    // the lines are turned back by `gradi`: the sum of squared counts is
    // largest when every line falls into one bin.
    const int lato = int(std::hypot(g.w, g.h)) + 4;
    std::vector<std::uint32_t> righe, colonne;
    const auto nitidezza = [&](double gradi, double bin) {
        const double t = std::tan(gradi * pi / 180.0);
        const int n = int(lato / bin) + 2;
        righe.assign(std::size_t(n), 0);
        colonne.assign(std::size_t(n), 0);
        const double meta = n / 2.0;
        for (const auto& [x, y] : punti) {
            const int r = int(std::floor((y - x * t) / bin + meta));
            const int c = int(std::floor((x + y * t) / bin + meta));
            if (r >= 0 && r < n)
                ++righe[std::size_t(r)];
            if (c >= 0 && c < n)
                ++colonne[std::size_t(c)];
        }
        double s = 0;
        for (std::uint32_t h : righe)
            s += double(h) * h;
        for (std::uint32_t h : colonne)
            s += double(h) * h;
        return s;
    };
    // Coarse to fine: wide bins find the neighbourhood of the angle, narrow
    // ones pin it down.
    double migliore = 0;
    const auto cerca = [&](double da, double a, double passo, double bin) {
        double valore = -1;
        double trovato = migliore;
        for (double gradi = da; gradi <= a + 1e-9; gradi += passo) {
            const double s = nitidezza(gradi, bin);
            if (s > valore) {
                valore = s;
                trovato = gradi;
            }
        }
        migliore = trovato;
    };
    cerca(-5.0, 5.0, 0.2, 8.0);
    cerca(migliore - 0.3, migliore + 0.3, 0.05, 2.0);
    cerca(migliore - 0.08, migliore + 0.08, 0.01, 1.0);
    return std::round(migliore * 100.0) / 100.0;
}

QImage ruota(const QImage& immagine, double gradi)
{
    if (immagine.isNull() || gradi == 0)
        return immagine;
    const bool grigia = immagine.format() == QImage::Format_Grayscale8;
    QImage r(immagine.size(), QImage::Format_RGB32);
    r.fill(Qt::white);
    {
        QPainter p(&r);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        const QPointF centro(immagine.width() / 2.0, immagine.height() / 2.0);
        p.translate(centro);
        p.rotate(gradi);
        p.translate(-centro);
        p.drawImage(0, 0, immagine);
    }
    return grigia ? r.convertToFormat(QImage::Format_Grayscale8) : r;
}

QImage quarto_di_giro(const QImage& immagine, bool destra)
{
    if (immagine.isNull())
        return immagine;
    return immagine.transformed(QTransform().rotate(destra ? 90 : -90));
}

std::optional<QPointF> aggancia(const Griglia& griglia, QPointF punto, double raggio)
{
    std::optional<QPointF> trovato;
    double distanza = raggio;
    for (double x : griglia.verticali) {
        if (std::fabs(x - punto.x()) > raggio)
            continue;
        for (double y : griglia.orizzontali) {
            const double d = std::hypot(x - punto.x(), y - punto.y());
            if (d <= distanza) {
                distanza = d;
                trovato = QPointF(std::round(x), std::round(y));
            }
        }
    }
    return trovato;
}

bool rotondo(double valore)
{
    if (!(valore > 0) || !std::isfinite(valore))
        return false;
    const double mantissa = valore / std::pow(10.0, std::floor(std::log10(valore)));
    // 2.5 too: data sheets divide 0-25 mA or 0-250 V scales in tenths, and a
    // correct 0.25 mA division must not read as a mistake.
    for (double c : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (std::fabs(mantissa / c - 1.0) <= 0.02)
            return true;
    return false;
}

std::optional<Divisione> divisione(const Griglia& griglia, const Taratura& t)
{
    const double px = griglia.passo_x(), py = griglia.passo_y();
    const double larghezza = double(t.vmax_x) - t.org_x, altezza = double(t.org_y) - t.imax_y;
    if (px <= 0 || py <= 0 || larghezza <= 0 || altezza <= 0 || !(t.vmax_v > 0) || !(t.imax_i > 0))
        return std::nullopt;
    Divisione d;
    d.volt = px * t.vmax_v / larghezza;
    d.milliampere = py * t.imax_i / altezza;
    d.testo = QStringLiteral("Divisione: %1 V; %2 mA").arg(cifre(d.volt), cifre(d.milliampere));
    d.rotonda = rotondo(d.volt) && rotondo(d.milliampere);
    return d;
}

} // namespace analisi_grafico
