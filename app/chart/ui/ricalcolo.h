#pragma once

// "Parametri ricalcolo": asks for the plate resistor of the new load line
// and, optionally, a second (dynamic) resistance. The values travel through
// the chart state: the four texts in, the two resistances and the
// confirmation out.

#include <QDialog>

class QLineEdit;
class QPushButton;
struct StatoGrafico;

class Ricalcolo : public QDialog {
    Q_OBJECT
public:
    Ricalcolo(StatoGrafico& stato, QWidget* parent = nullptr);

    QLineEdit* end_V = nullptr;
    QLineEdit* end_i = nullptr;
    QLineEdit* r_anodica = nullptr;
    QLineEdit* r_dinamica = nullptr;
    QPushButton* exec_calc = nullptr;
    QPushButton* Annulla = nullptr;

    void Ricalcolo_Form_Load();
    void exec_calc_Click();
    void Annulla_Click();

private:
    StatoGrafico& stato_;
};
