#pragma once

#include <QMainWindow>

class KORVEL : public QMainWindow {
    Q_OBJECT
public:
    explicit KORVEL(QWidget* parent = nullptr) : QMainWindow(parent) {}
    void KORVEL_Form_Load() { show(); }
};
