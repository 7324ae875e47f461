#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

#include <vector>

// The cells of the tube list: row 0 holds the 26 header texts, rows 1 to n
// one tube each, every value as text. The other parts of the program read a
// tube back from these cells by row and column number, so the grid numbering
// (header = row 0) is kept here; the view shows row 0 as its header.
//
// A row's cells are kept one after the other in one text, with the place
// where each ends: a list of 10,000 tubes is then 10,000 texts instead of
// 260,000, which is most of what filling it used to cost.
class ModelloListaValvole : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModelloListaValvole(QObject* parent = nullptr);

    // Grid access, header row included.
    int righe() const { return static_cast<int>(righe_.size()); }
    int colonne() const { return colonne_; }
    QString cella(int riga, int colonna) const;

    // The grid is rebuilt whole: start with the column count and the header
    // row, append the tube rows, end. The view hears of it once, at the end.
    void inizia_ricostruzione(const QStringList& intestazione);
    // Cells beyond the column count are dropped, missing ones are empty.
    void aggiungi_riga(const QStringList& valori);
    // The same, with the row's cells written one after the other into one
    // text and `fini` holding where each cell ends in it.
    void aggiungi_riga(QString testo, const QVector<int>& fini);
    void fine_ricostruzione();

    // How the list is to be shown: column widths in twips and the number of
    // columns frozen at the left. Views follow the two signals.
    void imposta_larghezza_twips(int colonna, int twips);
    void imposta_colonne_fisse(int n);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& indice, int ruolo) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento, int ruolo) const override;

signals:
    void larghezza_twips_cambiata(int colonna, int twips);
    void colonne_fisse_cambiate(int n);

private:
    QVector<QString> righe_;
    // fini_[riga * colonne_ + colonna]: where that cell ends in its row's
    // text; it starts where the one before it ends (0 for the first).
    std::vector<int> fini_;
    int colonne_ = 0;
};
