#include "response/ui/grafico_risposta.h"

#include "response/ui/elementi_grafici.h"
#include "response/ui/immagini_grafici.h"

#include "common/ui/nome_accessibile.h"
#include "platform/piattaforma.h"
#include "response/letture.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QGraphicsScene>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace elementi_grafici;

namespace {

// The floor of the spectrum: a harmonic below it is drawn at the floor.
constexpr double fondo_db = -100;

const QColor colore_oltre(200, 0, 0);

QLineEdit* campo(QGridLayout* griglia, int riga, const QString& etichetta, const QString& nome, QWidget* genitore,
                 bool lettura)
{
    auto* testo = new QLineEdit(genitore);
    testo->setObjectName(nome);
    testo->setAccessibleName(etichetta);
    auto* l = new QLabel(etichetta, genitore);
    l->setBuddy(testo);
    griglia->addWidget(l, riga, 0, Qt::AlignRight);
    griglia->addWidget(testo, riga, 1);
    if (lettura) {
        testo->setReadOnly(true);
        testo->setFocusPolicy(Qt::TabFocus);
    } else {
        testo->setStyleSheet(QStringLiteral("QLineEdit { background: rgb(192, 255, 255); }"));
    }
    return testo;
}

} // namespace

GraficoRisposta::GraficoRisposta(Piattaforma& piattaforma, const modello::ParametriModello& modello,
                                 const risposta::TestiStadio& iniziali, QWidget* parent)
    : QDialog(parent), piattaforma_(piattaforma), modello_(risposta::da_modello(modello))
{
    setObjectName(QStringLiteral("GraficoRisposta"));
    setWindowTitle(tr("Grafico Risposta"));
    setModal(true);

    auto* stadio = new QGroupBox(tr("Stadio"), this);
    auto* g = new QGridLayout(stadio);
    b_piu = campo(g, 0, tr("B+ (V)="), QStringLiteral("b_piu"), stadio, false);
    ra = campo(g, 1, tr("Ra (Ohm)="), QStringLiteral("ra"), stadio, false);
    vg_riposo = campo(g, 2, tr("Vg riposo (V)="), QStringLiteral("vg_riposo"), stadio, false);
    rk = campo(g, 3, tr("Rk (Ohm)="), QStringLiteral("rk"), stadio, false);
    carico_successivo =
        campo(g, 4, tr("Carico successivo (Ohm)="), QStringLiteral("carico_successivo"), stadio, false);
    carico_successivo->setToolTip(tr("Vuoto: nessuno stadio successivo"));
    catodo_bypassato = new QCheckBox(tr("Catodo bypassato"), stadio);
    catodo_bypassato->setObjectName(QStringLiteral("catodo_bypassato"));
    catodo_bypassato->setAccessibleName(tr("Catodo bypassato"));
    g->addWidget(catodo_bypassato, 5, 1);
    ampiezza = campo(g, 6, tr("Ampiezza ingresso (Vp)="), QStringLiteral("ampiezza"), stadio, false);

    auto* letture = new QGroupBox(tr("Risultati"), this);
    auto* l = new QGridLayout(letture);
    gm = campo(l, 0, tr("gm (mA/V)="), QStringLiteral("gm"), letture, true);
    rp = campo(l, 1, tr("rp (kOhm)="), QStringLiteral("rp"), letture, true);
    mu = campo(l, 2, tr("mu="), QStringLiteral("mu"), letture, true);
    guadagno = campo(l, 3, tr("Guadagno="), QStringLiteral("guadagno"), letture, true);
    uscita = campo(l, 4, tr("Uscita (Vpp)="), QStringLiteral("uscita"), letture, true);
    h2 = campo(l, 5, tr("H2 (%)="), QStringLiteral("h2"), letture, true);
    h3 = campo(l, 6, tr("H3 (%)="), QStringLiteral("h3"), letture, true);
    thd = campo(l, 7, tr("THD (%)="), QStringLiteral("thd"), letture, true);
    margine = campo(l, 8, tr("Margine ingresso (Vp)="), QStringLiteral("margine"), letture, true);

    stato = new QLabel(this);
    stato->setObjectName(QStringLiteral("stato"));
    lega_nome_al_testo(stato, tr("Stato del calcolo"));
    stato->setWordWrap(true);
    stato->setMinimumHeight(48);
    stato->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    salva_immagine = new QPushButton(tr("Salva Immagine"), this);
    salva_immagine->setObjectName(QStringLiteral("salva_immagine"));
    esporta_csv = new QPushButton(tr("Esporta CSV"), this);
    esporta_csv->setObjectName(QStringLiteral("esporta_csv"));
    chiudi = new QPushButton(tr("Chiudi"), this);
    chiudi->setObjectName(QStringLiteral("chiudi"));
    for (QPushButton* p : {salva_immagine, esporta_csv, chiudi}) {
        p->setAccessibleName(p->text());
        p->setAutoDefault(false);
    }
    connect(salva_immagine, &QPushButton::clicked, this, &GraficoRisposta::salva_immagine_Click);
    connect(esporta_csv, &QPushButton::clicked, this, &GraficoRisposta::esporta_csv_Click);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);

    crea_grafici();

    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(stadio);
    sinistra->addWidget(letture);
    sinistra->addWidget(stato);
    sinistra->addStretch();
    auto* pulsanti = new QGridLayout;
    pulsanti->addWidget(salva_immagine, 0, 0);
    pulsanti->addWidget(esporta_csv, 0, 1);
    pulsanti->addWidget(chiudi, 1, 1);
    sinistra->addLayout(pulsanti);

    auto* destra = new QVBoxLayout;
    destra->addWidget(vista_trasferimento);
    destra->addWidget(vista_forma);
    destra->addWidget(vista_spettro);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(sinistra);
    layout->addLayout(destra, 1);

    b_piu->setText(iniziali.b_piu);
    ra->setText(iniziali.ra);
    vg_riposo->setText(iniziali.vg_riposo);
    rk->setText(iniziali.rk);
    carico_successivo->setText(iniziali.carico);
    ampiezza->setText(iniziali.ampiezza);
    catodo_bypassato->setChecked(iniziali.catodo_bypassato);

    for (QLineEdit* e : {b_piu, ra, vg_riposo, rk, carico_successivo, ampiezza}) {
        e->setMaxLength(risposta::lunghezza_massima_testo);
        connect(e, &QLineEdit::textChanged, this, &GraficoRisposta::ricalcola);
    }
    connect(catodo_bypassato, &QCheckBox::toggled, this, &GraficoRisposta::ricalcola);

    ricalcola();
    resize(1060, 800);
}

