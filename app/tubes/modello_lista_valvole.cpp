#include "tubes/modello_lista_valvole.h"

ModelloListaValvole::ModelloListaValvole(QObject* parent) : QAbstractTableModel(parent) {}

QString ModelloListaValvole::cella(int riga, int colonna) const
{
    if (riga < 0 || riga >= righe_.size() || colonna < 0 || colonna >= colonne_)
        return {};
    const std::size_t base = static_cast<std::size_t>(riga) * static_cast<std::size_t>(colonne_);
    const int inizio = colonna == 0 ? 0 : fini_[base + static_cast<std::size_t>(colonna) - 1];
    const int fine = fini_[base + static_cast<std::size_t>(colonna)];
    return righe_[riga].mid(inizio, fine - inizio);
}

void ModelloListaValvole::inizia_ricostruzione(const QStringList& intestazione)
{
    beginResetModel();
    righe_.clear();
    fini_.clear();
    colonne_ = static_cast<int>(intestazione.size());
    aggiungi_riga(intestazione);
}

void ModelloListaValvole::aggiungi_riga(const QStringList& valori)
{
    QString testo;
    QVector<int> fini;
    fini.reserve(colonne_);
    for (int c = 0; c < colonne_; ++c) {
        if (c < valori.size())
            testo += valori[c];
        fini << static_cast<int>(testo.size());
    }
    aggiungi_riga(std::move(testo), fini);
}

void ModelloListaValvole::aggiungi_riga(QString testo, const QVector<int>& fini)
{
    const int lunghezza = static_cast<int>(testo.size());
    int ultimo = 0;
    for (int c = 0; c < colonne_; ++c) {
        // A missing or out-of-order end leaves the cell empty.
        if (c < fini.size() && fini[c] >= ultimo && fini[c] <= lunghezza)
            ultimo = fini[c];
        fini_.push_back(ultimo);
    }
    righe_.append(std::move(testo));
}

void ModelloListaValvole::fine_ricostruzione()
{
    endResetModel();
}

void ModelloListaValvole::imposta_larghezza_twips(int colonna, int twips)
{
    emit larghezza_twips_cambiata(colonna, twips);
}

void ModelloListaValvole::imposta_colonne_fisse(int n)
{
    emit colonne_fisse_cambiate(n);
}

int ModelloListaValvole::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return righe_.isEmpty() ? 0 : static_cast<int>(righe_.size()) - 1;
}

int ModelloListaValvole::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : colonne_;
}

QVariant ModelloListaValvole::data(const QModelIndex& indice, int ruolo) const
{
    if (!indice.isValid())
        return {};
    if (ruolo == Qt::DisplayRole || ruolo == Qt::ToolTipRole)
        return cella(indice.row() + 1, indice.column());
    if (ruolo == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant ModelloListaValvole::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const
{
    if (orientamento == Qt::Horizontal) {
        if (ruolo == Qt::DisplayRole)
            return cella(0, sezione);
        if (ruolo == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return {};
    }
    if (ruolo == Qt::DisplayRole)
        return sezione + 1;
    return {};
}
