// The controls of the main window and their fixed behaviour: which fields
// take typing, their colours and tooltips, and the arrangement of tab 0
// around the chart like axis labels.
#include "shell/korvel.h"

#include "chart/grafico.h"
#include "chart/ui/picture1.h"
#include "common/ui/nome_accessibile.h"
#include "tubes/ui/griglia_db.h"
#include "tubes/modello_lista_valvole.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString sfondo_bianco = QStringLiteral("background-color: rgb(255, 255, 255);");

QGroupBox* cornice(const QString& caption, const QString& tooltip = {})
{
    auto* g = new QGroupBox(caption);
    if (!tooltip.isEmpty())
        g->setToolTip(tooltip);
    return g;
}

// A value field with its label, in a grid row; read-only unless told.
QLineEdit* campo_etichettato(QGridLayout* griglia, int riga, int colonna, const QString& etichetta, const QString& nome,
                             bool modificabile = false)
{
    auto* l = new QLabel(etichetta);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* e = new QLineEdit;
    e->setObjectName(nome);
    e->setReadOnly(!modificabile);
    e->setMinimumWidth(52);
    e->setMaximumWidth(96);
    griglia->addWidget(l, riga, colonna * 2);
    griglia->addWidget(e, riga, colonna * 2 + 1);
    l->setBuddy(e);
    return e;
}

QGridLayout* griglia_di(QGroupBox* g)
{
    auto* grid = new QGridLayout(g);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    return grid;
}

QPushButton* pulsante_legenda(const QString& nome)
{
    auto* b = new QPushButton;
    b->setObjectName(nome);
    b->setCheckable(true);
    b->setAutoFillBackground(true);
    b->setFocusPolicy(Qt::TabFocus);
    b->setMinimumWidth(70);
    return b;
}

// The mode icon: a small triode symbol (envelope, plate, grid, cathode).
QPixmap icona_schema()
{
    QPixmap p(24, 24);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(30, 30, 120), 1.5));
    g.drawEllipse(QRectF(2.5, 2.5, 19, 19));
    g.drawLine(QPointF(8, 7), QPointF(16, 7)); // plate
    g.drawLine(QPointF(12, 7), QPointF(12, 1));
    g.setPen(QPen(QColor(30, 30, 120), 1.2, Qt::DashLine));
    g.drawLine(QPointF(6, 12), QPointF(18, 12)); // grid
    g.setPen(QPen(QColor(30, 30, 120), 1.5));
    g.drawLine(QPointF(8, 17), QPointF(16, 17)); // cathode
    return p;
}

} // namespace

QString KORVEL::stile_campo_digitabile()
{
    return QStringLiteral("background-color: rgb(192, 255, 255);");
}

void KORVEL::crea_controlli()
{
    auto* centrale = new QWidget;
    auto* principale = new QVBoxLayout(centrale);
    principale->setContentsMargins(6, 4, 6, 6);

    // Top strip.
    auto* Frame2 = new QFrame;
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto* striscia = new QHBoxLayout(Frame2);
    striscia->setContentsMargins(0, 0, 0, 0);
    auto* Label26 = new QLabel(tr("Valvola:"));
    striscia->addWidget(Label26);
    for (int i = 0; i < 3; ++i) {
        nome_valvola[i] = new QLineEdit;
        nome_valvola[i]->setObjectName(QStringLiteral("nome_valvola_%1").arg(i));
        nome_valvola[i]->setReadOnly(true);
        nome_valvola[i]->setMaximumWidth(i == 2 ? 170 : 110);
        striscia->addWidget(nome_valvola[i]);
    }
    striscia->addStretch(1);
    // The row of the loaded tube is shown but never typed into.
    riga_db = new QLineEdit;
    riga_db->setObjectName(QStringLiteral("riga_db"));
    riga_db->setReadOnly(true);
    riga_db->setEnabled(false);
    riga_db->setMaximumWidth(60);
    riga_db->setToolTip(tr("Riga della valvola caricata"));
    striscia->addWidget(riga_db);
    principale->addWidget(Frame2);

    SSTab1 = new QTabWidget;
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(crea_tab_grafico(), tr("Curva Caratteristica"));
    SSTab1->addTab(crea_tab_informazioni(), tr("Dati Informativi"));
    SSTab1->addTab(crea_tab_archivio(), tr("Archivio Valvole"));
    principale->addWidget(SSTab1, 1);

    setCentralWidget(centrale);
}

