#include "tubes/modello_lista_valvole.h"

ModelloListaValvole::ModelloListaValvole(QObject* parent) : QAbstractTableModel(parent) {}

QString ModelloListaValvole::cella(int riga, int colonna) const
{
    if (riga < 0 || riga >= celle_.size() || colonna < 0 || colonna >= celle_[riga].size())
        return {};
    return celle_[riga][colonna];
}

void ModelloListaValvole::inizia_ricostruzione()
{
    beginResetModel();
    in_ricostruzione_ = true;
}

void ModelloListaValvole::fine_ricostruzione()
{
    in_ricostruzione_ = false;
    endResetModel();
}

void ModelloListaValvole::svuota(int colonne)
{
    if (!in_ricostruzione_)
        beginResetModel();
    celle_.clear();
    colonne_ = colonne;
    if (!in_ricostruzione_)
        endResetModel();
}

void ModelloListaValvole::aggiungi_riga(const QStringList& valori)
{
    QStringList riga = valori;
    while (riga.size() < colonne_)
        riga << QString();
    riga = riga.mid(0, colonne_);
    // Row 0 is the header; tube rows become view rows 0..n-1.
    const bool visibile = !celle_.isEmpty();
    if (visibile && !in_ricostruzione_)
        beginInsertRows({}, rowCount(), rowCount());
    celle_.append(riga);
    if (visibile && !in_ricostruzione_)
        endInsertRows();
    else if (!visibile && !in_ricostruzione_)
        emit headerDataChanged(Qt::Horizontal, 0, colonne_ - 1);
}

int ModelloListaValvole::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return celle_.isEmpty() ? 0 : static_cast<int>(celle_.size()) - 1;
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
