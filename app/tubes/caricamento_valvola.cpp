// Loading a tube from the list into the main window, reloading it, and
// clearing it. Every step that fails (a missing picture, a bad number) is
// skipped and the next one runs.
#include "shell/korvel.h"

#include "archive/cartelle.h"
#include "chart/grafico.h"
#include "common/numeri.h"
#include "tubes/griglia_db.h"
#include "tubes/modello_lista_valvole.h"

#include <FreeImage.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

namespace {

struct RigaCaratteristica {
    const char* etichetta;
    int colonna;
    const char* unita;
};

// The heater and maximum ratings shown on the information tab, in order.
constexpr RigaCaratteristica caratteristiche[] = {
    {"Tensione Filamento", 16, "V"},    {"Corrente Filamento", 17, "mA"},
    {"Tensione Filamento", 18, "V"},    {"Corrente Filamento", 19, "mA"},
    {"Tensione MAX Anodica", 20, "V"},  {"Corrente MAX Anodica", 21, "mA"},
    {"Potenza MAX Anodica", 22, "W"},   {"Tensione MAX Schermo", 23, "V"},
    {"Corrente MAX Schermo", 24, "mA"}, {"Potenza MAX Schermo", 25, "W"},
};

void aggiungi_caratteristica(QTableWidget* g, const QString& etichetta, const QString& valore,
                             const QString& unita)
{
    const int r = g->rowCount();
    g->insertRow(r);
    g->setItem(r, 0, new QTableWidgetItem(etichetta));
    g->setItem(r, 1, new QTableWidgetItem(valore));
    g->setItem(r, 2, new QTableWidgetItem(unita));
}

// The size of a picture file as the picture library reads it; false when it
// cannot be read in that format.
bool dimensioni_immagine(const QString& percorso, FREE_IMAGE_FORMAT formato, int& w, int& h)
{
    const QByteArray nome = QFile::encodeName(percorso);
    FIBITMAP* bmp = FreeImage_Load(formato, nome.constData(), 0);
    if (!bmp)
        return false;
    w = static_cast<int>(FreeImage_GetWidth(bmp));
    h = static_cast<int>(FreeImage_GetHeight(bmp));
    FreeImage_Unload(bmp);
    return w > 0 && h > 0;
}

void mostra_immagine(QLabel* area, const QString& percorso)
{
    QPixmap p;
    if (p.load(percorso))
        area->setPixmap(p);
    else
        area->clear();
    area->repaint();
}

// The last four characters of a path (".jpg"), as the exports expect.
QString estensione(const QString& percorso)
{
    return percorso.right(4);
}

} // namespace

void KORVEL::griglia_DB_DblClick(int riga)
{
    if (riga < 1)
        return;
    riga_db->setText(QString::number(riga));
    nome_valvola[0]->setText(cella_lista(riga, 2));
    nome_valvola[1]->setText(cella_lista(riga, 1));
    nome_valvola[2]->setText(cella_lista(riga, 4));

    QString nome = nome_valvola[0]->text();
    if (!nome_valvola[1]->text().isEmpty()) {
        if (!nome.isEmpty())
            nome += ',';
        nome += nome_valvola[1]->text();
    }
    Abilita_MenuFunzioni(nome);
    ricarica_dispositivo();
    Timer_settab->setInterval(200);
    Timer_settab->start();
}

void KORVEL::ricarica_dispositivo()
{
    grid_caratteristiche->clearContents();
    grid_caratteristiche->setRowCount(0);
    nomefile_curva->clear();
    nomefile_immagine->clear();
    immagine_tubo->clear();
    nomefile_piedinatura->clear();
    piedinatura_valvola->clear();
    grafico_->rimuovi_immagine();
    campo(Campo::potenza_anodica)->clear();
    grafico_->stato().traccia_attiva = false;

    carica_dativalvola();

    grafico_->clear_param(0);
    grafico_->draw_marker();
    grafico_->reset_liste();
    for (int i = 0; i < 4; ++i)
        abilita_cancella(i, false);
    imposta_potenza_bloccata(false);
    imposta_caption_traccia_maxpower(QStringLiteral("Traccia Potenza massima"));
    StatoGrafico& s = grafico_->stato();
    s.guadagno = 0;
    s.traccia_attiva = false;
    s.colore_retta = 10;
    s.colore_marker = 11;
    Init_parametri();
    grafico_->display_valori(true);
}

