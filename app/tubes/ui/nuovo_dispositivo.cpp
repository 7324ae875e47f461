// The new-tube window: opening and closing it, choosing the three pictures,
// the storage names, the calibration points and the mouse read-outs.

#include "tubes/ui/nuovo_dispositivo.h"

#include "archive/cartelle.h"
#include "chart/calibrazione.h"
#include "common/libreria_immagini.h"
#include "common/numeri.h"
#include "platform/piattaforma.h"
#include "tubes/immagini_valvola.h"
#include "tubes/schema_valvole.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QTableWidget>
#include <QTemporaryDir>

#include <algorithm>

QString Nuovo_Dispositivo::titolo()
{
    return tr("Caricamento nuova Valvola");
}
const QString Nuovo_Dispositivo::nome_curva_ridimensionata = QStringLiteral("CurvaRedim.gif");
QString Nuovo_Dispositivo::titolo_inserimento()
{
    return tr("Inserimento parametri");
}

namespace {

struct DialogoCarica {
    const char* titolo;
    const char* nome_iniziale;
    const char* filtri;
};

constexpr DialogoCarica dialoghi[3] = {
    // A data-sheet scan comes as a picture in any of the formats the picture
    // library reads, or as a PDF page: the first filter shows them all.
    {QT_TRANSLATE_NOOP("Nuovo_Dispositivo", "File Curve"), "*.gif",
     QT_TRANSLATE_NOOP("Nuovo_Dispositivo", "Immagini e PDF (*.gif *.jpg *.jpeg *.png *.bmp *.tif *.tiff "
                                            "*.pdf)|*.gif;*.jpg;*.jpeg;*.png;*.bmp;*.tif;*.tiff;*.pdf|"
                                            "gif (*.gif)|*.gif|jpg (*.jpg *.jpeg)|*.jpg;*.jpeg|png (*.png)|*.png|bmp "
                                            "(*.bmp)|*.bmp|"
                                            "tiff (*.tif *.tiff)|*.tif;*.tiff|pdf (*.pdf)|*.pdf|Generico (*.*)|*.*|")},
    {QT_TRANSLATE_NOOP("Nuovo_Dispositivo", "File Immagine"), "*.jpg",
     QT_TRANSLATE_NOOP("Nuovo_Dispositivo", "jpg (*.jpg)|*.jpg|gif (*.gif)|*.gif|Generico (*.*)|*.*|")},
    {QT_TRANSLATE_NOOP("Nuovo_Dispositivo", "File Piedinatura"), "*.gif",
     QT_TRANSLATE_NOOP("Nuovo_Dispositivo", "gif (*.gif)|*.gif|jpg (*.jpg)|*.jpg|Generico (*.*)|*.*|")},
};

// A chosen source file: its path on a green background.
void segna_scelto(QLabel* l, const QString& percorso)
{
    l->setText(percorso);
    l->setToolTip(percorso);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, QColor(0, 255, 0));
    l->setPalette(p);
}

void azzera_scelto(QLabel* l)
{
    l->clear();
    l->setToolTip(QString());
    l->setPalette(QPalette());
}

// Numeric value of a field: its leading number, "." decimals.
double valore(const QLineEdit* e)
{
    return numeri::valore_iniziale(e->text());
}

} // namespace

Nuovo_Dispositivo::Nuovo_Dispositivo(Piattaforma& piattaforma, LibreriaImmagini& libreria, FinestreAiuto aiuto,
                                     QWidget* parent)
    : QDialog(parent), piattaforma_(piattaforma), libreria_(libreria), aiuto_(std::move(aiuto))
{
    crea_controlli();
    collega();
    Form_Load();
}

void Nuovo_Dispositivo::mostra(Piattaforma& piattaforma, LibreriaImmagini& libreria, FinestreAiuto aiuto,
                               QWidget* parent)
{
    Nuovo_Dispositivo finestra(piattaforma, libreria, std::move(aiuto), parent);
    QWidget* prima = piattaforma.finestra();
    piattaforma.imposta_finestra(&finestra);
    finestra.exec();
    piattaforma.imposta_finestra(prima);
}