QWidget* KORVEL::crea_tab_grafico()
{
    auto* tab = new QWidget;
    auto* griglia = new QGridLayout(tab);
    griglia->setContentsMargins(4, 4, 4, 4);
    griglia->setSpacing(4);

    // Chart in the middle.
    Frame6 = new QGroupBox;
    Frame6->setObjectName(QStringLiteral("Frame6"));
    auto* l6 = new QVBoxLayout(Frame6);
    l6->setContentsMargins(2, 2, 2, 2);
    Picture1_ = new Picture1(*grafico_);
    Picture1_->setObjectName(QStringLiteral("Picture1"));
    l6->addWidget(Picture1_, 0, Qt::AlignLeft | Qt::AlignTop);
    griglia->addWidget(Frame6, 0, 1);

    // The off-screen copy of the chart used by printing and export.
    Picture2 = new QLabel(tab);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->hide();

    // Current-axis frames on the left, top to bottom.
    auto* sinistra = new QVBoxLayout;
    Frame_maxI = cornice(tr("Massimo I"), tr("Coordinate massimo asse Y"));
    {
        auto* g = griglia_di(Frame_maxI);
        campi_[int(Campo::max_current_X)] = campo_etichettato(g, 0, 0, tr("X="), "max_current_X");
        campi_[int(Campo::max_current_y)] = campo_etichettato(g, 1, 0, tr("Y="), "max_current_y");
        campi_[int(Campo::max_current_i)] = campo_etichettato(g, 2, 0, tr("I="), "max_current_i");
    }
    Frame5 = cornice(tr("Mouse"), tr("Posizione corrente asse Y"));
    {
        auto* g = griglia_di(Frame5);
        campi_[int(Campo::curr_Y)] = campo_etichettato(g, 0, 0, tr("Y="), "curr_Y");
        campi_[int(Campo::curr_i)] = campo_etichettato(g, 1, 0, tr("I="), "curr_i");
    }
    Frame_origine[0] = cornice(tr("Origine"), tr("Coordinate origine degli assi"));
    {
        auto* g = griglia_di(Frame_origine[0]);
        campi_[int(Campo::origin_Y)] = campo_etichettato(g, 0, 0, tr("Y="), "origin_Y");
    }
    sinistra->addWidget(Frame_maxI);
    sinistra->addWidget(Frame5);
    sinistra->addStretch(1);
    sinistra->addWidget(Frame_origine[0]);
    griglia->addLayout(sinistra, 0, 0);

    // Voltage-axis frames below the chart, left to right.
    auto* sotto = new QHBoxLayout;
    Frame_origine[1] = cornice(tr("Origine"));
    {
        auto* g = griglia_di(Frame_origine[1]);
        campi_[int(Campo::origin_X)] = campo_etichettato(g, 0, 0, tr("X="), "origin_X");
    }
    Frame8 = cornice(tr("Mouse"), tr("Posizione corrente asse X"));
    {
        auto* g = griglia_di(Frame8);
        campi_[int(Campo::curr_X)] = campo_etichettato(g, 0, 0, tr("X="), "curr_X");
        campi_[int(Campo::curr_v)] = campo_etichettato(g, 0, 1, tr("V="), "curr_v");
    }
    Frame_maxv = cornice(tr("Massimo V"), tr("Coordinate massimo asse X"));
    {
        auto* g = griglia_di(Frame_maxv);
        campi_[int(Campo::max_voltage_Y)] = campo_etichettato(g, 0, 0, tr("Y="), "max_voltage_Y");
        campi_[int(Campo::max_voltage_X)] = campo_etichettato(g, 0, 1, tr("X="), "max_voltage_X");
        campi_[int(Campo::max_voltage_V)] = campo_etichettato(g, 0, 2, tr("V="), "max_voltage_V");
    }
    sotto->addWidget(Frame_origine[1]);
    sotto->addWidget(Frame8);
    sotto->addStretch(1);
    sotto->addWidget(Frame_maxv);
    griglia->addLayout(sotto, 1, 1);

    // Calibration and mouse frames show values and take no input.
    for (QGroupBox* g : {Frame_maxI, Frame5, Frame_origine[0], Frame_origine[1], Frame8, Frame_maxv})
        g->setEnabled(false);

    // Engine frames on the right.
    auto* destra = new QVBoxLayout;
    auto* modi = new QButtonGroup(this);
    modi->setExclusive(true);

    Frame_retta = cornice(tr("Retta"));
    {
        auto* g = griglia_di(Frame_retta);
        legenda_retta = pulsante_legenda(QStringLiteral("legenda_retta"));
        g->addWidget(legenda_retta, 0, 0, 1, 4);
        campi_[int(Campo::start_y)] = campo_etichettato(g, 1, 0, tr("Y0="), "start_y");
        campi_[int(Campo::start_x)] = campo_etichettato(g, 1, 1, tr("X0="), "start_x");
        campi_[int(Campo::start_V)] = campo_etichettato(g, 2, 0, tr("V0="), "start_V");
        campi_[int(Campo::start_i)] = campo_etichettato(g, 2, 1, tr("I0="), "start_i");
        campi_[int(Campo::end_y)] = campo_etichettato(g, 3, 0, tr("Y1="), "end_y");
        campi_[int(Campo::end_x)] = campo_etichettato(g, 3, 1, tr("X1="), "end_x");
        campi_[int(Campo::end_v)] = campo_etichettato(g, 4, 0, tr("V1="), "end_v");
        campi_[int(Campo::end_i)] = campo_etichettato(g, 4, 1, tr("I1="), "end_i");
    }
    Frame_lavoro = cornice(tr("P.to di Lavoro"));
    {
        auto* g = griglia_di(Frame_lavoro);
        legenda_lavoro = pulsante_legenda(QStringLiteral("legenda_lavoro"));
        g->addWidget(legenda_lavoro, 0, 0, 1, 4);
        campi_[int(Campo::grid_y)] = campo_etichettato(g, 1, 0, tr("YG="), "grid_y");
        campi_[int(Campo::grid_x)] = campo_etichettato(g, 1, 1, tr("XG="), "grid_x");
        campi_[int(Campo::grid_v)] = campo_etichettato(g, 2, 0, tr("VA="), "grid_v");
        campi_[int(Campo::grid_i)] = campo_etichettato(g, 2, 1, tr("IA="), "grid_i");
        campi_[int(Campo::grid_bias)] = campo_etichettato(g, 3, 0, tr("Vb="), "grid_bias", true);
    }
    Frame_guadagno = cornice(tr("P.to Gain"));
    {
        auto* g = griglia_di(Frame_guadagno);
        legenda_guadagno = pulsante_legenda(QStringLiteral("legenda_guadagno"));
        g->addWidget(legenda_guadagno, 0, 0, 1, 4);
        campi_[int(Campo::gain_y)] = campo_etichettato(g, 1, 0, tr("Yu="), "gain_y");
        campi_[int(Campo::gain_x)] = campo_etichettato(g, 1, 1, tr("Xu="), "gain_x");
        campi_[int(Campo::gain_v)] = campo_etichettato(g, 2, 0, tr("Vu="), "gain_v");
        campi_[int(Campo::gain_i)] = campo_etichettato(g, 2, 1, tr("Iu="), "gain_i");
        campi_[int(Campo::gain_bias)] = campo_etichettato(g, 3, 0, tr("Vg="), "gain_bias", true);
    }
    for (QLineEdit* e : {campi_[int(Campo::grid_bias)], campi_[int(Campo::gain_bias)]}) {
        e->setStyleSheet(stile_campo_digitabile());
        e->setToolTip(tr("Inserire la Tensione di griglia del punto"));
    }
    modi->addButton(legenda_retta);
    modi->addButton(legenda_lavoro);
    modi->addButton(legenda_guadagno);
    legenda_retta->setChecked(true);

    Frame4 = cornice(tr("Componenti"), tr("Calcolo componenti"));
    {
        auto* g = griglia_di(Frame4);
        campi_[int(Campo::r_anodica)] = campo_etichettato(g, 0, 0, tr("R.Anodica="), "r_anodica", true);
        campi_[int(Campo::r_catodica)] = campo_etichettato(g, 1, 0, tr("R.Catodica="), "r_catodica");
        campi_[int(Campo::c_catodica)] = campo_etichettato(g, 2, 0, tr("C.Bypass="), "c_catodica");
        campi_[int(Campo::r_value)] = campo_etichettato(g, 3, 0, tr("R.Equiv.Tubo="), "r_value");
        campi_[int(Campo::gain_value)] = campo_etichettato(g, 4, 0, tr("Guadagno="), "gain_value");
        campi_[int(Campo::r_anodica)]->setStyleSheet(sfondo_bianco);
        campi_[int(Campo::r_anodica)]->setToolTip(tr("Per ricalcolare la retta, inserire il nuovo valore"));
        // Designers read a tube resistance as rp; this one is the DC ratio.
        campi_[int(Campo::r_value)]->setToolTip(tr("Va/Ia al punto di lavoro (non è la resistenza interna rp)"));
        for (Campo c : {Campo::r_anodica, Campo::r_catodica, Campo::c_catodica, Campo::r_value, Campo::gain_value})
            campi_[int(c)]->setMaximumWidth(120);
    }
    Frame_potenzamassima = cornice(tr("Potenza Massima"));
    {
        auto* g = griglia_di(Frame_potenzamassima);
        campi_[int(Campo::potenza_anodica)] = campo_etichettato(g, 0, 0, tr("PMax(mW)="), "potenza_anodica", true);
    }
    destra->addWidget(Frame_retta);
    destra->addWidget(Frame_lavoro);
    destra->addWidget(Frame_guadagno);
    destra->addWidget(Frame4);
    destra->addWidget(Frame_potenzamassima);
    destra->addStretch(1);
    griglia->addLayout(destra, 0, 2, 2, 1);

    // The mode icon that opens the schematic of the loaded tube's mode.
    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setToolTip(tr("Schema"));
    Image1->setPixmap(icona_schema());
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFixedSize(24, 24);
    Image1->setEnabled(false);
    griglia->addWidget(Image1, 1, 0, Qt::AlignCenter);

    campi_[int(Campo::riga_db)] = riga_db;
    return tab;
}

