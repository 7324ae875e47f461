#pragma once

// What a report shows, gathered from the window before any output is made:
// the outputs (PDF page, HTML page, image file, printed page) are drawn from
// this data alone, so each can be checked without a window.

#include "reports/sezioni_report.h"

#include <QImage>
#include <QString>

#include <array>

struct DatiReport {
    // The title typed by the user (empty when the input box was cancelled).
    QString titolo;
    // American designation, European designation, mode: as the top strip
    // of the main window holds them (nome_valvola 0, 1, 2).
    std::array<QString, 3> nome_valvola;

    // The value fields, as shown.
    QString gain_value, r_value, r_anodica, r_catodica, c_catodica;
    // The working point (printed page only).
    QString grid_v, grid_i, grid_bias;

    // The chart area as it shows: the curve picture with every drawing over
    // it, at the chart area's size.
    QImage grafico;

    // The tube's photo and pin-out picture files (empty when the tube has
    // none) and the last four characters of their names.
    QString file_foto, estensione_foto;
    QString file_piedinatura, estensione_piedinatura;

    // The printed page draws the pictures as the window shows them: the
    // photo and pin-out frames and the ratings grid rendered as a picture.
    QImage foto_mostrata, piedinatura_mostrata, griglia_caratteristiche;

    // What follows the load-line page (the model, the stage response); empty
    // for a tube without a stored model, and then the report is that page
    // alone, as it always was.
    std::vector<SezioneReport> sezioni;
};

// The designations of the tube line: the non-empty ones among the American
// designation, the European one and the mode, joined by "," with no blanks.
QString testo_designazioni(const std::array<QString, 3>& nome_valvola);
