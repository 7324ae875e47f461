#include "shell/vedi_schema.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

Vedi_Schema::Vedi_Schema(const QString& modo_schema, const QString& immagine, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Vedi_Schema"));
    setWindowTitle(tr("Schema: ") + modo_schema);

    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(tr("Schema: ") + modo_schema);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setMinimumSize(240, 160);
    Image1->setStyleSheet(QStringLiteral("background: white;"));
    // A missing or unreadable file gives a null picture: an empty window,
    // no message.
    const QPixmap schema(immagine);
    if (!schema.isNull())
        Image1->setPixmap(schema);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(Image1);
    adjustSize();
}
