#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

// The cells of the tube list: row 0 holds the 26 header texts, rows 1 to n
// one tube each, every value as text. The other parts of the program read a
// tube back from these cells by row and column number, so the grid numbering
// (header = row 0) is kept here; the view shows row 0 as its header.
class ModelloListaValvole : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModelloListaValvole(QObject* parent = nullptr);

    // Grid access, header row included.
    int righe() const { return static_cast<int>(celle_.size()); }
    int colonne() const { return colonne_; }
    QString cella(int riga, int colonna) const;

    // The grid is rebuilt whole: start with the column count and the header
    // row, append the tube rows, end. The view hears of it once, at the end.
    void inizia_ricostruzione(const QStringList& intestazione);
    void aggiungi_riga(const QStringList& valori);
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
    QVector<QStringList> celle_;
    int colonne_ = 0;
};
