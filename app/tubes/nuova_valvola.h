#pragma once

// A new tube as the new-tube window holds it, in plain data: the storage
// file names derived from its designation and mode, the checks made before
// saving and the record inserted into the tube table.

#include "common/testo_tradotto.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <array>
#include <optional>

namespace nuova_valvola {

// Messages of the save, first the five checks in their order.
inline constexpr TestoTradotto testo_nome_assente{"nuova_valvola",
                                                  QT_TRANSLATE_NOOP("nuova_valvola", "Nome Valvola assente")};
inline constexpr TestoTradotto testo_curva_assente{"nuova_valvola",
                                                   QT_TRANSLATE_NOOP("nuova_valvola", "Curva Assente")};
inline constexpr TestoTradotto testo_corrente_assente{"nuova_valvola",
                                                      QT_TRANSLATE_NOOP("nuova_valvola", "Corrente Massima Assente")};
inline constexpr TestoTradotto testo_tensione_assente{"nuova_valvola",
                                                      QT_TRANSLATE_NOOP("nuova_valvola", "Tensione Massima Assente")};
inline constexpr TestoTradotto testo_origine_assente{"nuova_valvola",
                                                     QT_TRANSLATE_NOOP("nuova_valvola", "Origine Assente")};
inline constexpr TestoTradotto testo_inserita{"nuova_valvola",
                                              QT_TRANSLATE_NOOP("nuova_valvola", "Valvola inserita nel DB")};
inline constexpr TestoTradotto testo_errore{"nuova_valvola",
                                            QT_TRANSLATE_NOOP("nuova_valvola", "Errore inserimento Valvola nel DB")};
inline constexpr TestoTradotto testo_nome_non_valido{
    "nuova_valvola",
    QT_TRANSLATE_NOOP("nuova_valvola",
                      "Nome Valvola non valido per un nome di file: non deve contenere \"/\", \"\\\" o caratteri "
                      "di controllo, né essere \".\" o \"..\"")};

// The storage names of the three pictures (no folder).
struct NomiFile {
    QString curva, immagine, piedinatura;
};

// The designation that names the files: the American one, else the European.
QString nome_base(const QString& sigla_usa, const QString& sigla_euro);

// The names for a base name and a mode index (0 to 6, -1 for none): curves
// "crv.gif", "trio.gif", "pent.gif" or "ultr.gif" by mode, photo ".jpg",
// pin-out "pin.gif". All empty when the base name is empty.
NomiFile nomi_file(const QString& base, int modo);

// False when the base name would place a file outside its data folder or
// give it an unusable name: "/" or "\" in it, "." or ".." as the whole
// name, control characters.
bool nome_sicuro(const QString& base);

// Everything of the window a save reads, as the texts of its fields.
struct Voce {
    QString sigla_usa, sigla_euro;
    QString modo; // the mode name shown
    NomiFile nomi;
    QString orig_curve, orig_immagine, orig_piedinatura;
    QString max_current_X, max_current_y, max_current_i;
    QString max_voltage_X, max_voltage_Y, max_voltage_V;
    QString origin_X, origin_Y;
    QString potenza_anodica;
    std::array<QString, 10> valori;
};

// The first of the five checks that fails, as its message; empty when all
// pass. A number here is the leading number of the text, "." decimals.
QString controlla(const Voce& v);

// The columns of the insert, in the order of its values.
const QStringList& colonne_record();

// The 27 values of the record in that order: names and files as typed, the
// eight calibration texts as 16-bit whole numbers read with the locale's
// rules (halves to even), the dissipation as a 32-bit whole number, the
// ratings with "," turned into ".", and last the maximum voltage and current
// as typed, unrounded. Empty when a calibration text is not a number or does
// not fit.
std::optional<QVariantList> valori_record(const Voce& v);

// The message that refuses a new tube whose curve picture would replace the
// one of `valvola` (its designation and mode), a tube already in the table.
inline QString testo_valvola_esistente(const QString& valvola)
{
    return QStringLiteral("Esiste già una valvola %1 nel DB: scegliere un'altra sigla").arg(valvola);
}

// The tube of the table whose curve picture is stored as `curva`: its
// American designation (else the European one) and its mode, as
// "12AX7 TRIODO". Nothing when no record names that file or the table
// cannot be read.
std::optional<QString> valvola_con_curva(const QString& file_basedati, const QString& curva);

// Inserts the record into the tube table of `file_basedati`, its values
// bound as parameters, first adding the exact-value columns to a table from
// before them. False when the database cannot be opened or upgraded, a value
// cannot be converted or the statement is refused.
bool inserisci(const QString& file_basedati, const Voce& v);

} // namespace nuova_valvola
