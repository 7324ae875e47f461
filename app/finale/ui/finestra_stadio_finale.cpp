#include "finale/ui/finestra_stadio_finale.h"

#include "response/ui/elementi_grafici.h"
#include "response/ui/immagini_grafici.h"

#include "finale/letture_finale.h"
#include "platform/piattaforma.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
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
#include <map>

using namespace finale;

using namespace elementi_grafici;

namespace {

// The floor of the spectrum: a harmonic below it is drawn at the floor.
constexpr double fondo_db = -100;

const QColor colore_oltre(200, 0, 0);
const QString stile_errore = QStringLiteral("QLabel { color: rgb(170, 0, 0); }");

QLineEdit* campo(QGridLayout* griglia, int riga, int colonna, const QString& etichetta, const QString& nome,
                 QWidget* genitore, bool lettura)
{
    auto* testo = new QLineEdit(genitore);
    testo->setObjectName(nome);
    testo->setAccessibleName(etichetta);
    auto* l = new QLabel(etichetta, genitore);
    l->setBuddy(testo);
    griglia->addWidget(l, riga, colonna, Qt::AlignRight);
    griglia->addWidget(testo, riga, colonna + 1);
    if (lettura) {
        testo->setReadOnly(true);
        testo->setFocusPolicy(Qt::TabFocus);
        testo->setMaximumWidth(90);
    } else {
        testo->setStyleSheet(QStringLiteral("QLineEdit { background: rgb(192, 255, 255); }"));
    }
    return testo;
}

QComboBox* scelta(QGridLayout* griglia, int riga, const QString& etichetta, const QString& nome, QWidget* genitore)
{
    auto* c = new QComboBox(genitore);
    c->setObjectName(nome);
    c->setAccessibleName(etichetta);
    auto* l = new QLabel(etichetta, genitore);
    l->setBuddy(c);
    griglia->addWidget(l, riga, 0, Qt::AlignRight);
    griglia->addWidget(c, riga, 1);
    return c;
}

QLineSeries* linea(const QString& nome, const QColor& colore, double spessore, Qt::PenStyle stile = Qt::SolidLine)
{
    auto* s = new QLineSeries;
    s->setName(nome);
    QPen penna(colore, spessore);
    penna.setStyle(stile);
    s->setPen(penna);
    return s;
}

QScatterSeries* punti(const QString& nome, const QColor& colore, double dimensione, const QColor& bordo)
{
    auto* s = new QScatterSeries;
    s->setName(nome);
    s->setMarkerSize(dimensione);
    s->setColor(colore);
    s->setBorderColor(bordo);
    return s;
}

// A series that belongs to one topology only goes in and out of its chart,
// so that the legend lists it only when it is drawn. Out of the chart it
// belongs to the window.
void nel_grafico(QChart* grafico, QAbstractSeries* serie, bool dentro, QObject* finestra)
{
    const bool presente = grafico->series().contains(serie);
    if (dentro && !presente) {
        const QList<QAbstractAxis*> assi = serie->property("assi").value<QList<QAbstractAxis*>>();
        grafico->addSeries(serie);
        for (QAbstractAxis* a : assi)
            serie->attachAxis(a);
    } else if (!dentro && presente) {
        serie->setProperty("assi", QVariant::fromValue(serie->attachedAxes()));
        grafico->removeSeries(serie);
        serie->setParent(finestra);
    }
}

QList<QPointF> lista(const std::vector<QPointF>& v)
{
    return QList<QPointF>(v.begin(), v.end());
}

} // namespace

