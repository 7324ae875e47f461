#include "shell/korvel.h"

#include "archive/cartelle.h"
#include "common/twips.h"
#include "archive/comandi_archivio.h"
#include "chart/grafico.h"
#include "chart/ui/picture1.h"
#include "chart/ui/ricalcolo.h"
#include "platform/piattaforma.h"
#include "project/comandi_progetto.h"
#include "reports/comandi_report.h"
#include "shell/icone_menu.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/ui/griglia_db.h"
#include "tubes/lista_valvole.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include <functional>

namespace {

const char* const testo_base_dati_assente = QT_TRANSLATE_NOOP("KORVEL", "Base dati assente, vuoi caricarla?");

using twips::pixel;

QString stile_legenda(const QColor& c)
{
    return QStringLiteral("QPushButton { background-color: rgb(%1, %2, %3); color: black;"
                          " border: 1px solid #606060; padding: 2px; }"
                          " QPushButton:checked { border: 3px solid black; font-weight: bold; }")
        .arg(c.red())
        .arg(c.green())
        .arg(c.blue());
}

// Enter in a grid-voltage field, and the field losing the focus, both mean
// "take this value".
class FiltroFuocoPerso : public QObject {
public:
    FiltroFuocoPerso(QObject* parent, std::function<void()> azione) : QObject(parent), azione_(std::move(azione)) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::FocusOut)
            azione_();
        return QObject::eventFilter(o, e);
    }

private:
    std::function<void()> azione_;
};

} // namespace

KORVEL::KORVEL(Piattaforma& piattaforma, const QString& cartella_programma, QWidget* parent)
    : QMainWindow(parent), piattaforma_(piattaforma), cartella_programma_(cartella_programma)
{
    setObjectName(QStringLiteral("KORVEL"));
    setWindowTitle(tr("Calcolatore Retta di Carico"));
    grafico_ = std::make_unique<Grafico>(*this);
    crea_controlli();
    crea_menu();
    caricatore_ = std::make_unique<CaricatoreValvola>(*this, *this, *grafico_, *modello_lista_, piattaforma_);
    lista_ = std::make_unique<ListaValvole>(*modello_lista_, *caricatore_);
    progetto_ = std::make_unique<ComandiProgetto>(*this, *this, *grafico_, *caricatore_, *lista_, piattaforma_,
                                                  ingressi_finestre_);
    report_ = std::make_unique<ComandiReport>(*this, *caricatore_, piattaforma_, ingressi_finestre_);
    collega_eventi();
    piattaforma_.imposta_finestra(this);
    resize(1120, 760);
}

KORVEL::~KORVEL()
{
    for (QObject*& f : filtri_fuoco_) {
        delete f;
        f = nullptr;
    }
    if (piattaforma_.finestra() == this)
        piattaforma_.imposta_finestra(nullptr);
    KORVEL_Form_Unload();
}

void KORVEL::collega_eventi()
{
    // The menu items are connected where they are made (crea_menu).
    CaricatoreValvola* t = caricatore_.get();
    ComandiProgetto* progetto = progetto_.get();
    connect(Timer_settab, &QTimer::timeout, this, &KORVEL::Timer_settab_Timer);
    connect(griglia_DB, &GrigliaDB::riga_doppio_click, this, [t, progetto](int riga) {
        if (progetto->conferma_abbandono())
            t->griglia_DB_DblClick(riga);
    });
    collega_finestre_ausiliarie();
    collega_grafico_risposta();
    collega_stadio_finale();

    Grafico* g = grafico_.get();
    QLineEdit* grid_bias = campo(Campo::grid_bias);
    QLineEdit* gain_bias = campo(Campo::gain_bias);
    connect(grid_bias, &QLineEdit::returnPressed, this, [g] { g->grid_bias_KeyDown(13, 0); });
    connect(gain_bias, &QLineEdit::returnPressed, this, [g] { g->gain_bias_KeyDown(13, 0); });
    filtri_fuoco_[0] = new FiltroFuocoPerso(grid_bias, [g] { g->grid_bias_LostFocus(); });
    filtri_fuoco_[1] = new FiltroFuocoPerso(gain_bias, [g] { g->gain_bias_LostFocus(); });
    grid_bias->installEventFilter(filtri_fuoco_[0]);
    gain_bias->installEventFilter(filtri_fuoco_[1]);
    connect(campo(Campo::r_anodica), &QLineEdit::textChanged, this, [g] { g->r_anodica_Change(); });
}

