#include "foglio/ui/ritaglia_grafico.h"

#include "common/numeri.h"
#include "common/ui/nome_accessibile.h"
#include "platform/piattaforma.h"
#include "foglio/analisi_grafico.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// Below this the skew is left alone: straightening would only blur lines.
constexpr double soglia_raddrizzatura = 0.1;

// The rectangle starts just outside the grid's frame, so the outer lines
// are kept whole.
QRect attorno(const QRect& cornice, const QSize& limite)
{
    const int mx = std::max(4, int(cornice.width() * 0.02));
    const int my = std::max(4, int(cornice.height() * 0.02));
    return cornice.adjusted(-mx, -my, mx, my).intersected(QRect(QPoint(0, 0), limite));
}

} // namespace

Ritaglia_Grafico::Ritaglia_Grafico(Piattaforma& piattaforma, const QImage& immagine, QWidget* parent)
    : QDialog(parent), piattaforma_(piattaforma), originale_(immagine)
{
    setObjectName(QStringLiteral("Ritaglia_Grafico"));
    setWindowTitle(titolo);
    setAccessibleName(titolo);
    // Unanswered, the window keeps the picture whole, as it was loaded.
    setProperty("risposta_predefinita", int(tutta));

    {
        Piattaforma::Occupato occupato(piattaforma_);
        inclinazione_ = analisi_grafico::inclinazione(originale_);
        if (std::fabs(inclinazione_) > soglia_raddrizzatura)
            raddrizzata_ = analisi_grafico::ruota(originale_, -inclinazione_);
    }

    area = new AreaRitaglio(*this, this);
    area->setAccessibleName(tr("Immagine da ritagliare"));
    area->setToolTip(tr("Trascinare con il tasto sinistro un rettangolo attorno al grafico"));

    auto* spiegazione = new QLabel(tr("Trascinare un rettangolo attorno al grafico: assi, numeri e curve."), this);
    spiegazione->setBuddy(area);
    senza_grafico =
        new QLabel(tr("Nessun grafico trovato in questa pagina: trascinare un rettangolo attorno al grafico"), this);
    senza_grafico->setObjectName(QStringLiteral("senza_grafico"));
    senza_grafico->setAccessibleName(senza_grafico->text());
    senza_grafico->setWordWrap(true);
    {
        QFont f = senza_grafico->font();
        f.setBold(true);
        senza_grafico->setFont(f);
    }
    senza_grafico->hide();

    raddrizza = new QCheckBox(tr("Raddrizza"), this);
    raddrizza->setAccessibleName(tr("Raddrizza"));
    raddrizza->setChecked(!raddrizzata_.isNull());
    raddrizza->setEnabled(!raddrizzata_.isNull());
    nota = new QLabel(this);
    lega_nome_al_testo(nota, tr("Raddrizzatura"));
    if (!raddrizzata_.isNull())
        nota->setText(
            tr("Raddrizzato di %1°").arg(numeri::testo_double(std::round(std::fabs(inclinazione_) * 100) / 100)));

    const auto pulsante = [this](const QString& testo) {
        auto* b = new QPushButton(testo, this);
        b->setAccessibleName(QString(testo).remove(QLatin1Char('&')));
        b->setAutoDefault(false);
        return b;
    };
    ruota_sinistra = pulsante(tr("Ruota a sinistra"));
    ruota_destra = pulsante(tr("Ruota a destra"));
    ok = pulsante(tr("OK"));
    ok->setDefault(true);
    tutta_immagine = pulsante(tr("Tutta l'immagine"));
    annulla_ = pulsante(tr("Annulla"));

    auto* strumenti = new QHBoxLayout;
    strumenti->addWidget(ruota_sinistra);
    strumenti->addWidget(ruota_destra);
    strumenti->addSpacing(12);
    strumenti->addWidget(raddrizza);
    strumenti->addWidget(nota);
    strumenti->addStretch(1);
    auto* risposte = new QHBoxLayout;
    risposte->addStretch(1);
    risposte->addWidget(ok);
    risposte->addWidget(tutta_immagine);
    risposte->addWidget(annulla_);
    auto* tutto = new QVBoxLayout(this);
    tutto->addWidget(spiegazione);
    tutto->addWidget(senza_grafico);
    tutto->addWidget(area, 0, Qt::AlignCenter);
    tutto->addLayout(strumenti);
    tutto->addLayout(risposte);

    connect(ruota_sinistra, &QPushButton::clicked, this, [this] { ruota(false); });
    connect(ruota_destra, &QPushButton::clicked, this, [this] { ruota(true); });
    connect(raddrizza, &QCheckBox::toggled, this, [this] { aggiorna_immagine(); });
    connect(ok, &QPushButton::clicked, this, [this] { done(ritaglia); });
    connect(tutta_immagine, &QPushButton::clicked, this, [this] { done(tutta); });
    connect(annulla_, &QPushButton::clicked, this, [this] { done(annulla); });

    aggiorna_immagine();
}