StadioFinale::StadioFinale(Piattaforma& piattaforma, const modello::ParametriModello& modello, double pmax_w,
                           const IngressiFinale& iniziali, GraficoPrincipale grafico, QWidget* parent)
    : QDialog(parent), piattaforma_(piattaforma), modello_(da_modello(modello)), pmax_w_(pmax_w),
      grafico_(std::move(grafico)), ingressi_(iniziali)
{
    setObjectName(QStringLiteral("StadioFinale"));
    setWindowTitle(tr("Stadio Finale"));
    setModal(true);

    auto* progetto = new QGroupBox(tr("Stadio"), this);
    auto* g = new QGridLayout(progetto);
    topologia = scelta(g, 0, tr("Topologia"), QStringLiteral("topologia"), progetto);
    topologia->addItem(tr("Single Ended"), int(Topologia::single_ended));
    topologia->addItem(tr("Push-Pull"), int(Topologia::push_pull));
    collegamento = scelta(g, 1, tr("Collegamento"), QStringLiteral("collegamento"), progetto);
    collegamento->addItem(tr("Triodo"), int(Collegamento::triodo));
    // A triode has no screen to connect.
    if (modello_.pentodo) {
        collegamento->addItem(tr("Pentodo"), int(Collegamento::pentodo));
        collegamento->addItem(tr("Ultralineare"), int(Collegamento::ultralineare));
    }
    b_piu = campo(g, 2, 0, tr("B+ (V)="), QStringLiteral("b_piu"), progetto, false);
    vg2 = campo(g, 3, 0, tr("Vg2 (V)="), QStringLiteral("vg2"), progetto, false);
    presa_ul = campo(g, 4, 0, tr("Presa UL (%)="), QStringLiteral("presa_ul"), progetto, false);
    impedenza = campo(g, 5, 0, tr("Impedenza primario (Ohm)="), QStringLiteral("impedenza"), progetto, false);
    impedenza->setToolTip(tr("Single Ended: placca-B+; Push-Pull: placca-placca (Raa)"));
    resistenza_dc =
        campo(g, 6, 0, tr("Resistenza DC primario (Ohm)="), QStringLiteral("resistenza_dc"), progetto, false);
    vg_riposo = campo(g, 7, 0, tr("Vg riposo (V)="), QStringLiteral("vg_riposo"), progetto, false);
    polarizzazione = scelta(g, 8, tr("Polarizzazione"), QStringLiteral("polarizzazione"), progetto);
    polarizzazione->addItem(tr("Fissa"), int(Polarizzazione::fissa));
    polarizzazione->addItem(tr("Catodica"), int(Polarizzazione::catodica));
    ampiezza = campo(g, 9, 0, tr("Ampiezza ingresso (Vp)="), QStringLiteral("ampiezza"), progetto, false);
    carico = campo(g, 10, 0, tr("Carico altoparlante (Ohm)="), QStringLiteral("carico"), progetto, false);

    auto* letture = new QGroupBox(tr("Risultati"), this);
    auto* l = new QGridLayout(letture);
    struct Lettura {
        QLineEdit** campo;
        const char* etichetta;
        const char* nome;
    };
    const Lettura sinistra_letture[] = {
        {&va_riposo, QT_TR_NOOP("Va riposo (V)="), "va_riposo"},
        {&ia_riposo, QT_TR_NOOP("Ia riposo (mA)="), "ia_riposo"},
        {&pa_riposo, QT_TR_NOOP("Pa riposo (W)="), "pa_riposo"},
        {&pa_percento, QT_TR_NOOP("Pa riposo (% max)="), "pa_percento"},
        {&rk, QT_TR_NOOP("Rk (Ohm)="), "rk"},
        {&potenza_rk, QT_TR_NOOP("Potenza Rk (W)="), "potenza_rk"},
        {&potenza, QT_TR_NOOP("Potenza uscita (W)="), "potenza"},
        {&potenza_massima, QT_TR_NOOP("Potenza massima (W)="), "potenza_massima"},
        {&rendimento, QT_TR_NOOP("Rendimento (%)="), "rendimento"},
        {&pa_media, QT_TR_NOOP("Pa media (W)="), "pa_media"},
    };
    const Lettura destra_letture[] = {
        {&h2, QT_TR_NOOP("H2 (%)="), "h2"},
        {&h3, QT_TR_NOOP("H3 (%)="), "h3"},
        {&h4, QT_TR_NOOP("H4 (%)="), "h4"},
        {&h5, QT_TR_NOOP("H5 (%)="), "h5"},
        {&thd, QT_TR_NOOP("THD (%)="), "thd"},
        {&classe, QT_TR_NOOP("Classe="), "classe"},
        {&rp, QT_TR_NOOP("rp (Ohm)="), "rp"},
        {&smorzamento, QT_TR_NOOP("Fattore di smorzamento="), "smorzamento"},
        {&spostamento, QT_TR_NOOP("Spostamento polarizzazione (V)="), "spostamento"},
        {&rapporto_spire, QT_TR_NOOP("Rapporto spire="), "rapporto_spire"},
    };
    for (std::size_t i = 0; i < std::size(sinistra_letture); ++i)
        *sinistra_letture[i].campo = campo(l, int(i), 0, tr(sinistra_letture[i].etichetta),
                                           QLatin1String(sinistra_letture[i].nome), letture, true);
    for (std::size_t i = 0; i < std::size(destra_letture); ++i)
        *destra_letture[i].campo =
            campo(l, int(i), 2, tr(destra_letture[i].etichetta), QLatin1String(destra_letture[i].nome), letture, true);

    stato = new QLabel(this);
    stato->setObjectName(QStringLiteral("stato"));
    stato->setAccessibleName(tr("Stato del calcolo"));
    stato->setWordWrap(true);
    stato->setMinimumHeight(48);
    stato->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    traccia = new QPushButton(tr("Traccia su grafico"), this);
    traccia->setObjectName(QStringLiteral("traccia"));
    cancella = new QPushButton(tr("Cancella"), this);
    cancella->setObjectName(QStringLiteral("cancella"));
    salva_immagine = new QPushButton(tr("Salva Immagine"), this);
    salva_immagine->setObjectName(QStringLiteral("salva_immagine"));
    esporta_csv = new QPushButton(tr("Esporta CSV"), this);
    esporta_csv->setObjectName(QStringLiteral("esporta_csv"));
    chiudi = new QPushButton(tr("Chiudi"), this);
    chiudi->setObjectName(QStringLiteral("chiudi"));
    for (QPushButton* p : {traccia, cancella, salva_immagine, esporta_csv, chiudi}) {
        p->setAccessibleName(p->text());
        p->setAutoDefault(false);
    }
    cancella->setEnabled(false);
    connect(traccia, &QPushButton::clicked, this, &StadioFinale::traccia_Click);
    connect(cancella, &QPushButton::clicked, this, &StadioFinale::cancella_Click);
    connect(salva_immagine, &QPushButton::clicked, this, &StadioFinale::salva_immagine_Click);
    connect(esporta_csv, &QPushButton::clicked, this, &StadioFinale::esporta_csv_Click);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);

    crea_grafici();

    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(progetto);
    sinistra->addWidget(letture);
    sinistra->addWidget(stato);
    sinistra->addStretch();
    auto* pulsanti = new QGridLayout;
    pulsanti->addWidget(traccia, 0, 0);
    pulsanti->addWidget(cancella, 0, 1);
    pulsanti->addWidget(salva_immagine, 1, 0);
    pulsanti->addWidget(esporta_csv, 1, 1);
    pulsanti->addWidget(chiudi, 2, 1);
    sinistra->addLayout(pulsanti);

    auto* destra = new QVBoxLayout;
    destra->addWidget(vista_placca, 2);
    destra->addWidget(vista_periodo, 1);
    destra->addWidget(vista_spettro, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(sinistra);
    layout->addLayout(destra, 1);

    // The initial design, before any change can recompute.
    const auto indice = [](QComboBox* c, int valore) { c->setCurrentIndex(std::max(0, c->findData(valore))); };
    indice(topologia, int(iniziali.topologia));
    indice(collegamento, int(iniziali.collegamento));
    indice(polarizzazione, int(iniziali.polarizzazione));
    const TestiFinale t = testi_da_ingressi(iniziali);
    b_piu->setText(t.b_piu);
    vg2->setText(t.vg2);
    presa_ul->setText(t.presa_ul);
    impedenza->setText(t.impedenza);
    resistenza_dc->setText(t.resistenza_dc);
    vg_riposo->setText(t.vg_riposo);
    ampiezza->setText(t.ampiezza);
    carico->setText(t.carico);

    for (QLineEdit* e : {b_piu, vg2, presa_ul, impedenza, resistenza_dc, vg_riposo, ampiezza, carico})
        connect(e, &QLineEdit::textChanged, this, &StadioFinale::ricalcola);
    for (QComboBox* c : {topologia, collegamento, polarizzazione})
        connect(c, &QComboBox::currentIndexChanged, this, &StadioFinale::ricalcola);

    ricalcola();
    resize(1240, 900);
}

