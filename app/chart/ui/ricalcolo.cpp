#include "chart/ui/ricalcolo.h"

#include "chart/stato_grafico.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* campo(QGridLayout* griglia, int riga, const QString& etichetta, QWidget* genitore)
{
    auto* testo = new QLineEdit(genitore);
    griglia->addWidget(new QLabel(etichetta, genitore), riga, 0, Qt::AlignRight);
    griglia->addWidget(testo, riga, 1);
    return testo;
}

} // namespace

Ricalcolo::Ricalcolo(StatoGrafico& stato, QWidget* parent) : QDialog(parent), stato_(stato)
{
    setObjectName(QStringLiteral("Ricalcolo"));
    setWindowTitle(tr("Parametri ricalcolo"));
    setModal(true);

    auto* anodica = new QGroupBox(tr("Parametri  Anodica"), this);
    anodica->setObjectName(QStringLiteral("Frame_retta"));
    auto* griglia_anodica = new QGridLayout(anodica);
    end_V = campo(griglia_anodica, 0, tr("VA="), anodica);
    end_i = campo(griglia_anodica, 1, tr("IA="), anodica);
    end_V->setObjectName(QStringLiteral("end_V"));
    end_i->setObjectName(QStringLiteral("end_i"));
    end_V->setReadOnly(true);
    end_i->setReadOnly(true);

    auto* componenti = new QGroupBox(tr("Componenti"), this);
    componenti->setObjectName(QStringLiteral("Frame4"));
    componenti->setToolTip(tr("Calcolo componenti"));
    auto* griglia_componenti = new QGridLayout(componenti);
    r_anodica = campo(griglia_componenti, 0, tr("R.Anodica="), componenti);
    r_dinamica = campo(griglia_componenti, 1, tr("R.Dinamica="), componenti);
    r_anodica->setObjectName(QStringLiteral("r_anodica"));
    r_dinamica->setObjectName(QStringLiteral("r_dinamica"));
    r_anodica->setStyleSheet(QStringLiteral("QLineEdit { background: white; }"));
    r_anodica->setToolTip(tr("Per ricalcolare la retta, inserire il nuovo valore"));

    // "47k" stands for 47000 here as in the main window's plate resistor.
    for (QLineEdit* resistenza : {r_anodica, r_dinamica}) {
        connect(resistenza, &QLineEdit::textChanged, this, [resistenza](const QString& testo) {
            if (!testo.isEmpty() && testo.back().toUpper() == u'K')
                resistenza->setText(testo.chopped(1) + QStringLiteral("000"));
        });
    }

    exec_calc = new QPushButton(tr("Ricalcola"), this);
    exec_calc->setObjectName(QStringLiteral("exec_calc"));
    exec_calc->setDefault(true);
    Annulla = new QPushButton(tr("Annulla"), this);
    Annulla->setObjectName(QStringLiteral("Annulla"));
    connect(exec_calc, &QPushButton::clicked, this, &Ricalcolo::exec_calc_Click);
    connect(Annulla, &QPushButton::clicked, this, &Ricalcolo::Annulla_Click);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(exec_calc);
    pulsanti->addWidget(Annulla);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(anodica);
    layout->addWidget(componenti);
    layout->addLayout(pulsanti);

    Ricalcolo_Form_Load();
    // The plate resistor is what the user came to change.
    r_anodica->setFocus();
    r_anodica->selectAll();
}

void Ricalcolo::Ricalcolo_Form_Load()
{
    stato_.ricalcolo_confermato = false;
    end_V->setText(stato_.ricalcolo_end_v);
    end_i->setText(stato_.ricalcolo_end_i);
    r_anodica->setText(stato_.ricalcolo_r_anodica);
    r_dinamica->setText(stato_.ricalcolo_r_dinamica);
}

void Ricalcolo::exec_calc_Click()
{
    stato_.ricalcolo_end_v = end_V->text();
    stato_.ricalcolo_end_i = end_i->text();
    stato_.ricalcolo_r_anodica = r_anodica->text();
    stato_.ricalcolo_r_dinamica = r_dinamica->text();
    stato_.ricalcolo_confermato = true;
    accept();
}

void Ricalcolo::Annulla_Click()
{
    reject();
}
