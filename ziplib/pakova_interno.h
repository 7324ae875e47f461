#pragma once

// What the writer and the reader of Pakova share: the format's limits and
// attribute bits, the path and entry-name checks, and the MS-DOS times. None
// of it is visible outside the library.

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

namespace pakova_interno {

// Files are read and entries extracted in blocks of this size.
inline constexpr size_t blocco = 2048;

// The zip format keeps name lengths in 16 bits; minizip would silently cut a
// longer length and write a broken archive.
inline constexpr size_t lunghezza_nome_massima = 0xFFFF;

// MS-DOS attribute bits kept in the low byte of the external attributes.
inline constexpr unsigned long attributo_sola_lettura = 0x01;
inline constexpr unsigned long attributo_cartella = 0x10;

// Paths and entry names (pakova_percorsi.cpp).
bool inizia_con(const std::string& testo, const std::string& prefisso);
bool percorso_completo(const char* percorso, std::string& completo);
std::string senza_separatore_finale(std::string p);
bool nome_voce_sicuro(const std::string& percorso, std::string& nome);
bool nome_voce_sotto_radice(const std::string& percorso, const std::string& radice, std::string& nome);
bool componenti_sicure(const std::string& nome, std::vector<std::string>& parti);
bool utf8_non_ascii(const std::string& s);

// MS-DOS dates and times (pakova_percorsi.cpp).
unsigned long data_dos(time_t t);
bool momento_da_data_dos(unsigned long d, time_t& t);

} // namespace pakova_interno
