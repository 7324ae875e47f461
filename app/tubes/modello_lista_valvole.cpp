#include "tubes/modello_lista_valvole.h"

ModelloListaValvole::ModelloListaValvole(QObject* parent) : QAbstractTableModel(parent) {}

QString ModelloListaValvole::cella(int riga, int colonna) const
{
    if (riga < 0 || riga >= celle_.size() || colonna < 0 || colonna >= celle_[riga].size())
        return {};
    return celle_[riga][colonna];
}

void ModelloListaValvole::inizia_ricostruzione(const QStringList& intestazione)
{
    beginResetModel();
    celle_.clear();
    colonne_ = static_cast<int>(intestazione.size());
    celle_.append(intestazione);
}

void ModelloListaValvole::aggiungi_riga(const QStringList& valori)
{
    QStringList riga = valori.mid(0, colonne_);
    while (riga.size() < colonne_)
        riga << QString();
    celle_.append(riga);
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
