#pragma once

// The rows of traced curves the "Modello Valvola" window fits a model to:
// each row a curve's points and its grid voltage. The grid voltages follow
// the sequence of "Vg prima curva (V)=" and "Passo Vg (V)=", top row first,
// so repairing the family (removing a stray piece, joining the two pieces of
// one curve, adding a missed curve) renumbers the rows below the repair. A
// grid voltage the user typed is the user's: renumbering leaves it alone.

#include <QPointF>
#include <QString>
#include <QVector>

#include <optional>

namespace righe_curve {

struct Riga {
    QVector<QPointF> punti; // picture pixels, in voltage order
    QString vg;             // the grid-voltage cell as shown
    bool vg_a_mano = false; // typed by the user: kept on renumbering
};

// The first grid voltage and the step down to the next curve; either is
// empty when its field is not a number, and then nothing is renumbered.
struct Sequenza {
    std::optional<double> prima;
    std::optional<double> passo;
};

// The grid voltage of row k of the sequence as a cell shows it; empty when
// the sequence is incomplete.
QString vg_in_sequenza(const Sequenza& s, int k);

// Rows from `da` on take the sequence's voltage for their place, except the
// ones typed by hand. Nothing changes when the sequence is incomplete.
void rinumera(QVector<Riga>& righe, int da, const Sequenza& s);

// The user typed `testo` in row r's grid-voltage cell.
void scrivi_vg(QVector<Riga>& righe, int r, const QString& testo);

// A curve added at `posizione`; it and the rows after it are renumbered.
void inserisci(QVector<Riga>& righe, int posizione, const QVector<QPointF>& punti, const Sequenza& s);

// Removes the rows at the given indices (any order, out-of-range ones
// ignored) and renumbers from the first removed place on. False when there
// was nothing to remove.
bool rimuovi(QVector<Riga>& righe, QVector<int> indici, const Sequenza& s);

// Joins rows a and b, the two pieces of one curve, into one row in the upper
// row's place: their points merged in voltage order (picture x, which grows
// with the plate voltage), the voltage typed in either of them kept (the
// upper one's first), the rows after it renumbered. False when a and b are
// not two distinct rows.
bool unisci(QVector<Riga>& righe, int a, int b, const Sequenza& s);

} // namespace righe_curve
