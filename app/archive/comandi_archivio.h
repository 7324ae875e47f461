#pragma once

class Piattaforma;

// "Crea Archivio ZIP": packs the data folder into an archive the user picks.
void crea_archivio_zip(Piattaforma& piattaforma);

// Unpacks an archive the user picks into the program folder. Reports nothing.
void importazione_archivio(Piattaforma& piattaforma);
