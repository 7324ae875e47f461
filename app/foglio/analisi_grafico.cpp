#include "foglio/analisi_grafico.h"

#include "common/numeri.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
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
constexpr double copertura_minima = 0.75;

// A line candidate: the pixel columns (rows) it occupies and the extent of
// its longest run along it.
struct Linea {
    int da = 0, a = 0;        // first and last column (row) across the line
    int inizio = 0, fine = 0; // its run along the line
    int lunghezza() const { return fine - inizio + 1; }
};

// Widening is for full-size scans: their lines wander by a pixel or two,
// and a sheared scan leaves one direction of lines leaning by a tenth of a
// degree or two once the other is straight, a few pixels along a plot. On
// a rescaled plot the lines of a fine grid stand a few pixels apart and
// widening would merge them.
int allargamento(int lunghezza, int pixel = 2)
{
    return lunghezza > 1000 ? pixel : 0;
}

// Lines along one direction: `verticali` looks for vertical lines (runs
// down the columns). Each column is widened on each side so a slightly
// tilted or wavy line still makes one long run.
// Row y's ink widened along the row: largo[x] is 1 when a pixel within
// `allarga` of x is darker than `soglia`. `scuri` is scratch space.
void riga_allargata(const Grigio& g, int y, int allarga, int soglia, std::vector<std::uint8_t>& scuri,
                    std::vector<std::uint8_t>& largo)
{
    // Padded with paper on both sides, so every x takes the same window.
    scuri.assign(std::size_t(g.w + 2 * allarga), 0);
    largo.resize(std::size_t(g.w));
    const std::uint8_t* riga = g.p.data() + std::size_t(y) * std::size_t(g.w);
    std::uint8_t* s = scuri.data() + allarga;
    for (int x = 0; x < g.w; ++x)
        s[x] = riga[x] < soglia;
    for (int x = 0; x < g.w; ++x) {
        std::uint8_t nero = 0;
        for (int d = -allarga; d <= allarga; ++d)
            nero |= s[x + d];
        largo[std::size_t(x)] = nero;
    }
}

// Ink along each line of one direction, widened across it: entry i * m + j
// is 1 when a pixel within `allarga` of line i (a column for `verticali`, a
// row otherwise; n of them, m pixels long) is darker than `soglia` at j.
// Each line's pixels lie one after another, so the scans along a line read
// memory in order; the picture itself is read row by row.
std::vector<std::uint8_t> inchiostro_allargato(const Grigio& g, bool verticali, int allarga, int soglia)
{
    const int n = verticali ? g.w : g.h;
    const int m = verticali ? g.h : g.w;
    std::vector<std::uint8_t> r(std::size_t(n) * std::size_t(m));
    if (verticali) {
        std::vector<std::uint8_t> scuri, largo;
        for (int y = 0; y < g.h; ++y) {
            riga_allargata(g, y, allarga, soglia, scuri, largo);
            for (int x = 0; x < g.w; ++x)
                r[std::size_t(x) * std::size_t(m) + std::size_t(y)] = largo[std::size_t(x)];
        }
    } else {
        for (int y = 0; y < g.h; ++y) {
            std::uint8_t* fuori = r.data() + std::size_t(y) * std::size_t(m);
            for (int k = std::max(0, y - allarga), fine = std::min(g.h - 1, y + allarga); k <= fine; ++k) {
                const std::uint8_t* riga = g.p.data() + std::size_t(k) * std::size_t(g.w);
                for (int x = 0; x < g.w; ++x)
                    fuori[x] |= riga[x] < soglia;
            }
        }
    }
    return r;
}

