#include "tubes/ui/griglia_db.h"

#include "common/twips.h"
#include "tubes/modello_lista_valvole.h"

#include <QHeaderView>
#include <QScrollBar>

namespace {
constexpr int twips_per_pixel = twips::per_pixel;
}

GrigliaDB::GrigliaDB(ModelloListaValvole* modello, QWidget* parent)
    : QTableView(parent), modello_(modello), vista_fissa_(new QTableView(this))
{
    setModel(modello_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(ScrollPerPixel);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);

    // The frozen columns are a second view over the same model, laid over the
    // left edge and scrolled vertically together with the main one.
    vista_fissa_->setModel(modello_);
    vista_fissa_->setSelectionModel(selectionModel());
    vista_fissa_->setFocusPolicy(Qt::NoFocus);
    vista_fissa_->verticalHeader()->hide();
    vista_fissa_->verticalHeader()->setDefaultSectionSize(20);
    vista_fissa_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    vista_fissa_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    vista_fissa_->setSelectionBehavior(QAbstractItemView::SelectRows);
    vista_fissa_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vista_fissa_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    vista_fissa_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    vista_fissa_->setStyleSheet(QStringLiteral("QTableView { border: none; background-color: #f4f4f4; }"));
    vista_fissa_->hide();
    viewport()->stackUnder(vista_fissa_);

    connect(vista_fissa_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, vista_fissa_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int sezione, int, int nuova) {
        if (sezione < colonne_fisse_) {
            vista_fissa_->setColumnWidth(sezione, nuova);
            aggiorna_geometria_fissa();
        }
    });
    connect(modello_, &QAbstractItemModel::modelReset, this, &GrigliaDB::aggiorna_vista_fissa);
    connect(modello_, &ModelloListaValvole::larghezza_twips_cambiata, this, &GrigliaDB::imposta_larghezza_twips);
    connect(modello_, &ModelloListaValvole::colonne_fisse_cambiate, this, &GrigliaDB::imposta_colonne_fisse);

    auto doppio = [this](const QModelIndex& indice) {
        if (indice.isValid())
            emit riga_doppio_click(indice.row() + 1);
    };
    connect(this, &QAbstractItemView::doubleClicked, this, doppio);
    connect(vista_fissa_, &QAbstractItemView::doubleClicked, this, doppio);
}

void GrigliaDB::imposta_larghezza_twips(int colonna, int twips)
{
    const int px = twips / twips_per_pixel;
    if (colonna >= larghezze_twips_.size())
        larghezze_twips_.resize(colonna + 1, -1);
    larghezze_twips_[colonna] = twips;
    setColumnWidth(colonna, px);
    setColumnHidden(colonna, px == 0);
    vista_fissa_->setColumnWidth(colonna, px);
    vista_fissa_->setColumnHidden(colonna, px == 0);
}

int GrigliaDB::larghezza_twips(int colonna) const
{
    if (colonna < larghezze_twips_.size() && larghezze_twips_[colonna] >= 0)
        return larghezze_twips_[colonna];
    return isColumnHidden(colonna) ? 0 : columnWidth(colonna) * twips_per_pixel;
}

void GrigliaDB::imposta_colonne_fisse(int n)
{
    colonne_fisse_ = n;
    aggiorna_vista_fissa();
}

void GrigliaDB::aggiorna_vista_fissa()
{
    const int colonne = modello_->columnCount();
    for (int c = 0; c < colonne; ++c) {
        const bool fissa = c < colonne_fisse_;
        vista_fissa_->setColumnHidden(c, !fissa || isColumnHidden(c));
        if (fissa)
            vista_fissa_->setColumnWidth(c, columnWidth(c));
    }
    vista_fissa_->setVisible(colonne_fisse_ > 0 && colonne > 0);
    aggiorna_geometria_fissa();
}

void GrigliaDB::aggiorna_geometria_fissa()
{
    int larghezza = 0;
    for (int c = 0; c < colonne_fisse_ && c < modello_->columnCount(); ++c)
        if (!isColumnHidden(c))
            larghezza += columnWidth(c);
    vista_fissa_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), larghezza,
                              viewport()->height() + horizontalHeader()->height());
}

void GrigliaDB::resizeEvent(QResizeEvent* e)
{
    QTableView::resizeEvent(e);
    aggiorna_geometria_fissa();
}

QModelIndex GrigliaDB::moveCursor(CursorAction azione, Qt::KeyboardModifiers modificatori)
{
    QModelIndex corrente = QTableView::moveCursor(azione, modificatori);
    // Keep the cursor cell out from under the frozen columns.
    int larghezza_fissa = 0;
    for (int c = 0; c < colonne_fisse_; ++c)
        if (!isColumnHidden(c))
            larghezza_fissa += columnWidth(c);
    if (azione == MoveLeft && corrente.column() >= colonne_fisse_ &&
        visualRect(corrente).topLeft().x() < larghezza_fissa) {
        const int nuovo = horizontalScrollBar()->value() + visualRect(corrente).topLeft().x() - larghezza_fissa;
        horizontalScrollBar()->setValue(nuovo);
    }
    return corrente;
}

void GrigliaDB::scrollTo(const QModelIndex& indice, ScrollHint suggerimento)
{
    if (indice.column() >= colonne_fisse_)
        QTableView::scrollTo(indice, suggerimento);
}