// ---------------------------------------------------------------- start-up

void KORVEL::KORVEL_Form_Load()
{
    // 1. The picture library, with its plug-ins.
    libreria_immagini_.inizializza();
    // 2. Every path, from the program folder; an installed copy that the
    // user cannot write keeps the data in the user's own folder, unpacked
    // there from the data archive on the first start.
    if (cartella_programma_.isEmpty())
        imposta_cartelle();
    else
        imposta_cartelle_utente(cartella_programma_);
    if (dati_separati(cartelle()) && !dati_presenti()) {
        Piattaforma::Occupato occupato(piattaforma_);
        carica_archivio_dati();
    }
    // 3. Object lists back to their placeholder.
    grafico_->reset_liste();
    // 4.
    SSTab1->setCurrentIndex(2);
    // 5. Picture2 mirrors Picture1's place and size.
    Picture2->setGeometry(Picture1_->geometry());
    // 6. Chart colours and flags.
    StatoGrafico& s = grafico_->stato();
    s.traccia_attiva = false;
    s.colore_retta = 10;
    s.colore_potenza = 8;
    s.colore_retta_calcolata = 11;
    s.colore_lavoro = 14;
    s.colore_guadagno = 13;
    s.colore_marker = 11;
    // 7. Ratings grid column widths.
    grid_caratteristiche->setColumnWidth(0, pixel(3400));
    grid_caratteristiche->setColumnWidth(1, pixel(1200));
    grid_caratteristiche->setColumnWidth(2, pixel(800));
    // 8.
    imposta_potenza_bloccata(false);
    // 9.
    Init_parametri();
    // 10. The chart labels are rendered by the engine on black; nothing to set.
    // 11. The program folder becomes the current folder, where the file
    // dialogs open. An installed copy's folder is read-only: there the
    // dialogs start from the home folder, where the user can save.
    QDir::setCurrent(dati_separati(cartelle()) ? cartella_casa() : cartelle().cartella_programma);
    // 12. On screen before the database is read.
    show();
    QCoreApplication::processEvents();
    // 13. The tube list; offer the data archive when it cannot be filled.
    // A database in use or damaged is said as such: offering to replace it
    // with the archive would be wrong for the first and is left for the
    // second to a list with no tube at all.
    const bool caricata = lista_->caricamento_basedati();
    SSTab1->setCurrentIndex(2);
    const ListaValvole::Esito esito = lista_->esito();
    if (!caricata)
        segnala_esito_base_dati();
    if (!caricata && esito != ListaValvole::Esito::in_uso && lista_->righe_valvole() == 0) {
        if (piattaforma_.domanda_si_no(tr(testo_base_dati_assente))) {
            {
                Piattaforma::Occupato occupato(piattaforma_);
                importazione_archivio(piattaforma_);
                lista_->caricamento_basedati();
            }
            segnala_esito_base_dati();
        }
    }
    // 14. Menu bitmaps: a decoration that never stops the start-up.
    imposta_icone_menu(*this);
}

void KORVEL::Init_parametri()
{
    imposta_legenda(Legenda::retta, Grafico::colore_assente(), Grafico::testo_assente);
    legenda_retta->setToolTip(tr("Selezionare per tracciamento retta"));
    Frame_retta->setTitle(tr("Retta"));
    Frame_retta->setToolTip(tr("Retta"));

    imposta_legenda(Legenda::lavoro, Grafico::colore_assente(), Grafico::testo_assente);
    legenda_lavoro->setToolTip(tr("Selezionare per tracciamento punto di lavoro"));
    Frame_lavoro->setTitle(tr("P.to di Lavoro"));
    Frame_lavoro->setToolTip(tr("Punto di lavoro"));

    imposta_legenda(Legenda::guadagno, Grafico::colore_assente(), Grafico::testo_assente);
    legenda_guadagno->setToolTip(tr("Selezionare per tracciamento punto per calcolo gain"));
    Frame_guadagno->setTitle(tr("P.to Gain"));
    Frame_guadagno->setToolTip(tr("Punto per calcolo gain"));

    Frame_potenzamassima->setToolTip(tr("Massima potenza dissipabile"));
    campo(Campo::grid_bias)->clear();
    campo(Campo::gain_bias)->clear();
    // A new design: the windows open on the chart's values again.
    ingressi_finestre_ = {};
}

