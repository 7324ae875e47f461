#pragma once

#include "model/modello_valvola.h"

#include <QString>

#include <optional>

// The fitted models of the tubes, kept in the table ModelliValvole of the tube
// database and keyed by the tube's ID. TabellaValvole never changes: the table
// of models is created beside it the first time a model is saved, so an older
// database works unchanged and the zip commands carry the models along.
namespace archivio_modelli {

// The model of tube `id`, or none (no table yet, no row, an unreadable file or
// a row whose numbers do not make a usable model).
std::optional<modello::ModelloSalvato> leggi_modello(const QString& file_basedati, int id);

// Whether tube `id` has a model.
bool ha_modello(const QString& file_basedati, int id);

// Stores the model of tube `id`, replacing any earlier one. Creates the table
// when missing. False, with the reason in `errore`, on any failure.
bool salva_modello(const QString& file_basedati, int id, const modello::ModelloSalvato& m, QString* errore = nullptr);

// Creates ModelliValvole when missing (the demo generator and the save use it).
bool crea_tabella(const QString& file_basedati, QString* errore = nullptr);

} // namespace archivio_modelli