void GraficoRisposta::crea_grafici()
{
    auto* trasferimento = new QChart;
    trasferimento->setTitle(tr("Curva di trasferimento"));
    asse_vg_ = asse(tr("Vg (V)"));
    asse_va_ = asse(tr("Va (V)"));
    trasferimento->addAxis(asse_vg_, Qt::AlignBottom);
    trasferimento->addAxis(asse_va_, Qt::AlignLeft);
    curva_ = new QLineSeries;
    curva_->setName(tr("Retta di carico"));
    curva_->setPen(QPen(QColor(120, 120, 120), 1.5));
    escursione_ = new QLineSeries;
    escursione_->setName(tr("Escursione"));
    escursione_->setPen(QPen(QColor(0, 70, 200), 3.5));
    curva_oltre_ = new QScatterSeries;
    curva_oltre_->setName(tr("Oltre il limite"));
    curva_oltre_->setMarkerSize(6);
    curva_oltre_->setColor(colore_oltre);
    curva_oltre_->setBorderColor(colore_oltre);
    lavoro_ = new QScatterSeries;
    lavoro_->setName(tr("Punto di lavoro"));
    lavoro_->setMarkerSize(11);
    lavoro_->setColor(QColor(255, 200, 0));
    lavoro_->setBorderColor(Qt::black);
    for (QAbstractSeries* s : std::initializer_list<QAbstractSeries*>{curva_, escursione_, curva_oltre_, lavoro_})
        attacca(trasferimento, s, asse_vg_, asse_va_);
    trasferimento->legend()->setAlignment(Qt::AlignRight);
    vista_trasferimento = vista(trasferimento, QStringLiteral("vista_trasferimento"), this, QSize(460, 230));

    auto* forma = new QChart;
    forma->setTitle(tr("Tensione di placca in un periodo"));
    asse_t_ = asse(tr("t / periodo"));
    asse_t_->setRange(0, 1);
    asse_t_->setTickCount(5);
    asse_forma_ = asse(tr("Va (V)"));
    forma->addAxis(asse_t_, Qt::AlignBottom);
    forma->addAxis(asse_forma_, Qt::AlignLeft);
    forma_ = new QLineSeries;
    forma_->setName(tr("Placca"));
    forma_->setPen(QPen(QColor(0, 70, 200), 2));
    forma_oltre_ = new QScatterSeries;
    forma_oltre_->setName(tr("Oltre il limite"));
    forma_oltre_->setMarkerSize(6);
    forma_oltre_->setColor(colore_oltre);
    forma_oltre_->setBorderColor(colore_oltre);
    attacca(forma, forma_, asse_t_, asse_forma_);
    attacca(forma, forma_oltre_, asse_t_, asse_forma_);
    forma->legend()->setAlignment(Qt::AlignRight);
    vista_forma = vista(forma, QStringLiteral("vista_forma"), this, QSize(460, 230));

    auto* spettro = new QChart;
    spettro->setTitle(tr("Armoniche (dB rispetto a H1)"));
    barre_ = new QBarSet(tr("dB rispetto a H1"));
    barre_->setColor(QColor(0, 70, 200));
    for (int h = 1; h <= 5; ++h)
        *barre_ << 0;
    auto* serie = new QBarSeries;
    serie->append(barre_);
    // Each category carries its level in dB beside the harmonic's name
    // (the axis reads its labels as rich text: "<" goes in as an entity).
    armoniche_ = new QBarCategoryAxis;
    for (int h = 1; h <= 5; ++h)
        armoniche_->append(QStringLiteral("H%1").arg(h));
    // The bars rise from the floor; the axis reads in dB relative to H1.
    asse_db_ = new QCategoryAxis;
    asse_db_->setTitleText(QStringLiteral("dB"));
    asse_db_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    asse_db_->setStartValue(-1e-6);
    for (int db = int(fondo_db); db <= 0; db += 20)
        asse_db_->append(QString::number(db), db - fondo_db);
    asse_db_->setRange(0, -fondo_db + 12);
    spettro->addAxis(armoniche_, Qt::AlignBottom);
    spettro->addAxis(asse_db_, Qt::AlignLeft);
    attacca(spettro, serie, armoniche_, asse_db_);
    spettro->legend()->hide();
    vista_spettro = vista(spettro, QStringLiteral("vista_spettro"), this, QSize(460, 230));
}