void KORVEL::Timer_settab_Timer()
{
    Timer_settab->stop();
    SSTab1->setCurrentIndex(0);
}

// --------------------------------------------------------------- shut-down

void KORVEL::KORVEL_Form_Unload()
{
    if (scaricata_)
        return;
    scaricata_ = true;
    chiudi_visualizzatore_pdf();
    libreria_immagini_.rilascia();
    chiudi_vedi_schema();
}

void KORVEL::closeEvent(QCloseEvent* e)
{
    // A close the user cancels keeps the window and its design as they are.
    if (!scaricata_ && !progetto_->conferma_abbandono()) {
        e->ignore();
        return;
    }
    KORVEL_Form_Unload();
    e->accept();
}

void KORVEL::uscita_Click()
{
    if (close())
        QCoreApplication::quit();
}

// ----------------------------------------------------------- menu commands

void KORVEL::segnala_esito_base_dati()
{
    const QString testo = ListaValvole::messaggio_esito(lista_->esito());
    if (!testo.isEmpty())
        piattaforma_.messaggio(testo);
}

void KORVEL::load_basedati_Click()
{
    {
        Piattaforma::Occupato occupato(piattaforma_);
        lista_->caricamento_basedati();
    }
    segnala_esito_base_dati();
}

void KORVEL::crea_zipfile_Click()
{
    crea_archivio_zip(piattaforma_);
}

void KORVEL::import_archivio_Click()
{
    {
        Piattaforma::Occupato occupato(piattaforma_);
        importazione_archivio(piattaforma_);
        lista_->caricamento_basedati();
    }
    segnala_esito_base_dati();
}

// ------------------------------------------------------------ VistaGrafico

void KORVEL::chiedi_ricalcolo(StatoGrafico& stato)
{
    Ricalcolo dialogo(stato, this);
    dialogo.exec();
}

QLineEdit* KORVEL::campo(Campo c) const
{
    return campi_[static_cast<int>(c)];
}

QString KORVEL::testo(Campo c) const
{
    return campo(c)->text();
}

void KORVEL::imposta_testo(Campo c, const QString& t)
{
    // The chart writes every value field on each mouse move; a field whose
    // text stays the same is left alone rather than laid out and repainted.
    QLineEdit* f = campo(c);
    if (f->text() != t)
        f->setText(t);
}

namespace {
QPushButton* pulsante(const KORVEL& w, Legenda l)
{
    switch (l) {
    case Legenda::retta: return w.legenda_retta;
    case Legenda::lavoro: return w.legenda_lavoro;
    case Legenda::guadagno: break;
    }
    return w.legenda_guadagno;
}
} // namespace

void KORVEL::imposta_legenda(Legenda l, const QColor& sfondo, const QString& caption)
{
    QPushButton* b = pulsante(*this, l);
    b->setProperty("sfondo", sfondo);
    b->setStyleSheet(stile_legenda(sfondo));
    b->setText(caption);
}

QColor KORVEL::sfondo_legenda(Legenda l) const
{
    return pulsante(*this, l)->property("sfondo").value<QColor>();
}

QString KORVEL::caption_legenda(Legenda l) const
{
    return pulsante(*this, l)->text();
}

Legenda KORVEL::legenda_selezionata() const
{
    if (legenda_retta->isChecked())
        return Legenda::retta;
    if (legenda_lavoro->isChecked())
        return Legenda::lavoro;
    return Legenda::guadagno;
}

void KORVEL::abilita_cancella(int indice, bool abilitato)
{
    if (indice >= 0 && indice < static_cast<int>(canc_function.size()))
        canc_function[indice]->setEnabled(abilitato);
}

void KORVEL::imposta_potenza_bloccata(bool bloccata)
{
    QLineEdit* p = campo(Campo::potenza_anodica);
    p->setReadOnly(bloccata);
    p->setProperty("bloccata", bloccata);
    if (bloccata)
        p->setStyleSheet(QStringLiteral("background-color: palette(window);"));
    else
        p->setStyleSheet(stile_campo_digitabile());
}

bool KORVEL::potenza_bloccata() const
{
    return campo(Campo::potenza_anodica)->property("bloccata").toBool();
}

void KORVEL::imposta_caption_traccia_maxpower(const QString& caption)
{
    traccia_maxpower->setText(caption);
}

void KORVEL::aggiorna_grafico()
{
    if (Picture1_)
        Picture1_->aggiorna_zona();
}