IngressiFinale StadioFinale::scelte() const
{
    IngressiFinale in = ingressi_;
    in.topologia = Topologia(topologia->currentData().toInt());
    in.collegamento = Collegamento(collegamento->currentData().toInt());
    in.polarizzazione = Polarizzazione(polarizzazione->currentData().toInt());
    return in;
}

void StadioFinale::crea_grafici()
{
    auto* placca = new QChart;
    placca->setTitle(tr("Caratteristiche di placca"));
    asse_ep_ = asse(tr("Va (V)"));
    asse_ia_ = asse(tr("Ia (mA)"));
    placca->addAxis(asse_ep_, Qt::AlignBottom);
    placca->addAxis(asse_ia_, Qt::AlignLeft);
    for (int k = 0; k < 9; ++k) {
        QLineSeries* s = linea(QString(), QColor(150, 150, 150), 1);
        caratteristiche_ << s;
        attacca(placca, s, asse_ep_, asse_ia_);
    }
    for (int k = 0; k < 3; ++k) {
        QLineSeries* s = linea(QString(), QColor(0, 150, 80), 1.2, Qt::DashLine);
        composite_ << s;
        attacca(placca, s, asse_ep_, asse_ia_);
    }
    iperbole_ = linea(tr("Pa max"), QColor(220, 120, 0), 1.5, Qt::DotLine);
    retta_composita_ = linea(tr("Retta composita"), QColor(0, 150, 80), 1.5);
    retta_ = linea(tr("Retta di carico"), QColor(90, 90, 90), 1.5);
    escursione_ = linea(tr("Escursione"), QColor(0, 70, 200), 3.5);
    oltre_ = punti(tr("Oltre 0 V di griglia"), colore_oltre, 6, colore_oltre);
    lavoro_ = punti(tr("Punto di lavoro"), QColor(255, 200, 0), 11, Qt::black);
    for (QAbstractSeries* s :
         std::initializer_list<QAbstractSeries*>{iperbole_, retta_composita_, retta_, escursione_, oltre_, lavoro_})
        attacca(placca, s, asse_ep_, asse_ia_);
    // Only the named series in the legend; the state line tells the grid
    // voltages of the curves.
    for (QLegendMarker* m : placca->legend()->markers())
        m->setVisible(!m->label().isEmpty());
    placca->legend()->setAlignment(Qt::AlignRight);
    vista_placca = vista(placca, QStringLiteral("vista_placca"), this, QSize(520, 240));
    vista_placca->setMinimumHeight(330);

    auto* periodo = new QChart;
    periodo->setTitle(tr("Tensione primario e correnti di placca in un periodo"));
    asse_t_ = asse(tr("t / periodo"));
    asse_t_->setRange(0, 1);
    asse_t_->setTickCount(5);
    asse_v_ = asse(tr("V primario (V)"));
    asse_i_ = asse(tr("Ia (mA)"));
    periodo->addAxis(asse_t_, Qt::AlignBottom);
    periodo->addAxis(asse_v_, Qt::AlignLeft);
    periodo->addAxis(asse_i_, Qt::AlignRight);
    primario_ = linea(tr("Primario"), QColor(0, 70, 200), 2);
    corrente1_ = linea(tr("Ia tubo 1"), QColor(200, 100, 0), 1.5);
    corrente2_ = linea(tr("Ia tubo 2"), QColor(0, 150, 80), 1.5);
    periodo_oltre_ = punti(tr("Oltre 0 V di griglia"), colore_oltre, 6, colore_oltre);
    attacca(periodo, primario_, asse_t_, asse_v_);
    attacca(periodo, periodo_oltre_, asse_t_, asse_v_);
    attacca(periodo, corrente1_, asse_t_, asse_i_);
    attacca(periodo, corrente2_, asse_t_, asse_i_);
    periodo->legend()->setAlignment(Qt::AlignRight);
    vista_periodo = vista(periodo, QStringLiteral("vista_periodo"), this, QSize(520, 240));

    auto* spettro = new QChart;
    spettro->setTitle(tr("Armoniche (dB rispetto a H1)"));
    barre_ = new QBarSet(tr("dB rispetto a H1"));
    barre_->setColor(QColor(0, 70, 200));
    for (int h = 1; h <= 5; ++h)
        *barre_ << 0;
    auto* serie = new QBarSeries;
    serie->append(barre_);
    armoniche_ = new QBarCategoryAxis;
    for (int h = 1; h <= 5; ++h)
        armoniche_->append(QStringLiteral("H%1").arg(h));
    auto* asse_db = new QCategoryAxis;
    asse_db->setTitleText(tr("dB"));
    asse_db->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    asse_db->setStartValue(-1e-6);
    for (int db = int(fondo_db); db <= 0; db += 20)
        asse_db->append(QString::number(db), db - fondo_db);
    asse_db->setRange(0, -fondo_db + 12);
    spettro->addAxis(armoniche_, Qt::AlignBottom);
    spettro->addAxis(asse_db, Qt::AlignLeft);
    attacca(spettro, serie, armoniche_, asse_db);
    spettro->legend()->hide();
    vista_spettro = vista(spettro, QStringLiteral("vista_spettro"), this, QSize(520, 240));
}