Nuovo_Dispositivo::~Nuovo_Dispositivo()
{
    Form_Unload();
}

void Nuovo_Dispositivo::collega()
{
    for (int i = 0; i < 3; ++i)
        connect(carica[std::size_t(i)], &QAction::triggered, this, [this, i] { carica_Click(i); });
    for (int i : {0, 1, 2, 4, 6})
        connect(set_point[std::size_t(i)], &QAction::triggered, this, [this, i] { set_point_Click(i); });
    connect(salva_DB, &QAction::triggered, this, &Nuovo_Dispositivo::salva_DB_Click);
    connect(uscita, &QAction::triggered, this, &Nuovo_Dispositivo::uscita_Click);
    connect(help_cmd, &QAction::triggered, this, &Nuovo_Dispositivo::help_cmd_Click);
    connect(about_cmd, &QAction::triggered, this, &Nuovo_Dispositivo::about_cmd_Click);
    for (QLineEdit* n : nome_valvola)
        connect(n, &QLineEdit::textChanged, this, &Nuovo_Dispositivo::aggiorna_nomi);
    connect(Combo_modo, &QComboBox::currentIndexChanged, this, &Nuovo_Dispositivo::aggiorna_nomi);
    for (QLineEdit* e : {max_current_i, max_voltage_V})
        connect(e, &QLineEdit::textChanged, this, &Nuovo_Dispositivo::aggiorna_divisione);
    connect(grid_caratteristiche, &QTableWidget::cellClicked, this,
            [this](int riga, int) { grid_caratteristiche_Click(riga); });
}

void Nuovo_Dispositivo::Form_Load()
{
    // The library session belongs to the main window, which goes on using
    // it after this window closes: only a bitmap left open is released.
    libreria_.rilascia_bitmap();
    libreria_.inizializza();
    traccia_attiva = false;
    colore_marker = 11;
    colore_potenza = 8;
    Frame_maxv->setEnabled(true);
    Frame_maxI->setEnabled(true);
    for (QGroupBox* f : Frame_origine)
        f->setEnabled(true);
    Combo_modo->clear();
    Combo_modo->addItems(schema_valvole::modi());
    Combo_modo->setCurrentIndex(0);
    init_crigliacaratteristiche();
    // The rescaled curve picture is kept apart from the program folder and
    // goes with the window.
    cartella_temporanea_ = std::make_unique<QTemporaryDir>();
}

void Nuovo_Dispositivo::Form_Unload()
{
    if (scaricata_)
        return;
    scaricata_ = true;
    libreria_.rilascia_bitmap();
    if (cartella_temporanea_) {
        QFile::remove(file_curva_ridimensionata());
        cartella_temporanea_.reset();
    }
}

void Nuovo_Dispositivo::done(int risultato)
{
    Form_Unload();
    QDialog::done(risultato);
}

void Nuovo_Dispositivo::closeEvent(QCloseEvent* evento)
{
    Form_Unload();
    QDialog::closeEvent(evento);
}

void Nuovo_Dispositivo::uscita_Click()
{
    close();
}

void Nuovo_Dispositivo::help_cmd_Click()
{
    // The viewer shows the manual when nothing else is handed to it.
    cartelle().pdf_da_mostrare.clear();
    cartelle().titolo_pdf_da_mostrare.clear();
    if (aiuto_.manuale)
        aiuto_.manuale();
}

void Nuovo_Dispositivo::about_cmd_Click()
{
    if (aiuto_.about)
        aiuto_.about();
}

QString Nuovo_Dispositivo::file_curva_ridimensionata() const
{
    if (!cartella_temporanea_ || !cartella_temporanea_->isValid())
        return {};
    return cartella_temporanea_->filePath(nome_curva_ridimensionata);
}

// ------------------------------------------------------------- pictures

void Nuovo_Dispositivo::aggiorna_tela()
{
    Picture1_->update();
}

void Nuovo_Dispositivo::rimuovi_curva()
{
    tela_.pulisci();
    marker_disegnato_.fill(std::nullopt);
    aggiorna_tela();
}

