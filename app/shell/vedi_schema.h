#pragma once

#include <QDialog>
#include <QString>

class QLabel;

// The stage schematic of a tube's mode, opened from the mode icon of the main
// window; not modal. A picture that cannot be read leaves the window empty.
class Vedi_Schema : public QDialog {
    Q_OBJECT
public:
    // immagine: full path of the schematic picture.
    Vedi_Schema(const QString& modo_schema, const QString& immagine, QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
};
