#pragma once

#include <QTableView>

class ModelloListaValvole;

// The tube list view: one header row, one row per tube, with the header row
// and the first three columns (ID, hidden, and the two designations) frozen
// so the designations stay in view while the other columns scroll.
class GrigliaDB : public QTableView {
    Q_OBJECT
public:
    explicit GrigliaDB(ModelloListaValvole* modello, QWidget* parent = nullptr);

    ModelloListaValvole* modello() const { return modello_; }

    // Column widths in twips (15 twips = 1 px) and the frozen columns.
    void imposta_larghezza_twips(int colonna, int twips);
    int larghezza_twips(int colonna) const;
    void imposta_colonne_fisse(int n);
    int colonne_fisse() const { return colonne_fisse_; }

signals:
    // A tube row was double-clicked: its grid row number (1 = first tube).
    void riga_doppio_click(int riga);

protected:
    void resizeEvent(QResizeEvent* e) override;
    QModelIndex moveCursor(CursorAction azione, Qt::KeyboardModifiers modificatori) override;
    void scrollTo(const QModelIndex& indice, ScrollHint suggerimento = EnsureVisible) override;

private:
    void aggiorna_vista_fissa();
    void aggiorna_geometria_fissa();

    ModelloListaValvole* modello_;
    QTableView* vista_fissa_;
    int colonne_fisse_ = 0;
    // Widths as set, in twips: pixels would lose the rest of the division.
    QVector<int> larghezze_twips_;
};
