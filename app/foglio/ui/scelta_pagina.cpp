#include "foglio/ui/scelta_pagina.h"

#include "platform/piattaforma.h"
#include "foglio/pagine_pdf.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int lato_miniatura = 160;

} // namespace

Scelta_Pagina::Scelta_Pagina(Piattaforma& piattaforma, const pagine_pdf::Documento& documento, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Scelta_Pagina"));
    setWindowTitle(titolo);
    setAccessibleName(titolo);

    elenco = new QListWidget(this);
    elenco->setAccessibleName(tr("Pagine"));
    elenco->setViewMode(QListView::IconMode);
    elenco->setIconSize(QSize(lato_miniatura, lato_miniatura));
    elenco->setResizeMode(QListView::Adjust);
    elenco->setMovement(QListView::Static);
    elenco->setSpacing(6);
    auto* etichetta = new QLabel(tr("Scegliere la pagina con le curve:"), this);
    etichetta->setBuddy(elenco);

    // Rendering the thumbnails of a long document takes a while.
    {
        Piattaforma::Occupato occupato(piattaforma);
        for (int i = 0; i < documento.pagine(); ++i) {
            const QString testo = tr("Pagina %1").arg(i + 1);
            auto* voce =
                new QListWidgetItem(QIcon(QPixmap::fromImage(documento.miniatura(i, lato_miniatura))), testo, elenco);
            voce->setToolTip(testo);
        }
    }
    elenco->setCurrentRow(0);

    auto* pulsanti = new QDialogButtonBox(this);
    ok = pulsanti->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    annulla = pulsanti->addButton(tr("Annulla"), QDialogButtonBox::RejectRole);
    ok->setAccessibleName(tr("OK"));
    annulla->setAccessibleName(tr("Annulla"));
    connect(pulsanti, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(elenco, &QListWidget::itemActivated, this, &QDialog::accept);

    auto* tutto = new QVBoxLayout(this);
    tutto->addWidget(etichetta);
    tutto->addWidget(elenco);
    tutto->addWidget(pulsanti);
    const int colonne = std::min(4, std::max(1, documento.pagine()));
    resize(colonne * (lato_miniatura + 40) + 40, lato_miniatura + 160);
}

int Scelta_Pagina::pagina() const
{
    return elenco->currentRow();
}

void Scelta_Pagina::scegli(int pagina)
{
    elenco->setCurrentRow(pagina);
}
