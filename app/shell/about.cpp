#include "shell/about.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString versione = QStringLiteral("5.16");

// A triode in its envelope, the program's emblem.
QPixmap emblema()
{
    QPixmap p(72, 72);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const QColor inchiostro(30, 30, 120);
    g.setPen(QPen(inchiostro, 2.5));
    g.setBrush(QColor(235, 240, 255));
    g.drawEllipse(QRectF(6, 6, 60, 60));
    g.drawLine(QPointF(24, 20), QPointF(48, 20)); // plate
    g.drawLine(QPointF(36, 20), QPointF(36, 2));
    g.setPen(QPen(inchiostro, 2, Qt::DashLine));
    g.drawLine(QPointF(18, 36), QPointF(54, 36)); // grid
    g.setPen(QPen(inchiostro, 2.5));
    g.drawLine(QPointF(24, 52), QPointF(48, 52)); // cathode
    g.drawLine(QPointF(24, 52), QPointF(24, 58));
    return p;
}

} // namespace

About::About(QWidget* parent, int intervallo_ms) : QDialog(parent)
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("About Kor_Vel"));
    setModal(true);

    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(emblema());
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    Image1->setAccessibleName(QStringLiteral("Emblema del programma"));

    about_testo = new QPlainTextEdit;
    about_testo->setObjectName(QStringLiteral("about_testo"));
    about_testo->setReadOnly(true);
    about_testo->setPlainText(testo());
    about_testo->setAccessibleName(QStringLiteral("Informazioni sul programma"));
    about_testo->setFrameShape(QFrame::NoFrame);
    about_testo->viewport()->setAutoFillBackground(false);
    about_testo->setMinimumWidth(380);
    about_testo->setFixedHeight(about_testo->fontMetrics().lineSpacing() * 6 + 12);

    conferma = new QPushButton(QStringLiteral("OK"));
    conferma->setObjectName(QStringLiteral("conferma"));
    conferma->setAccessibleName(QStringLiteral("OK"));
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
    return QStringLiteral("Programma di calcolo della retta di carico") + a_capo +
           QStringLiteral("per Tubi Termoionici.") + a_capo +
           QStringLiteral("Progetto grafico di uno stadio sulle curve anodiche.") + a_capo + a_capo +
           QStringLiteral("Versione ") + versione;
}

void About::chiudi()
{
    Timer1->stop();
    accept();
}
