// The main window as the tube loader sees it (VistaValvola), and the
// new-tube command that rebuilds the list afterwards.
#include "shell/korvel.h"

#include "common/libreria_immagini.h"
#include "platform/piattaforma.h"

#include "tubes/lista_valvole.h"
#include "archive/cartelle.h"
#include "chart/grafico.h"
#include "model/ui/finestra_modello.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/ui/nuovo_dispositivo.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QTableWidget>
#include <QTimer>

namespace {

void mostra_immagine(QLabel* area, const QString& percorso)
{
    // Through the guarded reader: a photo claiming a huge size is not decoded.
    const QImage img = percorso.isEmpty() ? QImage() : immagini::leggi(percorso);
    if (!img.isNull())
        area->setPixmap(QPixmap::fromImage(img));
    else
        area->clear();
    area->repaint();
}

} // namespace

QString KORVEL::testo_riga_db() const
{
    return riga_db->text();
}

void KORVEL::imposta_riga_db(const QString& testo)
{
    riga_db->setText(testo);
}

QString KORVEL::testo_nome_valvola(int indice) const
{
    if (indice < 0 || indice >= static_cast<int>(nome_valvola.size()))
        return {};
    return nome_valvola[indice]->text();
}

void KORVEL::imposta_nome_valvola(int indice, const QString& testo)
{
    if (indice >= 0 && indice < static_cast<int>(nome_valvola.size()))
        nome_valvola[indice]->setText(testo);
}

void KORVEL::svuota_caratteristiche()
{
    grid_caratteristiche->clearContents();
    grid_caratteristiche->setRowCount(0);
}

void KORVEL::aggiungi_caratteristica(const QString& etichetta, const QString& valore, const QString& unita)
{
    QTableWidget* g = grid_caratteristiche;
    const int r = g->rowCount();
    g->insertRow(r);
    g->setItem(r, 0, new QTableWidgetItem(etichetta));
    g->setItem(r, 1, new QTableWidgetItem(valore));
    g->setItem(r, 2, new QTableWidgetItem(unita));
}

void KORVEL::imposta_nome_file(NomeFile nome, const QString& testo)
{
    switch (nome) {
    case NomeFile::curva: nomefile_curva->setText(testo); break;
    case NomeFile::immagine: nomefile_immagine->setText(testo); break;
    case NomeFile::piedinatura: nomefile_piedinatura->setText(testo); break;
    }
}

int KORVEL::altezza_foto() const
{
    return immagine_tubo->height();
}

void KORVEL::imposta_larghezza_foto(int larghezza)
{
    immagine_tubo->setFixedWidth(larghezza);
}

void KORVEL::mostra_foto(const QString& percorso)
{
    mostra_immagine(immagine_tubo, percorso);
}

void KORVEL::mostra_piedinatura(const QString& percorso)
{
    mostra_immagine(piedinatura_valvola, percorso);
}

void KORVEL::Abilita_MenuFunzioni(const QString& appo)
{
    reload_singolo->setText(tr("Ricarica Valvola: ") + appo);
    reload_singolo->setEnabled(true);
    funzioni_esporta->menuAction()->setEnabled(true);
    funzioni_stampa->menuAction()->setEnabled(true);
    menu_tracciatura->menuAction()->setEnabled(true);
    modello_valvola->setEnabled(true);
    Image1->setEnabled(true);
}

void KORVEL::disabilita_comandi_valvola()
{
    reload_singolo->setEnabled(false);
    funzioni_esporta->menuAction()->setEnabled(false);
    funzioni_stampa->menuAction()->setEnabled(false);
    menu_tracciatura->menuAction()->setEnabled(false);
    modello_valvola->setEnabled(false);
    Image1->setEnabled(false);
}

void KORVEL::imposta_modello_presente(bool presente)
{
    // A new tube brings a new picture, on which no model is drawn.
    if (!grafico_->modello_mostrato())
        mostra_modello->setChecked(false);
    mostra_modello->setEnabled(presente);
    stadio_finale->setEnabled(presente);
}

void KORVEL::mostra_modello_Click(bool mostra)
{
    const auto& m = caricatore_->modello();
    if (mostra && m) {
        if (!grafico_->mostra_modello(m->parametri, m->griglie))
            mostra_modello->setChecked(false);
    } else {
        grafico_->nascondi_modello();
        mostra_modello->setChecked(false);
    }
}

void KORVEL::modello_valvola_Click()
{
    if (caricatore_->id_valvola() <= 0)
        return;
    FinestraModello::Valvola v;
    v.id = caricatore_->id_valvola();
    v.sigla = testo_nome_valvola(0).isEmpty() ? testo_nome_valvola(1) : testo_nome_valvola(0);
    v.modo = testo_nome_valvola(2);
    v.file_basedati = cartelle().file_basedati;
    v.file_immagine = caricatore_->file_curva();
    v.cartella_export = cartelle().cartella_programma;
    if (!v.file_immagine.isEmpty())
        v.immagine.load(v.file_immagine);
    v.taratura = grafico_->stato();
    if (FinestraModello::mostra(piattaforma_, v, this)) {
        // A model drawn on the chart is the old one: take it away first.
        const bool era_mostrato = grafico_->modello_mostrato();
        grafico_->nascondi_modello();
        caricatore_->aggiorna_modello();
        if (era_mostrato && caricatore_->modello()) {
            mostra_modello->setChecked(true);
            mostra_modello_Click(true);
        } else {
            mostra_modello->setChecked(false);
        }
    }
}

void KORVEL::avvia_timer_settab(int millisecondi)
{
    Timer_settab->setInterval(millisecondi);
    Timer_settab->start();
}

void KORVEL::nuova_valvola_Click()
{
    // Its "&?" menu shows the manual and the About window modally over it;
    // the window has already emptied the report hand-over, so the viewer
    // shows the manual.
    Nuovo_Dispositivo::mostra(piattaforma_, libreria_immagini_,
                              {[this] { mostra_visualizzatore_pdf(true); }, [this] { about_cmd_Click(); }}, this);
    Piattaforma::Occupato occupato(piattaforma_);
    lista_->caricamento_basedati();
}
