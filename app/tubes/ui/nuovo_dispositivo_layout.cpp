// The new-tube window's controls and menus: the curve picture on the left,
// designations, storage names, calibration, read-outs and ratings on the
// right, photograph and pin-out below.

#include "tubes/ui/nuovo_dispositivo.h"

#include "common/ui/nome_accessibile.h"

#include "common/twips.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

using twips::pixel;

QLineEdit* campo(QWidget* parent, const char* nome, const QString& accessibile, bool sola_lettura = false)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(nome));
    e->setAccessibleName(accessibile);
    e->setReadOnly(sola_lettura);
    return e;
}

QLabel* etichetta(QWidget* parent, const QString& testo, QWidget* compagno)
{
    auto* l = new QLabel(testo, parent);
    l->setBuddy(compagno);
    return l;
}

// A label that shows a file name or path: screen readers read the name or
// path it shows, with the caption of the label beside it as description.
QLabel* didascalia(QWidget* parent, const char* nome, const QString& accessibile)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(nome));
    lega_nome_al_testo(l, accessibile);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAutoFillBackground(true);
    l->setMinimumWidth(160);
    // A long path must not widen the window.
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QLabel* cornice_immagine(QWidget* parent, const char* nome, const QString& accessibile)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(nome));
    l->setAccessibleName(accessibile);
    l->setFrameShape(QFrame::Box);
    l->setScaledContents(true);
    l->setFixedSize(150, 150);
    return l;
}

// A frame of two or three coordinate fields, each with its "X=" style label.
QGroupBox* cornice(QWidget* parent, const char* nome, const QString& titolo, const QString& suggerimento,
                   std::initializer_list<std::pair<const char*, QLineEdit*>> campi)
{
    auto* g = new QGroupBox(titolo, parent);
    g->setObjectName(QString::fromLatin1(nome));
    g->setToolTip(suggerimento);
    auto* l = new QGridLayout(g);
    int r = 0;
    for (const auto& [testo, e] : campi) {
        e->setParent(g);
        l->addWidget(etichetta(g, QString::fromUtf8(testo), e), r, 0);
        l->addWidget(e, r, 1);
        ++r;
    }
    return g;
}

} // namespace

