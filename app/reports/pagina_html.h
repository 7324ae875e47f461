#pragma once

// The HTML page of a project: a template whose markers are replaced by the
// report's values, written beside a figure folder holding the diagram and,
// for the full page, copies of the tube's photo and pin-out picture.

#include "reports/dati_report.h"

#include <QByteArray>
#include <QString>

namespace pagina_html {

// The markers, in the order they are replaced.
inline constexpr const char* FIG1 = "<!--VORAN:FIG1-->";
inline constexpr const char* FIG2 = "<!--VORAN:FIG2-->";
inline constexpr const char* FIG3 = "<!--VORAN:FIG3-->";
inline constexpr const char* TIT = "<!--VORAN:TIT-->";
inline constexpr const char* GAIN = "<!--VORAN:GAIN-->";
inline constexpr const char* ANOD = "<!--VORAN:ANOD-->";
inline constexpr const char* TUBO = "<!--VORAN:TUBO-->";
inline constexpr const char* CATOD = "<!--VORAN:CATOD-->";
inline constexpr const char* CAPC = "<!--VORAN:CAPC-->";
// The tube's designations, so the page names the tube it was designed on;
// replaced last.
inline constexpr const char* VALVOLA = "<!--VORAN:VALVOLA-->";

// Where the figures of a page go: a folder beside the page named after the
// page's file name upper-cased with every ".HTM" removed (report.htm gives
// REPORT, report.html gives REPORTL). `percorso` ends with "/"; `nome` is
// how the page refers to it. A page name that leaves no usable folder name
// ("" or a name made of dots) puts the figures beside the page itself.
struct CartellaFigure {
    QString percorso;
    QString nome;
};
CartellaFigure cartella_figure(const QString& pagina);

// A text as it goes into the page: HTML special characters escaped, one
// byte per character in Windows-1252, characters outside the code page as
// numeric references.
QByteArray testo_html(const QString& testo);

// Which pictures the full page shows; a picture that cannot be read is
// neither copied nor referred to.
struct Figure {
    bool foto = false;
    bool piedinatura = false;
};
Figure figure_leggibili(const DatiReport& dati);

// The template for the page in a language: beside the configured one, the
// same name with "_<code>" before its extension ("SchemaCompleto_en.tml"),
// when such a file exists; else the configured template itself, so a
// user's own template keeps working in every language. Italian always
// takes the configured file.
QString modello_nella_lingua(const QString& modello, const QString& codice_lingua);

// The template with its markers replaced. The diagram page (completa false)
// leaves FIG2 and FIG3 as they are; the full page gets the report's sections
// after the template's content, before the end of its body.
QByteArray compila_pagina(const QByteArray& modello, const DatiReport& dati, const QString& nome_cartella,
                          bool completa, const Figure& figure);

// Writes the page, the figure folder and the diagram as "Figura1.jpg" (for
// the full page also "Figura2"/"Figura3" with the pictures' extensions, and
// the sections' pictures as PNG files under their own fixed names).
// Failing steps are skipped; false only when the diagram image could not be
// written, in which case no copies are made.
bool scrivi_pagina_html(const QString& pagina, const QByteArray& modello, const DatiReport& dati, bool completa);

// A browser window size from its setting: the leading number rounded when
// it is greater than 0, else the given default.
int dimensione_browser(const QString& impostazione, int predefinito);

} // namespace pagina_html