void GraficoRisposta::svuota_letture(const QString& motivo)
{
    for (QLineEdit* e : {gm, rp, mu, guadagno, uscita, h2, h3, thd, margine})
        e->clear();
    stato->setText(motivo);
    stato->setStyleSheet(QStringLiteral("QLabel { color: rgb(170, 0, 0); }"));
    salva_immagine->setEnabled(false);
    esporta_csv->setEnabled(false);
}

risposta::TestiStadio GraficoRisposta::testi() const
{
    return {b_piu->text(),
            ra->text(),
            vg_riposo->text(),
            rk->text(),
            carico_successivo->text(),
            ampiezza->text(),
            catodo_bypassato->isChecked()};
}

void GraficoRisposta::ricalcola()
{
    const risposta::TestiStadio testi = this->testi();
    QString motivo;
    const std::optional<risposta::Stadio> s = risposta::leggi_stadio(testi, &motivo);
    risposta_ = s ? risposta::calcola(modello_, *s) : risposta::Risposta{};
    if (!s)
        risposta_.motivo = motivo;
    aggiorna_grafici();
    if (!risposta_.valida) {
        svuota_letture(risposta_.motivo);
        return;
    }

    const risposta::Risposta& r = risposta_;
    const std::vector<risposta::Lettura> valori = risposta::letture(r);
    QLineEdit* const campi[] = {gm, rp, mu, guadagno, uscita, h2, h3, thd, margine};
    for (std::size_t i = 0; i < valori.size() && i < std::size(campi); ++i)
        campi[i]->setText(valori[i].valore);
    stato->setText(risposta::testo_stato(r));
    stato->setStyleSheet(r.oltre_limite ? QStringLiteral("QLabel { color: rgb(170, 0, 0); }") : QString());
    salva_immagine->setEnabled(true);
    esporta_csv->setEnabled(true);
}

