#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// "About Kor_Vel": what the program is and its version. It closes itself
// after a while, or at once on "OK". Shown modally by its callers.
class About : public QDialog {
    Q_OBJECT
public:
    static constexpr int intervallo_predefinito_ms = 10000;

    // The interval is a parameter so that a test need not wait ten seconds.
    explicit About(QWidget* parent = nullptr, int intervallo_ms = intervallo_predefinito_ms);

    // The five lines of the window's text, one line break between them.
    static QString testo();

    QPlainTextEdit* about_testo = nullptr;
    QPushButton* conferma = nullptr;
    QTimer* Timer1 = nullptr;
    QLabel* Image1 = nullptr;

private:
    void chiudi();
};