std::vector<Linea> linee(const Grigio& g, bool verticali)
{
    const int n = verticali ? g.w : g.h; // across
    const int m = verticali ? g.h : g.w; // along
    const int lacuna = std::max(3, int(std::lround(m * lacuna_relativa)));
    const int allarga = allargamento(m);
    const int minima = std::max(12, int(m * 0.08));
    const std::vector<std::uint8_t> tutto = inchiostro_allargato(g, verticali, allarga, soglia_inchiostro);
    std::vector<Linea> trovate;
    Linea corrente;
    bool aperta = false;
    for (int i = 0; i < n; ++i) {
        const std::uint8_t* inchiostro = tutto.data() + std::size_t(i) * std::size_t(m);
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
    // The widening added columns on each side of every line.
    for (Linea& l : trovate) {
        if (allarga && l.a - l.da >= 2 * allarga) {
            l.da += allarga;
            l.a -= allarga;
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

namespace {

// The division to a fraction of a pixel: each line numbered by its place on
// the lattice of the usual distance, then the straight line through them
// by least squares, so a missing line or a centre off by a pixel on a fine
// rescaled grid does not make a right calibration read as a wrong one.
double passo_reticolo(const std::vector<double>& posizioni)
{
    const double p = passo(posizioni);
    if (p <= 0)
        return p;
    double sk = 0, sx = 0, skk = 0, skx = 0;
    double n = 0, k = 0, precedente = posizioni.front();
    for (std::size_t i = 0; i < posizioni.size(); ++i) {
        const double x = posizioni[i];
        // Numbered from the previous line, so the usual distance's error
        // does not add up along the grid; a line closer than half a
        // division to the previous one is a stray and left out.
        if (i > 0) {
            const double q = std::round((x - precedente) / p);
            if (q < 1)
                continue;
            k += q;
        }
        precedente = x;
        sk += k;
        sx += x;
        skk += k * k;
        skx += k * x;
        ++n;
    }
    const double den = n * skk - sk * sk;
    if (den <= 0)
        return p;
    const double pendenza = (n * skx - sk * sx) / den;
    // A lattice that the numbering got wrong gives nothing better.
    return std::fabs(pendenza / p - 1) < 0.1 ? pendenza : p;
}

} // namespace

double Griglia::passo_x() const
{
    return passo_reticolo(verticali);
}

double Griglia::passo_y() const
{
    return passo_reticolo(orizzontali);
}

namespace {

// How much of the span [da, a] along each position across the picture is
// ink: for vertical lines, the share of the rows da..a that are dark in
// each column. Columns are widened as in linee(), so a line that wanders by
// a pixel on a full-size scan still counts whole.
std::vector<double> copertura(const Grigio& g, bool verticali, int da, int a, int soglia)
{
    const int n = verticali ? g.w : g.h;
    const int m = verticali ? g.h : g.w;
    da = std::clamp(da, 0, m - 1);
    a = std::clamp(a, da, m - 1);
    const int allarga = allargamento(m, 1);
    // Counted row by row, so the picture is read in memory order.
    std::vector<int> piene(std::size_t(n), 0);
    if (verticali) {
        std::vector<std::uint8_t> scuri, largo;
        for (int y = da; y <= a; ++y) {
            riga_allargata(g, y, allarga, soglia, scuri, largo);
            for (int x = 0; x < n; ++x)
                piene[std::size_t(x)] += largo[std::size_t(x)];
        }
    } else {
        std::vector<std::uint8_t> nero(std::size_t(a - da + 1));
        for (int y = 0; y < n; ++y) {
            std::fill(nero.begin(), nero.end(), std::uint8_t(0));
            for (int k = std::max(0, y - allarga), fine = std::min(n - 1, y + allarga); k <= fine; ++k) {
                const std::uint8_t* riga = g.p.data() + std::size_t(k) * std::size_t(g.w) + da;
                for (std::size_t x = 0; x < nero.size(); ++x)
                    nero[x] |= riga[x] < soglia;
            }
            int somma = 0;
            for (const std::uint8_t b : nero)
                somma += b;
            piene[std::size_t(y)] = somma;
        }
    }
    std::vector<double> c(std::size_t(n), 0.0);
    for (int i = 0; i < n; ++i)
        c[std::size_t(i)] = double(piene[std::size_t(i)]) / (a - da + 1);
    return c;
}

// A grid line broken by the white boxes printed behind labels, or faded in
// the scan, still covers this share of the plot.
constexpr double copertura_reticolo = 0.4;

// The lines of one direction on the grid's lattice, within the plot that
// spans `da`..`a` along them and lies between `box0` and `box1` across
// them. Peaks of ink coverage along the plot give the lines' spacing; from
// the best covered one (on a strong line when there is one) the walk goes
// one spacing at a time each way, and takes the peak found within a fifth
// of a spacing of where the next line should be. So a line that a label's
// box interrupts is kept, while a curve, a load line or a text baseline,
// which neither falls on the lattice nor covers the plot, is not. Inside
// the plot a missing line is stepped over; outside it the walk stops at the
// first one missing, which is where the grid ends.
std::vector<Linea> completa(const Grigio& g, const std::vector<Linea>& forti, bool verticali, int da, int a, int box0,
                            int box1, int soglia = soglia_inchiostro)
{
    const std::vector<double> c = copertura(g, verticali, da, a, soglia);
    const int n = int(c.size());
    // Peaks of coverage: local maxima standing clear of their surroundings,
    // at the middle of a flat top (a thick line, widened).
    const int allarga = allargamento(verticali ? g.h : g.w, 1);
    const int intorno = 6 + 2 * allarga;
    std::vector<int> picchi;
    for (int i = 0; i < n;) {
        const double ci = c[std::size_t(i)];
        int j = i;
        while (j + 1 < n && c[std::size_t(j + 1)] == ci)
            ++j;
        const int centro_piatto = (i + j) / 2;
        const int inizio_piatto = i;
        i = j + 1;
        if (ci < copertura_reticolo)
            continue;
        bool massimo = true;
        for (int d = 1; d <= 2 && massimo; ++d) {
            if (inizio_piatto - d >= 0 && c[std::size_t(inizio_piatto - d)] > ci)
                massimo = false;
            if (j + d < n && c[std::size_t(j + d)] > ci)
                massimo = false;
        }
        if (!massimo)
            continue;
        // Far less ink somewhere on both sides within a few pixels: a line,
        // not the edge of a dark area.
        double sinistra = 1, destra = 1;
        for (int d = 1; d <= intorno; ++d) {
            if (inizio_piatto - d >= 0)
                sinistra = std::min(sinistra, c[std::size_t(inizio_piatto - d)]);
            if (j + d < n)
                destra = std::min(destra, c[std::size_t(j + d)]);
        }
        if (ci - sinistra >= 0.25 && ci - destra >= 0.25)
            picchi.push_back(centro_piatto);
    }
    std::vector<double> dentro;
    for (int i : picchi)
        if (i >= box0 && i <= box1)
            dentro.push_back(i);
    if (dentro.size() < 3)
        return forti;
    // The spacing: the usual distance between neighbouring peaks in the
    // plot, then, to a fraction of a pixel, the mean of those near it, so
    // the walk does not drift along a fine grid.
    double p = passo(dentro);
    if (p < 3)
        return forti;
    {
        double somma = 0;
        int quante = 0;
        for (std::size_t i = 1; i < dentro.size(); ++i) {
            const double d = dentro[i] - dentro[i - 1];
            if (d >= 0.75 * p && d <= 1.25 * p) {
                somma += d;
                ++quante;
            }
        }
        if (quante >= 2)
            p = somma / quante;
    }

    // The line at a position: the peak nearest to it within the tolerance.
    const double tolleranza = std::max(1.5, p / 5);
    const auto picco_presso = [&](double x) -> int {
        const auto it = std::lower_bound(picchi.begin(), picchi.end(), int(std::floor(x - tolleranza)));
        int migliore = -1;
        double distanza = tolleranza;
        for (auto j = it; j != picchi.end() && *j <= x + tolleranza; ++j)
            if (std::fabs(*j - x) <= distanza) {
                distanza = std::fabs(*j - x);
                migliore = *j;
            }
        return migliore;
    };
    // The peak's line: the columns around it covered at least half as much.
    const auto linea_del_picco = [&](int i) {
        // A strong line keeps its own columns, found on its whole run: on a
        // rescaled picture the box filter spreads a line over pixels of
        // which the fainter ones cover less, and its centre needs them all.
        for (const Linea& f : forti)
            if (i >= f.da - 1 && i <= f.a + 1)
                return f;
        Linea l;
        l.da = l.a = i;
        const double meta = c[std::size_t(i)] / 2;
        while (l.da > 0 && i - l.da < intorno && c[std::size_t(l.da - 1)] >= meta)
            --l.da;
        while (l.a < n - 1 && l.a - i < intorno && c[std::size_t(l.a + 1)] >= meta)
            ++l.a;
        // Undo the widening, as linee() does.
        if (allarga && l.a - l.da >= 2 * allarga) {
            l.da += allarga;
            l.a -= allarga;
        }
        l.inizio = da;
        l.fine = a;
        return l;
    };

    // The walk starts on the best covered peak lying on a strong line (a
    // strong run may be a stretch of curve, never on a peak); without one,
    // on the best covered peak in the plot.
    int partenza = -1;
    const auto meglio = [&](int i) {
        if (i >= 0 && (partenza < 0 || c[std::size_t(i)] > c[std::size_t(partenza)]))
            partenza = i;
    };
    for (const Linea& l : forti)
        meglio(picco_presso((l.da + l.a) / 2.0));
    if (partenza < 0)
        for (double x : dentro)
            meglio(int(x));
    std::vector<Linea> r{linea_del_picco(partenza)};
    for (const int verso : {1, -1}) {
        double ancora = partenza;
        int mancanti = 0;
        for (;;) {
            const double atteso = ancora + verso * p * (mancanti + 1);
            if (atteso < -tolleranza || atteso > n - 1 + tolleranza)
                break;
            if (const int i = picco_presso(atteso); i >= 0) {
                r.push_back(linea_del_picco(i));
                ancora = i;
                mancanti = 0;
                continue;
            }
            if (atteso < box0 - tolleranza || atteso > box1 + tolleranza)
                break;
            // A long gap inside the plot (a title box, a crowd of labels):
            // the walk takes up again at the next peak beyond it.
            if (++mancanti > 8) {
                const auto it = std::find_if(dentro.begin(), dentro.end(), [&](double x) { return x > atteso; });
                if (verso > 0 && it != dentro.end())
                    ancora = *it;
                else if (verso < 0 && it != dentro.begin() && *std::prev(it) < atteso)
                    ancora = *std::prev(it);
                else
                    break;
                r.push_back(linea_del_picco(int(ancora)));
                mancanti = 0;
            }
        }
    }
    std::sort(r.begin(), r.end(), [](const Linea& x, const Linea& y) { return x.da < y.da; });
    r.erase(std::unique(r.begin(), r.end(), [](const Linea& x, const Linea& y) { return x.da == y.da; }), r.end());
    return r;
}

// How regular the lines are: the share of neighbouring distances that are
// whole multiples of the usual one. A grid is regular; a table's rules are
// not.
double regolarita(const std::vector<double>& posizioni)
{
    const double p = passo(posizioni);
    if (p <= 0 || posizioni.size() < 3)
        return 0;
    int buone = 0;
    for (std::size_t i = 1; i < posizioni.size(); ++i) {
        const double q = (posizioni[i] - posizioni[i - 1]) / p;
        // On a rescaled plot a line's centre is good to about a pixel.
        buone += std::round(q) >= 1 && std::fabs(q - std::round(q)) * p <= std::max(0.15 * p, 1.0);
    }
    return double(buone) / double(posizioni.size() - 1);
}

// How much of a grid the lines are: the share of the lattice positions
// between the first and the last line, one division apart, where a line
// was found. A plot's grid is all there; a table's rules, however even
// some of their distances, leave most positions empty.
double completezza(const std::vector<double>& posizioni)
{
    const double p = passo(posizioni);
    if (p <= 0 || posizioni.size() < 3)
        return 0;
    const double posti = std::round((posizioni.back() - posizioni.front()) / p) + 1;
    return std::min(1.0, double(posizioni.size()) / posti);
}

// One plot's grid from its lines (those that cross each other), at the
// scale of the grey picture.
Griglia griglia_del_gruppo(const Grigio& g, std::vector<Linea> sv, std::vector<Linea> so)
{
    Griglia r;
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
    // The seeds of the lattice: the lines running across most of the plot,
    // or, where curves and labels break nearly all of them, the longest
    // there are.
    const auto semi = [](std::vector<Linea> l, double lato) {
        for (const double quota : {0.6, 0.45, 0.3}) {
            std::vector<Linea> lunghe;
            std::copy_if(l.begin(), l.end(), std::back_inserter(lunghe),
                         [&](const Linea& x) { return x.lunghezza() >= quota * lato; });
            if (lunghe.size() >= 3)
                return lunghe;
        }
        return std::vector<Linea>{};
    };
    sv = semi(std::move(sv), lato_y);
    so = semi(std::move(so), lato_x);
    // One direction at least must give the plot's place: its lines' extent
    // one way, their usual run the other way.
    const auto corsa = [](const std::vector<Linea>& l) {
        std::vector<int> inizi, fini;
        for (const Linea& x : l) {
            inizi.push_back(x.inizio);
            fini.push_back(x.fine);
        }
        std::nth_element(inizi.begin(), inizi.begin() + std::ptrdiff_t(inizi.size() / 2), inizi.end());
        std::nth_element(fini.begin(), fini.begin() + std::ptrdiff_t(fini.size() / 2), fini.end());
        return std::pair{inizi[inizi.size() / 2], fini[fini.size() / 2]};
    };
    if (sv.size() < 3 && so.size() < 3)
        return r;
    // The lines broken by labels' boxes, found on the lattice; the
    // direction with more whole lines first, as it bounds the other's
    // search; then both again over the completed extents.
    const bool prima_verticali = sv.size() >= so.size();
    for (int giro = 0; giro < 2; ++giro) {
        for (int k = 0; k < 2; ++k) {
            const bool verticali = (k == 0) == prima_verticali;
            std::vector<Linea>& queste = verticali ? sv : so;
            const std::vector<Linea>& altre = verticali ? so : sv;
            if (altre.size() < 3)
                continue;
            const auto [da, a] = estensione(altre);
            auto [box0, box1] = corsa(altre);
            if (queste.size() >= 3) {
                const auto [q0, q1] = estensione(queste);
                box0 = std::min(box0, q0);
                box1 = std::max(box1, q1);
            }
            queste = completa(g, queste, verticali, da, a, box0, box1);
        }
        if (sv.size() < 3 || so.size() < 3)
            return r;
    }
    const auto [fx0, fx1] = estensione(sv);
    const auto [fy0, fy1] = estensione(so);
    for (const Linea& l : sv)
        r.verticali.push_back(centro(g, l, true, fy0, fy1));
    for (const Linea& l : so)
        r.orizzontali.push_back(centro(g, l, false, fx0, fx1));
    std::sort(r.verticali.begin(), r.verticali.end());
    std::sort(r.orizzontali.begin(), r.orizzontali.end());
    r.cornice = QRect(QPoint(fx0, fy0), QPoint(fx1, fy1));
    return r;
}

// The grid on the grey picture, reduced `k` times from the original.
//
// A page may hold several plots (a data sheet's plate characteristics
// beside its positive-grid or transfer characteristics) and a table ruled
// like a grid. Each set of lines crossing each other is a candidate; one
// counts as a plot when its lines are regular both ways. Of the plots at
// least half as large as the largest, the first in reading order (the
// topmost, then the leftmost) is taken: data sheets print the average
// plate characteristics first, and the size bound keeps a small inset or a
// ruled legend from taking its place.
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

    std::vector<Griglia> grafici;
    for (std::size_t radice = 0; radice < incroci.size(); ++radice) {
        if (incroci[radice] < 9)
            continue;
        std::vector<Linea> sv, so;
        for (std::size_t i = 0; i < v.size(); ++i)
            if (u.radice(int(i)) == int(radice))
                sv.push_back(v[i]);
        for (std::size_t j = 0; j < o.size(); ++j)
            if (u.radice(int(v.size() + j)) == int(radice))
                so.push_back(o[j]);
        Griglia candidata = griglia_del_gruppo(g, std::move(sv), std::move(so));
        const auto reticolo = [](const std::vector<double>& l) {
            return regolarita(l) >= 0.85 && completezza(l) >= 0.8;
        };
        if (candidata.trovata() && reticolo(candidata.verticali) && reticolo(candidata.orizzontali))
            grafici.push_back(std::move(candidata));
    }
    if (grafici.empty())
        return r;
    const auto area = [](const Griglia& x) { return double(x.cornice.width()) * x.cornice.height(); };
    double massima = 0;
    for (const Griglia& x : grafici)
        massima = std::max(massima, area(x));
    std::erase_if(grafici, [&](const Griglia& x) { return area(x) < massima / 2; });
    // Reading order: a plot above another comes first; of two side by side
    // (each reaching down past the other's top), the left one.
    const auto prima = [](const Griglia& x, const Griglia& y) {
        const bool affiancati =
            x.cornice.top() <= y.cornice.bottom() && y.cornice.top() <= x.cornice.bottom() &&
            std::abs(x.cornice.top() - y.cornice.top()) < std::min(x.cornice.height(), y.cornice.height()) / 2;
        if (affiancati)
            return x.cornice.left() < y.cornice.left();
        return x.cornice.top() < y.cornice.top();
    };
    r = *std::min_element(grafici.begin(), grafici.end(), prima);
    for (double& x : r.verticali)
        x = (x + 0.5) * k - 0.5;
    for (double& y : r.orizzontali)
        y = (y + 0.5) * k - 0.5;
    r.cornice = QRect(QPoint(r.cornice.left() * k, r.cornice.top() * k),
                      QPoint(r.cornice.right() * k + k - 1, r.cornice.bottom() * k + k - 1));
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

namespace {

// The plot's zone on the grey picture: the frame of its grid with a small
// margin, or the whole picture without one.
QRect zona_del_grafico(const Grigio& g)
{
    QRect zona(0, 0, g.w, g.h);
    Griglia griglia = rileva(g, 1);
    if (!griglia.trovata()) {
        // The search is not quite the same both ways round (the direction
        // with more whole lines leads the walk along the other): a sideways
        // plot that it misses as it stands may show on the picture given a
        // quarter turn clockwise, as the user will turn it.
        Grigio t;
        t.w = g.h;
        t.h = g.w;
        t.p.resize(g.p.size());
        for (int y = 0; y < t.h; ++y)
            for (int x = 0; x < t.w; ++x)
                t.p[std::size_t(y) * std::size_t(t.w) + std::size_t(x)] = g.at(y, g.h - 1 - x);
        griglia = rileva(t, 1);
        const QRect c = griglia.cornice;
        griglia.cornice = c.isEmpty() ? QRect() : QRect(c.y(), g.h - c.x() - c.width(), c.height(), c.width());
    }
    if (griglia.trovata())
        zona = griglia.cornice
                   .adjusted(-griglia.cornice.width() / 50, -griglia.cornice.height() / 50,
                             griglia.cornice.width() / 50, griglia.cornice.height() / 50)
                   .intersected(zona);
    return zona;
}

double inclinazione_zona(const Grigio& g, const QRect& zona);

} // namespace

double inclinazione(const QImage& immagine)
{
    if (immagine.isNull())
        return 0;
    int k = 1;
    const Grigio g = grigio(immagine, k);
    // A data sheet is pasted up from pieces (text, tables, the plot) that
    // need not lie at one angle: where a grid shows, the plot's own lines
    // decide, found first at the skew as it is.
    const QRect zona = zona_del_grafico(g);
    const double gradi = inclinazione_zona(g, zona);
    if (std::fabs(gradi) < 0.05 || zona == QRect(0, 0, g.w, g.h))
        return gradi;
    // Skewed, a plot's lines may be too broken to be told from a table's,
    // so another plot (or another piece of the page) may have decided: the
    // plot that shows once straightened is the one the user crops, and its
    // own lines decide then.
    int k2 = 1;
    const QRect dritta = zona_del_grafico(grigio(ruota(immagine, -gradi), k2));
    const QRect comune = dritta.intersected(zona);
    if (qint64(comune.width()) * comune.height() >= qint64(zona.width()) * zona.height() / 2)
        return gradi;
    return inclinazione_zona(g, dritta);
}

namespace {

double inclinazione_zona(const Grigio& g, const QRect& zona)
{
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
    const auto nitidezza = [&](double gradi, double bin, std::size_t ogni) {
        const double t = std::tan(gradi * pi / 180.0);
        const int n = int(lato / bin) + 2;
        righe.assign(std::size_t(n), 0);
        colonne.assign(std::size_t(n), 0);
        const double meta = n / 2.0;
        for (std::size_t i = 0; i < punti.size(); i += ogni) {
            const auto [x, y] = punti[i];
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
    const auto cerca = [&](double da, double a, double passo, double bin, std::size_t ogni) {
        double valore = -1;
        double trovato = migliore;
        for (double gradi = da; gradi <= a + 1e-9; gradi += passo) {
            const double s = nitidezza(gradi, bin, ogni);
            if (s > valore) {
                valore = s;
                trovato = gradi;
            }
        }
        migliore = trovato;
    };
    // The wide bins need a quarter of the points to tell the neighbourhood.
    cerca(-5.0, 5.0, 0.2, 8.0, 4);
    cerca(migliore - 0.3, migliore + 0.3, 0.05, 2.0, 1);
    cerca(migliore - 0.08, migliore + 0.08, 0.01, 1.0, 1);
    return std::round(migliore * 100.0) / 100.0;
}

} // namespace

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

namespace {

// The line of `linee` (ascending) nearest to `v`, when the click is close
// enough to it to mean it: within `raggio`, a radius that shrinks to half the
// spacing where the lines around the click stand closer than twice of it (so
// a click between two close lines goes to the nearer, and one halfway is not
// guessed), and never below 2 px, the slack of a steady hand.
std::optional<double> linea_vicina(const std::vector<double>& linee, double v, double raggio)
{
    if (linee.empty() || !std::isfinite(v))
        return std::nullopt;
    const auto dopo = std::lower_bound(linee.begin(), linee.end(), v);
    std::optional<double> prima_l, dopo_l;
    if (dopo != linee.end())
        dopo_l = *dopo;
    if (dopo != linee.begin())
        prima_l = *(dopo - 1);
    double vicina = 0;
    if (prima_l && (!dopo_l || v - *prima_l <= *dopo_l - v))
        vicina = *prima_l;
    else
        vicina = *dopo_l;
    double r = raggio;
    if (prima_l && dopo_l)
        r = std::min(r, 0.5 * (*dopo_l - *prima_l));
    r = std::max(r, 2.0);
    if (std::fabs(vicina - v) > r)
        return std::nullopt;
    return vicina;
}

} // namespace

std::optional<QPointF> aggancia(const Griglia& griglia, QPointF punto, double raggio)
{
    // Each direction on its own: a click near a vertical line but between
    // two horizontal ones still lands on the vertical line.
    const auto x = linea_vicina(griglia.verticali, punto.x(), raggio);
    const auto y = linea_vicina(griglia.orizzontali, punto.y(), raggio);
    if (!x && !y)
        return std::nullopt;
    return QPointF(x ? std::round(*x) : punto.x(), y ? std::round(*y) : punto.y());
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
    d.testo = QCoreApplication::translate("analisi_grafico", "Divisione: %1 V; %2 mA").arg(cifre(d.volt), cifre(d.milliampere));
    d.rotonda = rotondo(d.volt) && rotondo(d.milliampere);
    return d;
}

} // namespace analisi_grafico