void Nuovo_Dispositivo::crea_controlli()
{
    setObjectName(QStringLiteral("Nuovo_Dispositivo"));
    setWindowTitle(titolo());
    setAccessibleName(titolo());

    Picture1_ = new Picture1(tela_, *this, this);
    Picture1_->setAccessibleName(tr("Curve caratteristiche"));
    Picture1_->setToolTip(tr("Clic sinistro: menu dei punti di taratura"));

    immagine_tubo = cornice_immagine(this, "immagine_tubo", tr("Immagine"));
    piedinatura_valvola = cornice_immagine(this, "piedinatura_valvola", tr("Piedinatura"));

    nome_valvola[0] = campo(this, "nome_valvola_0", tr("Sigla USA"));
    nome_valvola[1] = campo(this, "nome_valvola_1", tr("Sigla EURO"));
    Combo_modo = new QComboBox(this);
    Combo_modo->setObjectName(QStringLiteral("Combo_modo"));
    Combo_modo->setAccessibleName(tr("Modo"));

    nomefile_curva = didascalia(this, "nomefile_curva", tr("File Curve"));
    nomefile_immagine = didascalia(this, "nomefile_immagine", tr("File Immagine"));
    nomefile_piedinatura = didascalia(this, "nomefile_piedinatura", tr("File Piedinatura"));
    orig_curve = didascalia(this, "orig_curve", tr("File Originale Curve"));
    orig_Immagine = didascalia(this, "orig_Immagine", tr("File Originale Immagine"));
    orig_piedinatura = didascalia(this, "orig_piedinatura", tr("File Originale Piedinatura"));

    max_current_X = campo(this, "max_current_X", tr("Corrente massima X"));
    max_current_y = campo(this, "max_current_y", tr("Corrente massima Y"));
    max_current_i = campo(this, "max_current_i", tr("Corrente massima I"));
    max_voltage_X = campo(this, "max_voltage_X", tr("Tensione massima X"));
    max_voltage_Y = campo(this, "max_voltage_Y", tr("Tensione massima Y"));
    max_voltage_V = campo(this, "max_voltage_V", tr("Tensione massima V"));
    origin_X = campo(this, "origin_X", tr("Origine X"));
    origin_Y = campo(this, "origin_Y", tr("Origine Y"));
    curr_X = campo(this, "curr_X", tr("Posizione X"), true);
    curr_v = campo(this, "curr_v", tr("Posizione V"), true);
    curr_Y = campo(this, "curr_Y", tr("Posizione Y"), true);
    curr_i = campo(this, "curr_i", tr("Posizione I"), true);
    curr_X->setToolTip(tr("Posizione corrente asse X"));
    curr_v->setToolTip(tr("Posizione corrente asse X"));
    curr_Y->setToolTip(tr("Posizione corrente asse Y"));
    curr_i->setToolTip(tr("Posizione corrente asse Y"));
    potenza_anodica = campo(this, "potenza_anodica", tr("PMax(mW)="));

    Frame_maxI = cornice(this, "Frame_maxI", tr("Massimo I"), tr("Coordinate massimo asse Y"),
                         {{"X=", max_current_X}, {"Y=", max_current_y}, {"I=", max_current_i}});
    Frame_maxv = cornice(this, "Frame_maxv", tr("Massimo V"), tr("Coordinate massimo asse X"),
                         {{"X=", max_voltage_X}, {"Y=", max_voltage_Y}, {"V=", max_voltage_V}});
    Frame_origine[0] = cornice(this, "Frame_origine_0", tr("Origine"), tr("Coordinate origine degli assi"),
                               {{"X=", origin_X}, {"Y=", origin_Y}});
    Frame_origine[1] = cornice(this, "Frame_origine_1", tr("Posizione"), tr("Posizione corrente del mouse"),
                               {{"X=", curr_X}, {"V=", curr_v}, {"Y=", curr_Y}, {"I=", curr_i}});
    Frame_potenzamassima = cornice(this, "Frame_potenzamassima", tr("Potenza Massima"),
                                   tr("Massima potenza dissipabile"), {{"PMax(mW)=", potenza_anodica}});

    grid_caratteristiche = new QTableWidget(0, 3, this);
    grid_caratteristiche->setObjectName(QStringLiteral("grid_caratteristiche"));
    grid_caratteristiche->setAccessibleName(tr("Caratteristiche"));
    grid_caratteristiche->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_caratteristiche->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_caratteristiche->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_caratteristiche->horizontalHeader()->hide();
    grid_caratteristiche->verticalHeader()->hide();
    grid_caratteristiche->verticalHeader()->setDefaultSectionSize(20);
    grid_caratteristiche->setMinimumHeight(10 * 20 + 6);
    grid_caratteristiche->setColumnWidth(0, pixel(3200));
    grid_caratteristiche->setColumnWidth(1, pixel(1200));
    grid_caratteristiche->setColumnWidth(2, pixel(800));
    grid_caratteristiche->setMinimumWidth(pixel(3200 + 1200 + 800) + 6);

    // Right-hand column: designations and names, calibration, ratings.
    auto* nomi = new QGridLayout;
    int r = 0;
    const auto riga = [&](const QString& testo, QWidget* w) {
        nomi->addWidget(etichetta(this, testo, w), r, 0);
        nomi->addWidget(w, r, 1);
        ++r;
    };
    riga(tr("Sigla USA"), nome_valvola[0]);
    riga(tr("Sigla EURO"), nome_valvola[1]);
    riga(tr("Modo"), Combo_modo);
    riga(tr("File Curve"), nomefile_curva);
    riga(tr("File Immagine"), nomefile_immagine);
    riga(tr("File Piedinatura"), nomefile_piedinatura);

    auto* taratura = new QHBoxLayout;
    taratura->addWidget(Frame_maxI);
    taratura->addWidget(Frame_maxv);
    taratura->addWidget(Frame_origine[0]);
    auto* sotto = new QHBoxLayout;
    sotto->addWidget(Frame_origine[1]);
    sotto->addWidget(Frame_potenzamassima, 0, Qt::AlignTop);

    auto* destra = new QVBoxLayout;
    destra->addLayout(nomi);
    destra->addLayout(taratura);
    destra->addLayout(sotto);
    destra->addWidget(etichetta(this, tr("Caratteristiche"), grid_caratteristiche));
    destra->addWidget(grid_caratteristiche);
    destra->addStretch(1);

    auto* originali = new QGridLayout;
    r = 0;
    const auto originale = [&](const QString& testo, QLabel* l) {
        auto* e = new QLabel(testo, this);
        e->setBuddy(l);
        originali->addWidget(e, r, 0);
        originali->addWidget(l, r, 1);
        ++r;
    };
    originale(tr("File Originale Curve"), orig_curve);
    originale(tr("File Originale Immagine"), orig_Immagine);
    originale(tr("File Originale Piedinatura"), orig_piedinatura);
    originali->setColumnStretch(1, 1);

    auto* figure = new QHBoxLayout;
    figure->addWidget(immagine_tubo);
    figure->addWidget(piedinatura_valvola);
    figure->addStretch(1);

    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(Picture1_);
    sinistra->addWidget(crea_divisione());
    sinistra->addLayout(originali);
    sinistra->addLayout(figure);
    sinistra->addStretch(1);

    auto* corpo = new QHBoxLayout;
    corpo->addLayout(sinistra);
    corpo->addLayout(destra, 1);

    auto* tutto = new QVBoxLayout(this);
    crea_menu();
    tutto->setMenuBar(barra_menu);
    tutto->addLayout(corpo);
}

