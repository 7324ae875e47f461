#include "model/ui/finestra_modello.h"

#include "model/archivio_modelli.h"
#include "model/curve_modello.h"
#include "model/esporta_spice.h"
#include "model/testi_modello.h"
#include "foglio/tracciatore.h"
#include "platform/piattaforma.h"
#include "common/testo_tradotto.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

// The picture at 1:1 with the traced curves and the model over it; a click
// asks the window to trace the curve there.
class VistaCurveModello : public QWidget {
public:
    VistaCurveModello(const QImage& immagine, std::function<void(QPointF)> clic)
        : immagine_(immagine), clic_(std::move(clic))
    {
        setFixedSize(immagine_.isNull() ? QSize(518, 418) : immagine_.size());
        setCursor(Qt::CrossCursor);
        setAccessibleName(QCoreApplication::translate("FinestraModello", "Grafico"));
    }

    void imposta(const QVector<QVector<QPointF>>& tracciate, const QVector<QVector<QPointF>>& modello)
    {
        tracciate_ = tracciate;
        modello_ = modello;
        update();
    }

    QImage disegno() const
    {
        QImage img =
            immagine_.isNull() ? QImage(size(), QImage::Format_RGB32) : immagine_.convertToFormat(QImage::Format_RGB32);
        if (immagine_.isNull())
            img.fill(Qt::white);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        // Traced curves in one highlight colour, the model in a colour unlike it.
        p.setPen(QPen(QColor(255, 140, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (const auto& c : tracciate_)
            p.drawPolyline(c.constData(), int(c.size()));
        p.setPen(QPen(QColor(0, 90, 255), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (const auto& c : modello_)
            p.drawPolyline(c.constData(), int(c.size()));
        return img;
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.drawImage(0, 0, disegno());
    }

    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton && clic_)
            clic_(e->position());
    }

private:
    QImage immagine_;
    std::function<void(QPointF)> clic_;
    QVector<QVector<QPointF>> tracciate_;
    QVector<QVector<QPointF>> modello_;
};

namespace {

const TestoTradotto titolo_finestra{"FinestraModello", QT_TRANSLATE_NOOP("FinestraModello", "Modello Valvola")};
const TestoTradotto testo_triodo{"FinestraModello", QT_TRANSLATE_NOOP("FinestraModello", "Triodo (Koren)")};
const TestoTradotto testo_pentodo{"FinestraModello", QT_TRANSLATE_NOOP("FinestraModello", "Pentodo (Koren)")};
const TestoTradotto msg_nessuna_curva{
    "FinestraModello",
    QT_TRANSLATE_NOOP("FinestraModello", "Nessuna curva trovata nel grafico: il grafico è vuoto o contiene solo la griglia.")};
const TestoTradotto msg_nessuna_curva_qui{"FinestraModello", QT_TRANSLATE_NOOP("FinestraModello", "Nessuna curva vicino al punto indicato.")};
const TestoTradotto msg_salvato{"FinestraModello", QT_TRANSLATE_NOOP("FinestraModello", "Modello salvato")};
const TestoTradotto msg_sostituire{"FinestraModello", QT_TRANSLATE_NOOP("FinestraModello", "La valvola ha già un modello salvato. Sostituirlo con il nuovo?")};

enum Colonna { col_vg = 0, col_punti, col_scarto };

using modello::testo_numero;

QLineEdit* lettura(QGridLayout* g, int riga, const QString& didascalia, QLabel** etichetta = nullptr)
{
    auto* l = new QLabel(didascalia);
    auto* e = new QLineEdit;
    e->setReadOnly(true);
    e->setAccessibleName(didascalia);
    e->setObjectName(didascalia);
    l->setBuddy(e);
    g->addWidget(l, riga, 0);
    g->addWidget(e, riga, 1);
    if (etichetta)
        *etichetta = l;
    return e;
}

QLineEdit* campo(QGridLayout* g, int riga, const QString& didascalia, const QString& testo)
{
    auto* l = new QLabel(didascalia);
    auto* e = new QLineEdit(testo);
    e->setAccessibleName(didascalia);
    e->setObjectName(didascalia);
    l->setBuddy(e);
    g->addWidget(l, riga, 0);
    g->addWidget(e, riga, 1);
    return e;
}

QPushButton* pulsante(const QString& didascalia)
{
    auto* b = new QPushButton(didascalia);
    b->setAccessibleName(didascalia);
    b->setObjectName(didascalia);
    b->setAutoDefault(false);
    return b;
}

// The current of a traced curve at its middle, to place a clicked curve among
// the others (higher current first).
double y_medio(const QVector<QPointF>& c)
{
    if (c.isEmpty())
        return 0;
    double s = 0;
    for (const QPointF& p : c)
        s += p.y();
    return s / c.size();
}

} // namespace

FinestraModello::FinestraModello(Piattaforma& piattaforma, Valvola valvola, QWidget* parent)
    : QDialog(parent), piattaforma_(piattaforma), valvola_(std::move(valvola))
{
    setWindowTitle(titolo_finestra);
    setAccessibleName(titolo_finestra);
    setModal(true);
    costruisci();
    abilita_comandi();
}

FinestraModello::~FinestraModello()
{
    // Torn down mid-fit (its parent went first): the result has nowhere to
    // go, but the busy pointer must not outlive the window.
    if (thread_) {
        thread_->wait();
        delete thread_;
        piattaforma_.puntatore_occupato(false);
    }
}

bool FinestraModello::mostra(Piattaforma& piattaforma, Valvola valvola, QWidget* parent)
{
    FinestraModello f(piattaforma, std::move(valvola), parent);
    f.exec();
    return f.modello_salvato();
}

void FinestraModello::costruisci()
{
    auto* principale = new QHBoxLayout(this);
    vista_ = new VistaCurveModello(valvola_.immagine, [this](QPointF p) { clic_immagine(p); });
    principale->addWidget(vista_, 0, Qt::AlignTop);

    auto* destra = new QVBoxLayout;
    principale->addLayout(destra);

    auto* g = new QGridLayout;
    destra->addLayout(g);
    auto* l_modello = new QLabel(tr("Modello"));
    combo_modello_ = new QComboBox;
    combo_modello_->addItems({testo_triodo, testo_pentodo});
    combo_modello_->setAccessibleName(tr("Modello"));
    combo_modello_->setObjectName(QStringLiteral("Modello"));
    l_modello->setBuddy(combo_modello_);
    g->addWidget(l_modello, 0, 0);
    g->addWidget(combo_modello_, 0, 1);
    // The three pentode modes give the pentode; everything else (triode,
    // generic, diode, ultralinear) the triode.
    combo_modello_->setCurrentIndex(valvola_.modo.trimmed().toUpper().startsWith(u"PENTODO") ? 1 : 0);
    vg2_ = campo(g, 1, tr("Vg2 (V)="), QString());
    vg_prima_ = campo(g, 2, tr("Vg prima curva (V)="), QStringLiteral("0"));
    vg_passo_ = campo(g, 3, tr("Passo Vg (V)="), QStringLiteral("1"));
    connect(combo_modello_, &QComboBox::currentIndexChanged, this, [this] {
        azzera_risultato();
        abilita_comandi();
    });

    traccia_ = pulsante(tr("Traccia Curve"));
    destra->addWidget(traccia_);

    auto* l_tabella = new QLabel(tr("Curve tracciate"));
    tabella_ = new QTableWidget(0, 3);
    tabella_->setObjectName(QStringLiteral("Curve tracciate"));
    tabella_->setAccessibleName(tr("Curve tracciate"));
    tabella_->setHorizontalHeaderLabels(
        {tr("Vg (V)"), tr("Punti"), tr("Scarto (px)")});
    tabella_->verticalHeader()->hide();
    tabella_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Two rows selected together are joined by "Unisci Curve".
    tabella_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tabella_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tabella_->setMinimumHeight(160);
    l_tabella->setBuddy(tabella_);
    destra->addWidget(l_tabella);
    destra->addWidget(tabella_, 1);
    // Only the user's edits arrive here (the window fills the table with its
    // signals blocked): the typed voltage is kept through renumbering, and
    // makes the fit shown stale.
    connect(tabella_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* it) {
        if (it->column() != col_vg)
            return;
        righe_curve::scrivi_vg(righe_, it->row(), it->text());
        if (risultato_)
            azzera_risultato();
    });
    connect(tabella_, &QTableWidget::itemSelectionChanged, this, [this] { abilita_comandi(); });

    auto* riga_pulsanti = new QHBoxLayout;
    rimuovi_ = pulsante(tr("Rimuovi Curva"));
    unisci_ = pulsante(tr("Unisci Curve"));
    unisci_->setToolTip(tr("Unisce in una curva le due righe selezionate"));
    adatta_ = pulsante(tr("Adatta Modello"));
    riga_pulsanti->addWidget(rimuovi_);
    riga_pulsanti->addWidget(unisci_);
    riga_pulsanti->addWidget(adatta_);
    destra->addLayout(riga_pulsanti);

    auto* r = new QGridLayout;
    destra->addLayout(r);
    mu_ = lettura(r, 0, tr("mu="));
    ex_ = lettura(r, 1, tr("Ex="));
    kg1_ = lettura(r, 2, tr("Kg1="));
    kp_ = lettura(r, 3, tr("Kp="));
    kvb_ = lettura(r, 4, tr("Kvb="));
    vct_ = lettura(r, 5, tr("Vct="), &etichetta_vct_);
    scarto_medio_ = lettura(r, 6, tr("Scarto medio (px)="));
    scarto_massimo_ = lettura(r, 7, tr("Scarto massimo (px)="));
    auto* nota = new QLabel(tr("Kg1 nella forma Ip = (E1^Ex / Kg1)(1 + sgn E1),\n"
                                           "il valore pubblicato da Koren."));
    nota->setObjectName(QStringLiteral("nota_kg1"));
    destra->addWidget(nota);

    mostra_modello_ = new QCheckBox(tr("Mostra Modello"));
    mostra_modello_->setAccessibleName(tr("Mostra Modello"));
    mostra_modello_->setObjectName(QStringLiteral("Mostra Modello"));
    mostra_modello_->setChecked(true);
    destra->addWidget(mostra_modello_);

    auto* fondo = new QHBoxLayout;
    salva_ = pulsante(tr("Salva Modello"));
    esporta_ = pulsante(tr("Esporta SPICE"));
    chiudi_ = pulsante(tr("Chiudi"));
    fondo->addWidget(salva_);
    fondo->addWidget(esporta_);
    fondo->addWidget(chiudi_);
    destra->addLayout(fondo);

    connect(traccia_, &QPushButton::clicked, this, [this] { traccia_curve(); });
    connect(rimuovi_, &QPushButton::clicked, this, [this] { rimuovi_curva(); });
    connect(unisci_, &QPushButton::clicked, this, [this] { unisci_curve(); });
    connect(adatta_, &QPushButton::clicked, this, [this] { adatta_modello(); });
    connect(mostra_modello_, &QCheckBox::toggled, this, [this] { aggiorna_disegno(); });
    connect(salva_, &QPushButton::clicked, this, [this] { salva_modello(); });
    connect(esporta_, &QPushButton::clicked, this, [this] { esporta_spice(); });
    connect(chiudi_, &QPushButton::clicked, this, [this] { reject(); });
}

bool FinestraModello::pentodo() const
{
    return combo_modello_->currentIndex() == 1;
}

void FinestraModello::abilita_comandi()
{
    const bool libero = !thread_;
    const bool pronto = libero && risultato_.has_value();
    vg2_->setEnabled(pentodo() && libero);
    vct_->setEnabled(!pentodo());
    etichetta_vct_->setEnabled(!pentodo());
    combo_modello_->setEnabled(libero);
    traccia_->setEnabled(libero);
    vista_->setEnabled(libero);
    tabella_->setEnabled(libero);
    const int scelte = int(righe_scelte().size());
    rimuovi_->setEnabled(libero && scelte > 0);
    unisci_->setEnabled(libero && scelte == 2);
    adatta_->setEnabled(libero && tabella_->rowCount() > 0);
    mostra_modello_->setEnabled(pronto);
    salva_->setEnabled(pronto);
    esporta_->setEnabled(pronto);
}

righe_curve::Sequenza FinestraModello::sequenza() const
{
    return {adattamento::leggi_tensione(vg_prima_->text()), adattamento::leggi_tensione(vg_passo_->text())};
}

QVector<int> FinestraModello::righe_scelte() const
{
    QVector<int> r;
    for (const QModelIndex& i : tabella_->selectionModel()->selectedRows())
        r << i.row();
    std::sort(r.begin(), r.end());
    return r;
}

void FinestraModello::mostra_righe(const QVector<int>& scelte)
{
    {
        const QSignalBlocker blocco(tabella_);
        tabella_->clearSelection();
        tabella_->setRowCount(int(righe_.size()));
        for (int k = 0; k < righe_.size(); ++k) {
            tabella_->setItem(k, col_vg, new QTableWidgetItem(righe_[k].vg));
            auto* cella_punti = new QTableWidgetItem(QString::number(righe_[k].punti.size()));
            cella_punti->setFlags(cella_punti->flags() & ~Qt::ItemIsEditable);
            tabella_->setItem(k, col_punti, cella_punti);
            auto* cella_scarto = new QTableWidgetItem;
            cella_scarto->setFlags(cella_scarto->flags() & ~Qt::ItemIsEditable);
            tabella_->setItem(k, col_scarto, cella_scarto);
        }
    }
    // Selecting after the signals are back, so the buttons follow it.
    for (const int k : scelte)
        if (k >= 0 && k < tabella_->rowCount())
            tabella_->selectionModel()->select(tabella_->model()->index(k, 0),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (!scelte.isEmpty() && scelte.front() >= 0 && scelte.front() < tabella_->rowCount())
        tabella_->scrollToItem(tabella_->item(scelte.front(), col_vg));
}

void FinestraModello::traccia_curve()
{
    if (thread_)
        return;
    const auto trovate = [this] {
        Piattaforma::Occupato occupato(piattaforma_);
        return tracciatore::traccia_curve(valvola_.immagine, valvola_.taratura);
    }();
    azzera_risultato();
    righe_.clear();
    mostra_righe();
    if (trovate.isEmpty()) {
        aggiorna_disegno();
        abilita_comandi();
        piattaforma_.messaggio(msg_nessuna_curva, titolo_finestra);
        return;
    }
    // Grid voltages from the first curve down by the step; a field that is not
    // a number leaves the cells empty for the user to fill.
    const righe_curve::Sequenza s = sequenza();
    for (int k = 0; k < trovate.size(); ++k)
        righe_ << righe_curve::Riga{trovate[k].punti, righe_curve::vg_in_sequenza(s, k), false};
    mostra_righe();
    aggiorna_disegno();
    abilita_comandi();
}

void FinestraModello::clic_immagine(QPointF punto)
{
    if (thread_)
        return;
    const auto c = tracciatore::traccia_curva_da(valvola_.immagine, valvola_.taratura, punto);
    if (!c || c->punti.size() < 2) {
        piattaforma_.messaggio(msg_nessuna_curva_qui, titolo_finestra);
        return;
    }
    // Placed among the others by current, highest first; it and the rows
    // below take the grid voltages the sequence gives their places (a missed
    // curve had shifted them by one step).
    const double y = y_medio(c->punti);
    int pos = 0;
    while (pos < righe_.size() && y_medio(righe_[pos].punti) < y)
        ++pos;
    azzera_risultato();
    righe_curve::inserisci(righe_, pos, c->punti, sequenza());
    mostra_righe({pos});
    aggiorna_disegno();
    abilita_comandi();
}

void FinestraModello::rimuovi_curva()
{
    if (thread_)
        return;
    if (!righe_curve::rimuovi(righe_, righe_scelte(), sequenza()))
        return;
    azzera_risultato();
    mostra_righe();
    aggiorna_disegno();
    abilita_comandi();
}

void FinestraModello::unisci_curve()
{
    if (thread_)
        return;
    const QVector<int> scelte = righe_scelte();
    if (scelte.size() != 2 || !righe_curve::unisci(righe_, scelte[0], scelte[1], sequenza()))
        return;
    azzera_risultato();
    mostra_righe({scelte[0]});
    aggiorna_disegno();
    abilita_comandi();
}

void FinestraModello::adatta_modello()
{
    if (thread_)
        return;
    adattamento::Richiesta richiesta;
    richiesta.tipo = pentodo() ? modello::TipoModello::pentodo_koren : modello::TipoModello::triodo_koren;
    richiesta.taratura = valvola_.taratura;
    if (tabella_->rowCount() < 2) {
        piattaforma_.messaggio(adattamento::msg_poche_curve, titolo_finestra);
        return;
    }
    for (int r = 0; r < tabella_->rowCount(); ++r) {
        const auto vg = adattamento::leggi_tensione(righe_[r].vg);
        if (!vg) {
            piattaforma_.messaggio(adattamento::msg_griglia_non_numero(r + 1), titolo_finestra);
            tabella_->setCurrentCell(r, col_vg);
            return;
        }
        richiesta.curve << adattamento::CurvaDaAdattare{*vg, righe_[r].punti};
    }
    if (pentodo()) {
        const auto vg2 = adattamento::leggi_tensione(vg2_->text());
        if (!vg2 || !(*vg2 > 0)) {
            piattaforma_.messaggio(adattamento::msg_senza_vg2, titolo_finestra);
            return;
        }
        richiesta.vg2 = *vg2;
    }
    azzera_risultato();
    QVector<double> griglie;
    for (const auto& c : richiesta.curve)
        griglie << c.vg;
    griglie_adattate_ = griglie;

    // The fit runs on its own thread; the window keeps repainting and shows
    // the busy pointer until the result arrives.
    in_arrivo_ = std::make_shared<adattamento::Risultato>();
    auto destinazione = in_arrivo_;
    thread_ = QThread::create([richiesta, destinazione] { *destinazione = adattamento::adatta(richiesta); });
    connect(thread_, &QThread::finished, this, [this] { adattamento_finito(); });
    piattaforma_.puntatore_occupato(true);
    abilita_comandi();
    thread_->start();
}

void FinestraModello::adattamento_finito()
{
    piattaforma_.puntatore_occupato(false);
    thread_->deleteLater();
    thread_ = nullptr;
    const adattamento::Risultato r = *in_arrivo_;
    in_arrivo_.reset();
    if (!r.ok) {
        abilita_comandi();
        piattaforma_.messaggio(r.errore, titolo_finestra);
        return;
    }
    risultato_ = r;
    const auto& p = r.parametri;
    mu_->setText(testo_numero(p.mu));
    ex_->setText(testo_numero(p.ex));
    kg1_->setText(testo_numero(p.kg1));
    kp_->setText(testo_numero(p.kp));
    kvb_->setText(testo_numero(p.kvb));
    vct_->setText(pentodo() ? QString() : testo_numero(p.vct, 3));
    scarto_medio_->setText(testo_numero(r.scarto_medio, 3));
    scarto_massimo_->setText(testo_numero(r.scarto_massimo, 3));
    {
        const QSignalBlocker blocco(tabella_);
        for (int k = 0; k < tabella_->rowCount() && k < r.scarti_curve.size(); ++k) {
            tabella_->item(k, col_scarto)->setText(testo_numero(r.scarti_curve[k], 3));
            // A curve far worse than the others: most likely its grid voltage.
            const QBrush colore = r.curve_anomale[k] ? QBrush(Qt::red) : QBrush();
            for (int c = 0; c < 3; ++c)
                tabella_->item(k, c)->setForeground(colore);
        }
    }
    aggiorna_disegno();
    abilita_comandi();
}

void FinestraModello::azzera_risultato()
{
    risultato_.reset();
    for (QLineEdit* e : {mu_, ex_, kg1_, kp_, kvb_, vct_, scarto_medio_, scarto_massimo_})
        if (e)
            e->clear();
    if (tabella_) {
        const QSignalBlocker blocco(tabella_);
        for (int k = 0; k < tabella_->rowCount(); ++k)
            for (int c = 0; c < 3; ++c)
                if (QTableWidgetItem* it = tabella_->item(k, c)) {
                    it->setForeground(QBrush());
                    if (c == col_scarto)
                        it->setText(QString());
                }
    }
    aggiorna_disegno();
    abilita_comandi();
}

void FinestraModello::aggiorna_disegno()
{
    if (!vista_)
        return;
    QVector<QVector<QPointF>> modello;
    if (risultato_ && mostra_modello_->isChecked())
        modello = curve_modello::curve(risultato_->parametri, griglie_adattate_, valvola_.taratura);
    QVector<QVector<QPointF>> tracciate;
    for (const auto& r : righe_)
        tracciate << r.punti;
    vista_->imposta(tracciate, modello);
}

QImage FinestraModello::immagine_mostrata() const
{
    return vista_->disegno();
}

void FinestraModello::salva_modello()
{
    if (!risultato_ || thread_)
        return;
    if (archivio_modelli::ha_modello(valvola_.file_basedati, valvola_.id) &&
        !piattaforma_.domanda_si_no(msg_sostituire, titolo_finestra))
        return;
    const modello::ModelloSalvato m = modello_adattato();
    QString errore;
    if (!archivio_modelli::salva_modello(valvola_.file_basedati, valvola_.id, m, &errore)) {
        piattaforma_.messaggio(tr("Impossibile salvare il modello: %1").arg(errore), titolo_finestra);
        return;
    }
    salvato_ = true;
    piattaforma_.messaggio(msg_salvato, titolo_finestra);
}

modello::ModelloSalvato FinestraModello::modello_adattato() const
{
    modello::ModelloSalvato m;
    m.parametri = risultato_->parametri;
    m.griglie = griglie_adattate_;
    m.scarto_medio = risultato_->scarto_medio;
    m.scarto_massimo = risultato_->scarto_massimo;
    m.punti = risultato_->punti;
    m.fonte = modello::fonte_adattato;
    m.data = QDate::currentDate().toString(Qt::ISODate);
    return m;
}

void FinestraModello::esporta_spice()
{
    if (!risultato_ || thread_)
        return;
    Piattaforma::DialogoFile d;
    d.titolo = tr("Esporta SPICE");
    d.cartella = valvola_.cartella_export;
    d.nome_iniziale = esporta_spice::nome_file(valvola_.sigla);
    d.filtri = tr("Modello SPICE (*.inc)|*.inc|");
    d.conferma_sovrascrittura = true;
    const auto percorso = piattaforma_.salva_file(d);
    if (!percorso || percorso->isEmpty())
        return;
    const modello::ModelloSalvato m = modello_adattato();
    QString errore;
    if (!esporta_spice::scrivi(*percorso, esporta_spice::testo(valvola_.sigla, m, valvola_.file_immagine), &errore))
        piattaforma_.messaggio(tr("Impossibile scrivere il file: %1").arg(errore), titolo_finestra);
}

void FinestraModello::closeEvent(QCloseEvent* e)
{
    // The fit is short; the window closes when it is over.
    if (thread_) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void FinestraModello::reject()
{
    if (thread_)
        return;
    QDialog::reject();
}