void StadioFinale::aggiorna_campi_attivi()
{
    const Collegamento c = Collegamento(collegamento->currentData().toInt());
    vg2->setEnabled(c == Collegamento::pentodo);
    presa_ul->setEnabled(c == Collegamento::ultralineare);
}

std::vector<QLineEdit*> StadioFinale::campi_letture() const
{
    return {va_riposo, ia_riposo, pa_riposo, pa_percento, rk,  potenza_rk,  potenza,     potenza_massima,
            rendimento, pa_media, h2,        h3,          h4,  h5,          thd,         classe,
            rp,         smorzamento, spostamento, rapporto_spire};
}

void StadioFinale::svuota_letture(const QString& motivo)
{
    for (QLineEdit* e : campi_letture())
        e->clear();
    stato->setText(motivo);
    stato->setStyleSheet(stile_errore);
    for (QPushButton* p : {traccia, salva_immagine, esporta_csv})
        p->setEnabled(false);
}

void StadioFinale::ricalcola()
{
    aggiorna_campi_attivi();
    const TestiFinale testi{b_piu->text(),         vg2->text(),       presa_ul->text(), impedenza->text(),
                            resistenza_dc->text(), vg_riposo->text(), ampiezza->text(), carico->text()};
    QString motivo;
    const std::optional<IngressiFinale> in = leggi_ingressi(testi, scelte(), &motivo);
    risultato_ = in ? calcola(modello_, *in, pmax_w_) : RisultatoFinale{};
    if (!in)
        risultato_.motivo = motivo;
    if (risultato_.valido)
        ingressi_ = *in;
    aggiorna_grafici();
    if (!risultato_.valido) {
        svuota_letture(risultato_.motivo);
        return;
    }

    // The figures as the reports print them: one formatting for both.
    std::map<QString, QLineEdit*> per_etichetta;
    for (QLineEdit* e : campi_letture())
        per_etichetta[e->accessibleName()] = e;
    for (QLineEdit* e : campi_letture())
        e->clear();
    for (const LetturaFinale& l : letture(risultato_, ingressi_))
        if (const auto e = per_etichetta.find(l.etichetta); e != per_etichetta.end())
            e->second->setText(l.valore);
    const RisultatoFinale& r = risultato_;
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);

    QStringList note;
    if (r.oltre_griglia)
        note << tr("L'escursione supera 0 V di griglia (in rosso): il modello non ha corrente di griglia.");
    if (r.pa_riposo_percento && *r.pa_riposo_percento > 100)
        note << tr("A riposo la placca dissipa più della sua potenza massima.");
    note << tr("Curve di placca da %1 V a %2 V di griglia, passo %3 V.")
                .arg(locale.toString(ingressi_.vg_riposo + ingressi_.ampiezza, 'g', 4),
                     locale.toString(ingressi_.vg_riposo - ingressi_.ampiezza, 'g', 4),
                     locale.toString(ingressi_.ampiezza / 4, 'g', 4));
    stato->setText(note.join(u' '));
    stato->setStyleSheet(note.size() > 1 ? stile_errore : QString());
    for (QPushButton* p : {traccia, salva_immagine, esporta_csv})
        p->setEnabled(true);
}