void Nuovo_Dispositivo::crea_menu()
{
    barra_menu = new QMenuBar(this);
    barra_menu->setAccessibleName(tr("Menu"));
    const auto voce = [](QMenu* m, const char* nome, const QString& testo) {
        QAction* a = m->addAction(testo);
        a->setObjectName(QString::fromLatin1(nome));
        return a;
    };
    menu_file = barra_menu->addMenu(tr("&File"));
    menu_file->setObjectName(QStringLiteral("menu_file"));
    nuova_valvola = voce(menu_file, "nuova_valvola", tr("&Nuova Valvola"));
    carica[0] = voce(menu_file, "carica_0", tr("Carica Cur&ve"));
    carica[1] = voce(menu_file, "carica_1", tr("Carica &Immagine"));
    carica[2] = voce(menu_file, "carica_2", tr("Carica &Piedinatura"));
    menu_file->addSeparator();
    salva_DB = voce(menu_file, "salva_DB", tr("&Salva DB"));
    menu_file->addSeparator();
    uscita = voce(menu_file, "uscita", tr("&Exit"));

    menu_aiuto = barra_menu->addMenu(tr("&?"));
    menu_aiuto->setObjectName(QStringLiteral("menu_aiuto"));
    help_cmd = voce(menu_aiuto, "help_cmd", tr("&Help"));
    menu_aiuto->addSeparator();
    about_cmd = voce(menu_aiuto, "about_cmd", tr("A&bout"));

    // Opened over the picture, never shown in the bar.
    menu_operazioni = new QMenu(this);
    menu_operazioni->setObjectName(QStringLiteral("menu_operazioni"));
    menu_operazioni->setAccessibleName(tr("Punti di taratura"));
    set_point[0] = voce(menu_operazioni, "set_point_0", tr("Set Corrente massima"));
    set_point[1] = voce(menu_operazioni, "set_point_1", tr("Set Origine"));
    set_point[2] = voce(menu_operazioni, "set_point_2", tr("Set Tensione Massima"));
    set_point[3] = menu_operazioni->addSeparator();
    set_point[4] = voce(menu_operazioni, "set_point_4", tr("Traccia Potenza massima"));
    set_point[5] = menu_operazioni->addSeparator();
    set_point[6] = voce(menu_operazioni, "set_point_6", tr("Sposta manualmente"));
    crea_aggancio();
}
