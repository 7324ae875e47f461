#pragma once

#include <QString>

#include <functional>

class Piattaforma;

// Starts a program with its own window and returns at once without waiting
// for it; false when it could not be started.
using AvvioProgramma = std::function<bool(const QString& programma)>;
bool avvio_staccato(const QString& programma);

// Velmora, the archive loader: prepares a fresh installation in the program
// folder. Imports the data folder of "DatiValvole.zip" there when it is
// missing (importa_cartella_dati: nothing else of the archive is taken, and
// "Base dati Caricata" is said only when the import succeeded),
// then checks that the tube database opens; when it does not, offers to start
// the database-access installer "MDAC_TYP.EXE" of the program folder. Talks to
// the user only through message boxes.
void velmora(Piattaforma& piattaforma, const QString& cartella_programma, const AvvioProgramma& avvia = avvio_staccato);
