#include "foglio/ui/scelta_pagina.h"

#include "foglio/pagine_pdf.h"
#include "platform/piattaforma.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int lato_miniatura = 160;
// One cell of the grid the thumbnails are laid out on: the square icon, the
// caption under it, and a margin.
const QSize cella(lato_miniatura + 24, lato_miniatura + 34);

// The page centred on a square with a thin frame: every cell is the same
// size, so the rows line up, and the whole square answers a click.
QPixmap icona(const QImage& pagina)
{
    QPixmap p(lato_miniatura, lato_miniatura);
    p.fill(Qt::transparent);
    if (pagina.isNull())
        return p;
    QPainter d(&p);
    const QRect r((lato_miniatura - pagina.width()) / 2, (lato_miniatura - pagina.height()) / 2, pagina.width(),
                  pagina.height());
    d.drawImage(r.topLeft(), pagina);
    d.setPen(QColor(150, 150, 150));
    d.drawRect(r.adjusted(0, 0, -1, -1));
    return p;
}

// The thumbnails in wrapped rows. The list view's own Page Up/Down follow
// its flow, which here runs across a row; a page key moves by the rows in
// view instead. The current thumbnail is scrolled back into view whenever
// the view changes size.
class ElencoPagine : public QListWidget {
public:
    explicit ElencoPagine(QWidget* parent) : QListWidget(parent) {}

    int colonne() const { return std::max(1, viewport()->width() / cella.width()); }
    int righe_in_vista() const { return std::max(1, viewport()->height() / cella.height()); }

protected:
    QModelIndex moveCursor(CursorAction azione, Qt::KeyboardModifiers modificatori) override
    {
        if (azione != MovePageDown && azione != MovePageUp)
            return QListWidget::moveCursor(azione, modificatori);
        const int passo = colonne() * righe_in_vista();
        const int da = std::max(0, currentRow());
        const int a = std::clamp(azione == MovePageDown ? da + passo : da - passo, 0, count() - 1);
        return model()->index(a, 0);
    }

    // A press leaves the view where it is (the list view's own choice, so
    // the page does not jump under the pointer); once the button is up, a
    // thumbnail chosen while cut by the edge is brought into view.
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        QListWidget::mouseReleaseEvent(e);
        if (currentIndex().isValid())
            scrollTo(currentIndex());
    }

    void resizeEvent(QResizeEvent* e) override
    {
        QListWidget::resizeEvent(e);
        if (currentIndex().isValid())
            scrollTo(currentIndex());
    }

    void showEvent(QShowEvent* e) override
    {
        QListWidget::showEvent(e);
        if (currentIndex().isValid())
            scrollTo(currentIndex());
    }
};

} // namespace

Scelta_Pagina::Scelta_Pagina(Piattaforma& piattaforma, const pagine_pdf::Documento& documento, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Scelta_Pagina"));
    setWindowTitle(titolo);
    setAccessibleName(titolo);

    auto* lista = new ElencoPagine(this);
    elenco = lista;
    elenco->setAccessibleName(tr("Pagine"));
    elenco->setViewMode(QListView::IconMode);
    elenco->setFlow(QListView::LeftToRight);
    elenco->setWrapping(true);
    elenco->setResizeMode(QListView::Adjust);
    elenco->setMovement(QListView::Static);
    elenco->setIconSize(QSize(lato_miniatura, lato_miniatura));
    elenco->setGridSize(cella);
    elenco->setUniformItemSizes(true);
    elenco->setSelectionMode(QAbstractItemView::SingleSelection);
    elenco->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    elenco->verticalScrollBar()->setSingleStep(cella.height() / 4);
    elenco->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* etichetta = new QLabel(tr("Scegliere la pagina con le curve:"), this);
    etichetta->setBuddy(elenco);

    // Rendering the thumbnails of a long document takes a while.
    {
        Piattaforma::Occupato occupato(piattaforma);
        for (int i = 0; i < documento.pagine(); ++i) {
            const QString testo = tr("Pagina %1").arg(i + 1);
            auto* voce = new QListWidgetItem(QIcon(icona(documento.miniatura(i, lato_miniatura))), testo, elenco);
            voce->setToolTip(testo);
            voce->setSizeHint(cella);
        }
    }
    elenco->setCurrentRow(0);

    auto* pulsanti = new QDialogButtonBox(this);
    ok = pulsanti->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    annulla = pulsanti->addButton(tr("Annulla"), QDialogButtonBox::RejectRole);
    ok->setAccessibleName(tr("OK"));
    annulla->setAccessibleName(tr("Annulla"));
    connect(pulsanti, &QDialogButtonBox::accepted, this, [this] {
        if (pagina() >= 0)
            accept();
    });
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(elenco, &QListWidget::itemActivated, this, [this] {
        if (pagina() >= 0)
            accept();
    });
    connect(elenco, &QListWidget::itemSelectionChanged, this, [this] { ok->setEnabled(pagina() >= 0); });

    auto* tutto = new QVBoxLayout(this);
    tutto->addWidget(etichetta);
    tutto->addWidget(elenco, 1);
    tutto->addWidget(pulsanti);

    // Up to four thumbnails across and two rows down, within the screen; a
    // longer document scrolls.
    const int n = std::max(1, documento.pagine());
    const int colonne = std::min(4, n);
    const int righe = std::min(2, (n + colonne - 1) / colonne);
    const int bordo = 2 * elenco->frameWidth() + elenco->verticalScrollBar()->sizeHint().width() + 4;
    elenco->setMinimumSize(cella.width() + bordo, cella.height() + 2 * elenco->frameWidth() + 4);
    QSize voluta(colonne * cella.width() + bordo + 24, righe * cella.height() + 2 * elenco->frameWidth() + 4 +
                                                           etichetta->sizeHint().height() +
                                                           pulsanti->sizeHint().height() + 40);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        voluta = voluta.boundedTo(s->availableGeometry().size() * 9 / 10);
    resize(voluta);
}

int Scelta_Pagina::pagina() const
{
    const QList<QListWidgetItem*> scelte = elenco->selectedItems();
    return scelte.size() == 1 ? elenco->row(scelte.front()) : -1;
}

void Scelta_Pagina::scegli(int pagina)
{
    elenco->setCurrentRow(pagina);
    if (QListWidgetItem* v = elenco->item(pagina))
        elenco->scrollToItem(v);
}