void StadioFinale::aggiorna_grafici()
{
    const RisultatoFinale& r = risultato_;
    const CurveFinale c = curve_finale(modello_, ingressi_, r, pmax_w_);
    const bool coppia = r.valido && r.tubi == 2;
    for (int k = 0; k < caratteristiche_.size(); ++k) {
        const bool c_k = std::size_t(k) < c.caratteristiche.size();
        caratteristiche_[k]->replace(c_k ? lista(c.caratteristiche[std::size_t(k)]) : QList<QPointF>{});
    }
    for (int k = 0; k < composite_.size(); ++k) {
        const bool c_k = std::size_t(k) < c.composite.size();
        composite_[k]->replace(c_k ? lista(c.composite[std::size_t(k)]) : QList<QPointF>{});
    }
    retta_->replace(lista(c.retta));
    retta_composita_->replace(lista(c.retta_composita));
    iperbole_->replace(lista(c.iperbole));
    escursione_->replace(lista(c.escursione));
    oltre_->replace(lista(c.oltre_griglia));
    lavoro_->replace(r.valido ? QList<QPointF>{c.lavoro} : QList<QPointF>{});
    nel_grafico(vista_placca->chart(), retta_composita_, coppia, this);
    if (r.valido) {
        asse_ep_->setRange(0, c.ep_massima);
        asse_ep_->applyNiceNumbers();
        double basso = 0;
        for (const QPointF& p : c.retta_composita)
            basso = std::min(basso, p.y());
        asse_ia_->setRange(basso, c.ia_massima);
        asse_ia_->applyNiceNumbers();
    }

    QList<QPointF> primario, oltre, i1, i2;
    double vmin = 0, vmax = 0, imax = 0;
    for (const CampioneFinale& s : r.campioni) {
        primario << QPointF(s.tempo, s.primario);
        if (s.oltre_griglia)
            oltre << QPointF(s.tempo, s.primario);
        i1 << QPointF(s.tempo, s.corrente[0]);
        if (coppia)
            i2 << QPointF(s.tempo, s.corrente[1]);
        vmin = std::min(vmin, s.primario);
        vmax = std::max(vmax, s.primario);
        imax = std::max({imax, s.corrente[0], s.corrente[1]});
    }
    // The period closes on itself.
    if (!r.campioni.empty()) {
        primario << QPointF(1.0, r.campioni.front().primario);
        i1 << QPointF(1.0, r.campioni.front().corrente[0]);
        if (coppia)
            i2 << QPointF(1.0, r.campioni.front().corrente[1]);
        intervallo(asse_v_, vmin, vmax);
        intervallo(asse_i_, 0, imax);
    }
    primario_->replace(primario);
    periodo_oltre_->replace(oltre);
    corrente1_->replace(i1);
    corrente2_->replace(i2);
    nel_grafico(vista_periodo->chart(), corrente2_, coppia, this);

    QStringList nomi;
    for (int h = 1; h <= 5; ++h) {
        double altezza = 0;
        QString nome = QStringLiteral("H%1").arg(h);
        if (r.valido) {
            const double rapporto = r.armoniche[std::size_t(h)] / r.armoniche[1];
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

void StadioFinale::traccia_Click()
{
    if (!risultato_.valido || !grafico_.traccia)
        return;
    if (grafico_.traccia(retta_su_grafico(ingressi_, risultato_))) {
        cancella->setEnabled(true);
    } else {
        stato->setText(tr("La retta cade fuori dagli assi del grafico."));
        stato->setStyleSheet(stile_errore);
    }
}

void StadioFinale::cancella_Click()
{
    if (grafico_.cancella)
        grafico_.cancella();
    cancella->setEnabled(false);
}

QImage StadioFinale::immagine_grafici()
{
    return immagini_grafici::in_colonna({vista_placca, vista_periodo, vista_spettro});
}

std::vector<QImage> StadioFinale::immagini_separate(QSize dimensione)
{
    return immagini_grafici::separate({vista_placca, vista_periodo, vista_spettro}, dimensione);
}

void StadioFinale::salva_immagine_Click()
{
    if (!risultato_.valido)
        return;
    Piattaforma::DialogoFile d;
    d.titolo = tr("Salva Immagine");
    d.nome_iniziale = QStringLiteral("stadio_finale.png");
    d.filtri = QStringLiteral("PNG (*.png)|*.png|");
    d.conferma_sovrascrittura = true;
    const std::optional<QString> file = piattaforma_.salva_file(d);
    if (!file || file->isEmpty())
        return;
    if (!immagine_grafici().save(*file, "PNG"))
        piattaforma_.messaggio(tr("Impossibile salvare l'immagine in %1.").arg(*file), tr("Stadio Finale"));
}

void StadioFinale::esporta_csv_Click()
{
    if (!risultato_.valido)
        return;
    Piattaforma::DialogoFile d;
    d.titolo = tr("Esporta CSV");
    d.nome_iniziale = QStringLiteral("stadio_finale.csv");
    d.filtri = QStringLiteral("CSV (*.csv)|*.csv|");
    d.conferma_sovrascrittura = true;
    const std::optional<QString> file = piattaforma_.salva_file(d);
    if (!file || file->isEmpty())
        return;
    QString errore;
    if (!scrivi_csv(*file, risultato_, &errore))
        piattaforma_.messaggio(tr("Impossibile esportare il file %1: %2").arg(*file, errore), tr("Stadio Finale"));
}