void Nuovo_Dispositivo::carica_Click(int index)
{
    if (index < 0 || index > 2)
        return;
    switch (index) {
    case 0: rimuovi_curva(); break;
    case 1: immagine_tubo->clear(); break;
    default: piedinatura_valvola->clear(); break;
    }
    const DialogoCarica& d = dialoghi[index];
    Piattaforma::DialogoFile dialogo;
    dialogo.titolo = tr(d.titolo);
    dialogo.nome_iniziale = QString::fromUtf8(d.nome_iniziale);
    dialogo.filtri = tr(d.filtri);
    dialogo.indice_filtro = 1;
    dialogo.deve_esistere = true;
    const std::optional<QString> scelto = piattaforma_.apri_file(dialogo);
    if (!scelto || scelto->isEmpty())
        return;
    const QString percorso = QFileInfo(*scelto).absoluteFilePath();
    switch (index) {
    case 0: carica_curva(percorso); break;
    case 1: carica_foto(percorso); break;
    default: carica_piedinatura(percorso); break;
    }
}

void Nuovo_Dispositivo::carica_curva(const QString& percorso)
{
    // The picture of an earlier load must never be saved under this choice.
    const std::optional<QString> sorgente = prepara_curva(percorso);
    if (!sorgente)
        return;
    const QString ridimensionata = file_curva_ridimensionata();
    if (!ridimensionata.isEmpty())
        QFile::remove(ridimensionata);
    bool caricata = false;
    griglia_ = {};
    if (!ridimensionata.isEmpty() && immagini_valvola::ridimensiona_curva(*sorgente, ridimensionata)) {
        const QImage figura(ridimensionata);
        caricata = !figura.isNull();
        if (caricata) {
            tela_.imposta_immagine(figura);
            griglia_ = analisi_grafico::rileva_griglia(figura);
        } else {
            QFile::remove(ridimensionata);
        }
    }
    if (*sorgente != percorso)
        QFile::remove(*sorgente);
    aggiorna_tela();
    clear_dativalvola();
    display_valori();
    // A picture that could not be read is not taken: the save then finds no
    // curve rather than storing nothing under a name.
    if (caricata)
        segna_scelto(orig_curve, percorso);
}

void Nuovo_Dispositivo::carica_foto(const QString& percorso)
{
    const QImage foto = immagini_valvola::leggi(percorso);
    if (foto.isNull() || foto.height() <= 0)
        return;
    const double larghezza = double(immagine_tubo->height()) / foto.height() * foto.width();
    immagine_tubo->setFixedWidth(std::clamp(int(larghezza), 1, 600));
    immagine_tubo->setPixmap(QPixmap::fromImage(foto));
    immagine_tubo->repaint();
    segna_scelto(orig_Immagine, percorso);
}

void Nuovo_Dispositivo::carica_piedinatura(const QString& percorso)
{
    const QImage figura = immagini_valvola::leggi(percorso);
    if (figura.isNull())
        return;
    piedinatura_valvola->setPixmap(QPixmap::fromImage(figura));
    piedinatura_valvola->repaint();
    segna_scelto(orig_piedinatura, percorso);
}

void Nuovo_Dispositivo::aggiorna_nomi()
{
    const nuova_valvola::NomiFile n = nuova_valvola::nomi_file(
        nuova_valvola::nome_base(nome_valvola[0]->text(), nome_valvola[1]->text()), Combo_modo->currentIndex());
    nomefile_curva->setText(n.curva);
    nomefile_immagine->setText(n.immagine);
    nomefile_piedinatura->setText(n.piedinatura);
}

void Nuovo_Dispositivo::clear_dativalvola()
{
    nuova = Taratura{};
    for (QLineEdit* e :
         {max_voltage_V, max_current_i, max_current_y, max_current_X, max_voltage_Y, max_voltage_X, potenza_anodica})
        e->clear();
    nomefile_curva->clear();
    nomefile_immagine->clear();
    nomefile_piedinatura->clear();
    for (QLabel* l : {orig_curve, orig_Immagine, orig_piedinatura})
        azzera_scelto(l);
    aggiorna_nomi();
}

// ---------------------------------------------------- calibration points

