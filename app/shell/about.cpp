#include "shell/about.h"

#include "common/emblema.h"
#include "versione.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

About::About(QWidget* parent, int intervallo_ms) : QDialog(parent)
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(tr("About Kor_Vel"));
    setModal(true);

    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap::fromImage(emblema(72)));
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    Image1->setAccessibleName(tr("Emblema del programma"));

    about_testo = new QPlainTextEdit;
    about_testo->setObjectName(QStringLiteral("about_testo"));
    about_testo->setReadOnly(true);
    about_testo->setPlainText(testo());
    about_testo->setAccessibleName(tr("Informazioni sul programma"));
    about_testo->setFrameShape(QFrame::NoFrame);
    about_testo->viewport()->setAutoFillBackground(false);
    about_testo->setMinimumWidth(380);
    about_testo->setFixedHeight(about_testo->fontMetrics().lineSpacing() * 6 + 12);

    conferma = new QPushButton(tr("OK"));
    conferma->setObjectName(QStringLiteral("conferma"));
    conferma->setAccessibleName(tr("OK"));
    conferma->setDefault(true);

    auto* riga = new QHBoxLayout;
    riga->addWidget(Image1);
    riga->addWidget(about_testo, 1);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch(1);
    pulsanti->addWidget(conferma);
    auto* l = new QVBoxLayout(this);
    l->addLayout(riga);
    l->addLayout(pulsanti);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(intervallo_ms);
    connect(Timer1, &QTimer::timeout, this, &About::chiudi);
    connect(conferma, &QPushButton::clicked, this, &About::chiudi);
    Timer1->start();
}

QString About::testo()
{
    const QChar a_capo = QLatin1Char('\n');
    return tr("Programma di calcolo della retta di carico") + a_capo + tr("per Tubi Termoionici.") + a_capo +
           tr("Progetto grafico di uno stadio sulle curve anodiche.") + a_capo + a_capo + tr("Versione ") +
           QStringLiteral(KORVEL_VERSIONE);
}

void About::chiudi()
{
    Timer1->stop();
    accept();
}
