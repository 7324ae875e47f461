// The main window as the tube loader sees it (VistaValvola), and the
// new-tube command that rebuilds the list afterwards.
#include "shell/korvel.h"

#include "common/libreria_immagini.h"
#include "platform/piattaforma.h"

#include "tubes/lista_valvole.h"
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
    case NomeFile::curva:
        nomefile_curva->setText(testo);
        break;
    case NomeFile::immagine:
        nomefile_immagine->setText(testo);
        break;
    case NomeFile::piedinatura:
        nomefile_piedinatura->setText(testo);
        break;
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
    reload_singolo->setText(QStringLiteral("Ricarica Valvola: ") + appo);
    reload_singolo->setEnabled(true);
    funzioni_esporta->menuAction()->setEnabled(true);
    funzioni_stampa->menuAction()->setEnabled(true);
    menu_tracciatura->menuAction()->setEnabled(true);
    Image1->setEnabled(true);
}

void KORVEL::disabilita_comandi_valvola()
{
    reload_singolo->setEnabled(false);
    funzioni_esporta->menuAction()->setEnabled(false);
    funzioni_stampa->menuAction()->setEnabled(false);
    menu_tracciatura->menuAction()->setEnabled(false);
    Image1->setEnabled(false);
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
                              {[this] { mostra_visualizzatore_pdf(true); }, [this] { about_cmd_Click(); }},
                              this);
    Piattaforma::Occupato occupato(piattaforma_);
    lista_->caricamento_basedati();
}