void GraficoRisposta::aggiorna_grafici()
{
    const risposta::Risposta& r = risposta_;
    QList<QPointF> curva, escursione, curva_oltre, forma, forma_oltre;
    if (r.valida) {
        const double vg0 = r.trasferimento[r.trasferimento.size() / 2].griglia;
        double basso = vg0, alto = vg0;
        for (const risposta::Campione& c : r.campioni) {
            basso = std::min(basso, vg0 + c.ingresso);
            alto = std::max(alto, vg0 + c.ingresso);
        }
        double minimo = r.va0, massimo = r.va0;
        for (const risposta::PuntoTrasferimento& p : r.trasferimento) {
            curva << QPointF(p.griglia, p.placca);
            if (p.griglia >= basso - 1e-12 && p.griglia <= alto + 1e-12)
                escursione << QPointF(p.griglia, p.placca);
            if (p.oltre_limite)
                curva_oltre << QPointF(p.griglia, p.placca);
            minimo = std::min(minimo, p.placca);
            massimo = std::max(massimo, p.placca);
        }
        intervallo(asse_vg_, r.trasferimento.front().griglia, r.trasferimento.back().griglia);
        intervallo(asse_va_, minimo, massimo);

        double fmin = r.va0, fmax = r.va0;
        for (const risposta::Campione& c : r.campioni) {
            forma << QPointF(c.tempo, c.placca);
            if (c.oltre_limite())
                forma_oltre << QPointF(c.tempo, c.placca);
            fmin = std::min(fmin, c.placca);
            fmax = std::max(fmax, c.placca);
        }
        // The period closes on itself.
        forma << QPointF(1.0, r.campioni.front().placca);
        intervallo(asse_forma_, fmin, fmax);
        asse_t_->setRange(0, 1);
    }
    curva_->replace(curva);
    escursione_->replace(escursione);
    curva_oltre_->replace(curva_oltre);
    lavoro_->replace(r.valida ? QList<QPointF>{QPointF(r.trasferimento[r.trasferimento.size() / 2].griglia, r.va0)}
                              : QList<QPointF>{});
    forma_->replace(forma);
    forma_oltre_->replace(forma_oltre);

    QStringList nomi;
    for (int h = 1; h <= 5; ++h) {
        double altezza = 0;
        QString nome = QStringLiteral("H%1").arg(h);
        if (r.valida) {
            const double rapporto = r.armoniche[h] / r.armoniche[1];
            const double db = rapporto > 0 ? 20 * std::log10(rapporto) : fondo_db;
            altezza = std::max(db, fondo_db) - fondo_db;
            nome += db > fondo_db ? QStringLiteral(" %1 dB").arg(QLocale().toString(db, 'f', 1))
                                  : QStringLiteral(" &lt;%1 dB").arg(int(fondo_db));
        }
        barre_->replace(h - 1, altezza);
        nomi << nome;
    }
    armoniche_->setCategories(nomi);
}

QImage GraficoRisposta::immagine_grafici()
{
    return immagini_grafici::in_colonna({vista_trasferimento, vista_forma, vista_spettro});
}

std::vector<QImage> GraficoRisposta::immagini_separate(QSize dimensione)
{
    return immagini_grafici::separate({vista_trasferimento, vista_forma, vista_spettro}, dimensione);
}

void GraficoRisposta::salva_immagine_Click()
{
    if (!risposta_.valida)
        return;
    Piattaforma::DialogoFile d;
    d.titolo = tr("Salva Immagine");
    d.nome_iniziale = QStringLiteral("grafico_risposta.png");
    d.filtri = QStringLiteral("PNG (*.png)|*.png|");
    d.conferma_sovrascrittura = true;
    const std::optional<QString> file = piattaforma_.salva_file(d);
    if (!file || file->isEmpty())
        return;
    if (!immagine_grafici().save(*file, "PNG"))
        piattaforma_.messaggio(tr("Impossibile salvare l'immagine in %1.").arg(*file),
                               tr("Grafico Risposta"));
}

void GraficoRisposta::esporta_csv_Click()
{
    if (!risposta_.valida)
        return;
    Piattaforma::DialogoFile d;
    d.titolo = tr("Esporta CSV");
    d.nome_iniziale = QStringLiteral("risposta.csv");
    d.filtri = QStringLiteral("CSV (*.csv)|*.csv|");
    d.conferma_sovrascrittura = true;
    const std::optional<QString> file = piattaforma_.salva_file(d);
    if (!file || file->isEmpty())
        return;
    QString errore;
    if (!risposta::scrivi_csv(*file, risposta_, &errore))
        piattaforma_.messaggio(tr("Impossibile esportare il file %1: %2").arg(*file, errore),
                               tr("Grafico Risposta"));
}
