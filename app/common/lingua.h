#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The language the program speaks. Italian is the language of the texts in
// the code; English comes from the catalogue korvel_en.qm in the program
// folder. Numbers, file names, the database and the project file are the
// same in both: only what the user reads changes.
enum class Lingua { italiano, inglese };

// The language for a list of interface languages as the system locale gives
// them, most wanted first ("it-IT", "en", "C"). Italian when the first is
// Italian or when there is no real locale (empty, C, POSIX); English for any
// other language.
Lingua lingua_per_locale(const QStringList& lingue_interfaccia);
// The same for the user's locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
Lingua lingua_del_sistema();

// The user's choice from "Lingua", kept in the per-user configuration
// ($XDG_CONFIG_HOME/korvel/korvel.ini), never in the program folder.
std::optional<Lingua> lingua_scelta();
void salva_lingua_scelta(Lingua lingua);
// The language of this start: the stored choice, else the locale's.
Lingua lingua_di_avvio();

// "it" or "en": the suffix of the catalogues.
QString codice_lingua(Lingua lingua);

// Installs the program's catalogue (from `cartella_programma`) and Qt's own
// (qtbase_it / qtbase_en, from Qt's translations folder) into the running
// application, and makes `lingua` the current language. A missing catalogue
// leaves its texts in Italian (the program's) or in Qt's English; the
// program still starts.
void installa_traduzioni(Lingua lingua, const QString& cartella_programma);
// The language installed last (Italian before any).
Lingua lingua_corrente();

// One text of the program's catalogue in a language that is not necessarily
// the current one (the notice that the new language applies at the next
// start speaks the language chosen).
QString traduci_in(Lingua lingua, const QString& cartella_programma, const char* contesto, const char* testo);