QWidget* KORVEL::crea_tab_informazioni()
{
    auto* tab = new QWidget;
    auto* l = new QVBoxLayout(tab);
    Frame1 = new QGroupBox;
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* g = new QGridLayout(Frame1);

    auto* titolo = new QLabel(tr("Dati Caratteristici"));
    QFont f = titolo->font();
    f.setBold(true);
    titolo->setFont(f);
    g->addWidget(titolo, 0, 0);

    grid_caratteristiche = new QTableWidget(0, 3);
    grid_caratteristiche->setObjectName(QStringLiteral("grid_caratteristiche"));
    grid_caratteristiche->horizontalHeader()->hide();
    grid_caratteristiche->verticalHeader()->hide();
    grid_caratteristiche->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_caratteristiche->setSelectionMode(QAbstractItemView::NoSelection);
    grid_caratteristiche->setFocusPolicy(Qt::NoFocus);
    grid_caratteristiche->setMinimumWidth(380);
    g->addWidget(grid_caratteristiche, 1, 0, 5, 1);

    auto etichetta = [](const QString& t) {
        auto* l = new QLabel(t);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    // The file names shown are read under the name itself, with what the
    // file is as description.
    auto nome_file = [](const QString& nome, const QString& didascalia) {
        auto* l = new QLabel;
        l->setObjectName(nome);
        lega_nome_al_testo(l, didascalia);
        l->setMinimumWidth(140);
        l->setFrameShape(QFrame::StyledPanel);
        return l;
    };
    nomefile_immagine = nome_file(QStringLiteral("nomefile_immagine"), QStringLiteral("Immagine File"));
    nomefile_piedinatura = nome_file(QStringLiteral("nomefile_piedinatura"), QStringLiteral("Piedinatura File"));
    nomefile_curva = nome_file(QStringLiteral("nomefile_curva"), QStringLiteral("Curva File"));

    immagine_tubo = new QLabel;
    immagine_tubo->setObjectName(QStringLiteral("immagine_tubo"));
    immagine_tubo->setScaledContents(true);
    immagine_tubo->setFrameShape(QFrame::Box);
    immagine_tubo->setFixedSize(120, altezza_immagine_tubo);
    piedinatura_valvola = new QLabel;
    piedinatura_valvola->setObjectName(QStringLiteral("piedinatura_valvola"));
    piedinatura_valvola->setScaledContents(true);
    piedinatura_valvola->setFrameShape(QFrame::Box);
    piedinatura_valvola->setFixedSize(200, 200);

    g->addWidget(etichetta(tr("Immagine File:")), 1, 1);
    g->addWidget(nomefile_immagine, 1, 2);
    g->addWidget(immagine_tubo, 2, 1, 1, 2, Qt::AlignLeft | Qt::AlignTop);
    g->addWidget(etichetta(tr("Piedinatura File:")), 3, 1);
    g->addWidget(nomefile_piedinatura, 3, 2);
    g->addWidget(piedinatura_valvola, 4, 1, 1, 2, Qt::AlignLeft | Qt::AlignTop);
    g->addWidget(etichetta(tr("Curva File:")), 5, 1);
    g->addWidget(nomefile_curva, 5, 2);
    g->setColumnStretch(3, 1);
    g->setRowStretch(6, 1);
    l->addWidget(Frame1);
    return tab;
}

QWidget* KORVEL::crea_tab_archivio()
{
    auto* tab = new QWidget;
    auto* l = new QVBoxLayout(tab);
    Frame3 = new QGroupBox;
    Frame3->setObjectName(QStringLiteral("Frame3"));
    auto* l3 = new QVBoxLayout(Frame3);
    modello_lista_ = new ModelloListaValvole(this);
    griglia_DB = new GrigliaDB(modello_lista_);
    griglia_DB->setObjectName(QStringLiteral("griglia_DB"));
    l3->addWidget(griglia_DB);
    l->addWidget(Frame3);

    Timer_settab = new QTimer(this);
    Timer_settab->setObjectName(QStringLiteral("Timer_settab"));
    Timer_settab->setInterval(0);
    return tab;
}