Taratura Nuovo_Dispositivo::taratura() const
{
    Taratura t = nuova;
    t.vmax_v = valore(max_voltage_V);
    t.imax_i = valore(max_current_i);
    return t;
}

double Nuovo_Dispositivo::calcolav(float x) const
{
    return ::calcolav(taratura(), x);
}

double Nuovo_Dispositivo::calcolai(float y) const
{
    return ::calcolai(taratura(), y);
}

void Nuovo_Dispositivo::display_valori()
{
    // Long values show their leading digits.
    const auto mostra = [](QLineEdit* e, const QString& t) {
        e->setText(t);
        e->setCursorPosition(0);
    };
    mostra(curr_X, numeri::testo_float(nuova_mouse_x));
    mostra(curr_Y, numeri::testo_float(nuova_mouse_y));
    mostra(curr_v, numeri::testo_double(calcolav(nuova_mouse_x)));
    mostra(curr_i, numeri::testo_double(calcolai(nuova_mouse_y)));
}

void Nuovo_Dispositivo::sposta_marker(Marker marker, float x, float y)
{
    // Only a marker that is on the picture is erased: a point typed in its
    // fields but never drawn leaves nothing to remove.
    std::optional<QPointF>& disegnato = marker_disegnato_[std::size_t(marker)];
    if (disegnato)
        disegna_marker(tela_, marker, disegnato->x(), disegnato->y(), colore_marker);
    disegna_marker(tela_, marker, x, y, colore_marker);
    disegnato = QPointF(x, y);
    aggiorna_tela();
}

void Nuovo_Dispositivo::set_point_Click(int index)
{
    float x = nuova_mouse_x;
    float y = nuova_mouse_y;
    if (index <= 2)
        aggancia_alla_griglia(x, y);
    switch (index) {
    case 0:
        nuova.imax_x = x;
        nuova.imax_y = y;
        max_current_X->setText(numeri::testo_float(x));
        max_current_y->setText(numeri::testo_float(y));
        sposta_marker(Marker::corrente, x, y);
        break;
    case 1:
        nuova.org_x = x;
        nuova.org_y = y;
        origin_X->setText(numeri::testo_float(x));
        origin_Y->setText(numeri::testo_float(y));
        sposta_marker(Marker::origine, x, y);
        break;
    case 2:
        nuova.vmax_x = x;
        nuova.vmax_y = y;
        max_voltage_X->setText(numeri::testo_float(x));
        max_voltage_Y->setText(numeri::testo_float(y));
        sposta_marker(Marker::tensione, float(valore(max_voltage_X)), float(valore(max_voltage_Y)));
        break;
    case 4: traccia_potenza_massima(); break;
    case 6: {
        // The points move to the coordinates typed in their fields; a point
        // whose fields hold 0 or nothing stays where it is.
        const auto sposta = [this](Marker m, QLineEdit* ex, QLineEdit* ey, float& px, float& py) {
            if (valore(ex) == 0 || valore(ey) == 0)
                return;
            px = float(valore(ex));
            py = float(valore(ey));
            sposta_marker(m, px, py);
        };
        sposta(Marker::corrente, max_current_X, max_current_y, nuova.imax_x, nuova.imax_y);
        sposta(Marker::origine, origin_X, origin_Y, nuova.org_x, nuova.org_y);
        sposta(Marker::tensione, max_voltage_X, max_voltage_Y, nuova.vmax_x, nuova.vmax_y);
        break;
    }
    default: break;
    }
    aggiorna_divisione();
}

// ------------------------------------------------------------------ mouse

void Nuovo_Dispositivo::mouse_move(int, int, float x, float y)
{
    nuova_mouse_x = x;
    nuova_mouse_y = y;
    display_valori();
}

void Nuovo_Dispositivo::mouse_down(int button, int, float x, float y)
{
    traccia_attiva = false;
    // The points are set where the menu was opened.
    nuova_mouse_x = x;
    nuova_mouse_y = y;
    if (button == 1)
        menu_operazioni->exec(Picture1_->mapToGlobal(QPointF(x, y).toPoint()));
    display_valori();
}

void Nuovo_Dispositivo::mouse_up(int, int, float, float)
{
    traccia_attiva = false;
}