void Ritaglia_Grafico::ruota(bool destra)
{
    quarti_ = (quarti_ + (destra ? 1 : 3)) % 4;
    aggiorna_immagine();
}

void Ritaglia_Grafico::aggiorna_immagine()
{
    Piattaforma::Occupato occupato(piattaforma_);
    const QImage& base = raddrizza->isChecked() && !raddrizzata_.isNull() ? raddrizzata_ : originale_;
    corrente_ = base;
    // Quarter turns after the straightening: the skew was measured on the
    // picture as loaded.
    for (int i = 0; i < quarti_; ++i)
        corrente_ = analisi_grafico::quarto_di_giro(corrente_, true);
    cornice_ = analisi_grafico::rileva_griglia(corrente_).cornice;
    ritaglio_ = cornice_.isEmpty() ? corrente_.rect() : attorno(cornice_, corrente_.size());
    senza_grafico->setVisible(cornice_.isEmpty());
    // The window fits the screen, its buttons included.
    QSize massima(800, 600);
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen())
        massima = s->availableGeometry().size();
    massima = QSize(std::max(200, massima.width() * 9 / 10 - 40), std::max(150, massima.height() * 8 / 10 - 120));
    area->imposta(corrente_, massima);
    adjustSize();
}

void Ritaglia_Grafico::imposta_ritaglio(const QRect& r)
{
    ritaglio_ = r.normalized().intersected(corrente_.rect());
    area->update();
}

QImage Ritaglia_Grafico::risultato(int esito) const
{
    if (esito == ritaglia && !ritaglio_.isEmpty())
        return corrente_.copy(ritaglio_);
    if (esito == ritaglia || esito == tutta)
        return corrente_;
    return {};
}

bool Ritaglia_Grafico::modificata(int esito) const
{
    if (esito == ritaglia && ritaglio_ != corrente_.rect())
        return true;
    return quarti_ != 0 || (raddrizza->isChecked() && !raddrizzata_.isNull());
}

// ------------------------------------------------------------------ area

AreaRitaglio::AreaRitaglio(Ritaglia_Grafico& finestra, QWidget* parent) : QWidget(parent), finestra_(finestra)
{
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void AreaRitaglio::imposta(const QImage& immagine, QSize massima)
{
    scala_ = 1;
    if (!immagine.isNull())
        scala_ =
            std::min({1.0, double(massima.width()) / immagine.width(), double(massima.height()) / immagine.height()});
    const QSize d(std::max(1, int(std::lround(immagine.width() * scala_))),
                  std::max(1, int(std::lround(immagine.height() * scala_))));
    vista_ = immagine.isNull() ? QImage() : immagine.scaled(d, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    setFixedSize(d);
    update();
}

QPoint AreaRitaglio::a_immagine(QPointF p) const
{
    return QPoint(int(std::lround(p.x() / scala_)), int(std::lround(p.y() / scala_)));
}

void AreaRitaglio::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawImage(0, 0, vista_);
    const QRect r = finestra_.ritaglio();
    if (r.isEmpty())
        return;
    const QRectF v(r.x() * scala_, r.y() * scala_, r.width() * scala_, r.height() * scala_);
    // What is left out is veiled; the rectangle is drawn in a colour no
    // black-and-white scan has.
    QPainterPath fuori;
    fuori.addRect(QRectF(rect()));
    QPainterPath dentro;
    dentro.addRect(v);
    p.fillPath(fuori.subtracted(dentro), QColor(0, 0, 0, 70));
    p.setPen(QPen(QColor(0, 90, 255), 2));
    p.drawRect(v);
}

void AreaRitaglio::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    trascina_ = true;
    inizio_ = a_immagine(e->position());
}

void AreaRitaglio::mouseMoveEvent(QMouseEvent* e)
{
    if (!trascina_)
        return;
    finestra_.imposta_ritaglio(QRect(inizio_, a_immagine(e->position())));
}

void AreaRitaglio::mouseReleaseEvent(QMouseEvent* e)
{
    if (!trascina_ || e->button() != Qt::LeftButton)
        return;
    trascina_ = false;
    const QRect r = QRect(inizio_, a_immagine(e->position())).normalized();
    // A click without a drag leaves the rectangle as it was.
    if (r.width() > 2 && r.height() > 2)
        finestra_.imposta_ritaglio(r);
}
