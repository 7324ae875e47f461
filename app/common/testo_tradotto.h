#pragma once

// A fixed text of the program kept as a constant of its subsystem: the
// Italian source with its catalogue context, translated each time it is
// read, so that a constant made before the catalogue is installed still
// reads in the language of the start. The text goes in QT_TRANSLATE_NOOP,
// with the same context, so that lupdate finds it:
//
//   inline constexpr TestoTradotto testo_x{"Contesto", QT_TRANSLATE_NOOP("Contesto", "Testo")};

#include <QCoreApplication>
#include <QString>

struct TestoTradotto {
    const char* contesto;
    const char* sorgente;

    QString testo() const { return QCoreApplication::translate(contesto, sorgente); }
    operator QString() const { return testo(); }
};