bool KORVEL::carica_dativalvola()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Cartelle& c = cartelle();
    const int r = numeri::arrotonda_int32(numeri::valore_iniziale(riga_db->text())).value_or(0);
    const bool riga_valida = r >= 1 && r < griglia_DB->modello()->righe();

    // Calibration from columns 7 to 14; a row that names no tube leaves it.
    if (riga_valida) {
        StatoGrafico& s = grafico_->stato();
        // The cells hold whole numbers written without separators.
        auto numero = [&](int col, auto& destinazione) {
            bool ok = false;
            const double v = cella_lista(r, col).toDouble(&ok);
            if (ok)
                destinazione = static_cast<std::remove_reference_t<decltype(destinazione)>>(v);
        };
        numero(7, s.imax_x);
        numero(8, s.imax_y);
        numero(9, s.imax_i);
        numero(10, s.vmax_x);
        numero(11, s.vmax_y);
        numero(12, s.vmax_v);
        numero(13, s.org_x);
        numero(14, s.org_y);
    }

    campo(Campo::potenza_anodica)->setText(cella_lista(r, 15));

    for (int i = 0; i < 10; ++i) {
        const RigaCaratteristica& rc = caratteristiche[i];
        // The second heater is hidden only by the exact text "0"; the screen
        // lines by any value that reads as zero or less, empty included.
        if ((i == 2 || i == 3) && cella_lista(r, 18) == QStringLiteral("0"))
            continue;
        if (i >= 7 && !(numeri::valore_iniziale(cella_lista(r, 23)) > 0))
            continue;
        aggiungi_caratteristica(grid_caratteristiche, QString::fromUtf8(rc.etichetta),
                                cella_lista(r, rc.colonna), QString::fromUtf8(rc.unita));
    }

    // Photograph: the frame keeps its height and takes the photo's aspect.
    const QString foto = cella_lista(r, 6);
    if (!foto.isEmpty()) {
        const QString percorso = c.cartella_immagini + foto;
        nomefile_immagine->setText(foto);
        int w = 0, h = 0;
        if (dimensioni_immagine(percorso, FIF_JPEG, w, h)) {
            const int larghezza = static_cast<int>(static_cast<double>(immagine_tubo->height()) / h * w);
            if (larghezza > 0 && larghezza < 4000)
                immagine_tubo->setFixedWidth(larghezza);
        }
        mostra_immagine(immagine_tubo, percorso);
        file_foto = percorso;
        estensione_foto = estensione(percorso);
    } else {
        nomefile_immagine->clear();
    }

    const QString piedinatura = cella_lista(r, 5);
    if (!piedinatura.isEmpty()) {
        nomefile_piedinatura->setText(piedinatura);
        const QString percorso = c.cartella_piedinature + piedinatura;
        mostra_immagine(piedinatura_valvola, percorso);
        file_piedinatura = percorso;
        estensione_piedinatura = estensione(percorso);
    } else {
        nomefile_piedinatura->clear();
    }

    const QString curva = cella_lista(r, 3);
    QImage immagine;
    if (!curva.isEmpty()) {
        nomefile_curva->setText(curva);
        immagine.load(c.cartella_curve + curva);
    } else {
        immagine.load(c.file_immagine_assente);
    }
    if (!immagine.isNull())
        grafico_->imposta_immagine(immagine);
    aggiorna_grafico();
    QApplication::restoreOverrideCursor();
    return true;
}

void KORVEL::clear_dativalvola()
{
    grafico_->clear_param(0);
    immagine_tubo->clear();
    file_foto.clear();
    estensione_foto.clear();
    nomefile_piedinatura->clear();
    piedinatura_valvola->clear();
    file_piedinatura.clear();
    estensione_piedinatura.clear();
    nomefile_curva->clear();
    grafico_->rimuovi_immagine();
    StatoGrafico& s = grafico_->stato();
    s.imax_x = s.imax_y = 0;
    s.imax_i = 0;
    s.vmax_x = s.vmax_y = 0;
    s.vmax_v = 0;
    s.org_x = s.org_y = 0;
    campo(Campo::potenza_anodica)->clear();
    for (QLineEdit* n : nome_valvola)
        n->clear();
    grid_caratteristiche->clearContents();
    grid_caratteristiche->setRowCount(0);
    nomefile_immagine->clear();
    reload_singolo->setEnabled(false);
    funzioni_esporta->menuAction()->setEnabled(false);
    funzioni_stampa->menuAction()->setEnabled(false);
    menu_tracciatura->menuAction()->setEnabled(false);
    Image1->setEnabled(false);
    grafico_->Picture1_MouseMove(0, 0, 0, 0);
    for (Campo f : {Campo::gain_value, Campo::r_value, Campo::r_anodica, Campo::r_catodica, Campo::c_catodica})
        imposta_testo(f, QString());
}

void KORVEL::nuova_valvola_Click()
{
    // The new-tube window; until it is built, an empty modal window stands in.
    QDialog Nuovo_Dispositivo(this);
    Nuovo_Dispositivo.setObjectName(QStringLiteral("Nuovo_Dispositivo"));
    Nuovo_Dispositivo.setWindowTitle(QStringLiteral("Nuova Valvola"));
    Nuovo_Dispositivo.resize(400, 200);
    Nuovo_Dispositivo.exec();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    caricamento_basedati();
    QApplication::restoreOverrideCursor();
}
