#include "model/righe_curve.h"

#include <QLocale>

#include <algorithm>

namespace righe_curve {

QString vg_in_sequenza(const Sequenza& s, int k)
{
    if (!s.prima || !s.passo)
        return {};
    QLocale l;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(*s.prima - *s.passo * k, 'g', 10);
}

void rinumera(QVector<Riga>& righe, int da, const Sequenza& s)
{
    if (!s.prima || !s.passo)
        return;
    for (int k = std::max(0, da); k < righe.size(); ++k)
        if (!righe[k].vg_a_mano)
            righe[k].vg = vg_in_sequenza(s, k);
}

void scrivi_vg(QVector<Riga>& righe, int r, const QString& testo)
{
    if (r < 0 || r >= righe.size())
        return;
    righe[r].vg = testo;
    righe[r].vg_a_mano = true;
}

void inserisci(QVector<Riga>& righe, int posizione, const QVector<QPointF>& punti, const Sequenza& s)
{
    posizione = std::clamp(posizione, 0, int(righe.size()));
    righe.insert(posizione, Riga{punti, vg_in_sequenza(s, posizione), false});
    rinumera(righe, posizione, s);
}

bool rimuovi(QVector<Riga>& righe, QVector<int> indici, const Sequenza& s)
{
    std::sort(indici.begin(), indici.end());
    indici.erase(std::unique(indici.begin(), indici.end()), indici.end());
    indici.erase(std::remove_if(indici.begin(), indici.end(), [&](int i) { return i < 0 || i >= righe.size(); }),
                 indici.end());
    if (indici.isEmpty())
        return false;
    // From the bottom up, so the indices still left stay valid.
    for (auto i = indici.crbegin(); i != indici.crend(); ++i)
        righe.removeAt(*i);
    rinumera(righe, indici.front(), s);
    return true;
}

bool unisci(QVector<Riga>& righe, int a, int b, const Sequenza& s)
{
    if (a == b || a < 0 || b < 0 || a >= righe.size() || b >= righe.size())
        return false;
    const int sopra = std::min(a, b), sotto = std::max(a, b);
    Riga& r = righe[sopra];
    const Riga& altra = righe[sotto];
    r.punti += altra.punti;
    // Stable: within one piece the points keep their order where x ties.
    std::stable_sort(r.punti.begin(), r.punti.end(), [](QPointF p, QPointF q) { return p.x() < q.x(); });
    if (!r.vg_a_mano && altra.vg_a_mano) {
        r.vg = altra.vg;
        r.vg_a_mano = true;
    }
    righe.removeAt(sotto);
    rinumera(righe, sopra, s);
    return true;
}

} // namespace righe_curve
