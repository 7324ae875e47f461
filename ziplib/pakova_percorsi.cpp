#include "pakova_interno.h"

#include <climits>
#include <ctime>
#include <string>
#include <vector>

#include <unistd.h>

namespace pakova_interno {

namespace {

std::vector<std::string> componenti(const std::string& p)
{
    std::vector<std::string> parti;
    size_t i = 0;
    while (i <= p.size()) {
        size_t j = p.find('/', i);
        if (j == std::string::npos)
            j = p.size();
        parti.push_back(p.substr(i, j - i));
        i = j + 1;
    }
    return parti;
}

// The components of a relative path, without the empty and "." ones; false
// for an absolute or empty path, for one holding a ".." component and for one
// left with no component at all.
bool componenti_relative(const std::string& percorso, std::vector<std::string>& parti)
{
    if (percorso.empty() || percorso[0] == '/')
        return false;
    parti.clear();
    for (const std::string& c : componenti(percorso)) {
        if (c.empty() || c == ".")
            continue;
        if (c == "..")
            return false;
        parti.push_back(c);
    }
    return !parti.empty();
}

} // namespace

// ---------------------------------------------------------------- paths

bool inizia_con(const std::string& testo, const std::string& prefisso)
{
    return testo.size() >= prefisso.size() && testo.compare(0, prefisso.size(), prefisso) == 0;
}

// The path made absolute against the current folder; false when it is empty
// or the current folder cannot be read.
bool percorso_completo(const char* percorso, std::string& completo)
{
    if (!percorso || !*percorso)
        return false;
    if (percorso[0] == '/') {
        completo = percorso;
        return true;
    }
    std::vector<char> cwd(PATH_MAX + 1);
    if (!getcwd(cwd.data(), cwd.size()))
        return false;
    completo = cwd.data();
    if (completo.empty() || completo.back() != '/')
        completo += '/';
    completo += percorso;
    return true;
}

// Drops final separators, keeping a lone "/".
std::string senza_separatore_finale(std::string p)
{
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    return p;
}

// Turns a relative path into an entry name: empty and "." components go, a
// ".." component refuses the whole name, since an archive holding it would
// write outside the folder it is unpacked into. Names holding "\" are refused
// as well: every reader of ours takes "\" for a separator, so such a name
// would come back as a different path.
bool nome_voce_sicuro(const std::string& percorso, std::string& nome)
{
    if (percorso.find('\\') != std::string::npos)
        return false;
    std::vector<std::string> parti;
    if (!componenti_relative(percorso, parti))
        return false;
    nome.clear();
    for (const std::string& c : parti) {
        if (!nome.empty())
            nome += '/';
        nome += c;
    }
    return nome.size() < lunghezza_nome_massima;
}

// The entry name of a path for the writer: an absolute path must begin with
// the root folder, which is then dropped from it; a relative one is taken as
// it is.
bool nome_voce_sotto_radice(const std::string& percorso, const std::string& radice, std::string& nome)
{
    if (!percorso.empty() && percorso[0] == '/') {
        if (radice.empty() || !inizia_con(percorso, radice))
            return false;
        return nome_voce_sicuro(percorso.substr(radice.size()), nome);
    }
    return nome_voce_sicuro(percorso, nome);
}

// Splits an entry name into the folders and file it makes below OutFolder.
// Absolute names, ".." components and names with a NUL byte are refused: they
// would write outside OutFolder or somewhere other than the name shows.
bool componenti_sicure(const std::string& nome, std::vector<std::string>& parti)
{
    if (nome.find('\0') != std::string::npos)
        return false;
    return componenti_relative(nome, parti);
}

bool utf8_non_ascii(const std::string& s)
{
    bool non_ascii = false;
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        non_ascii = true;
        size_t n = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 0;
        if (n == 0 || c == 0xC0 || c == 0xC1 || i + n >= s.size())
            return false;
        for (size_t k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += n + 1;
    }
    return non_ascii;
}

// ---------------------------------------------------------------- times

// MS-DOS date and time of a moment in local time, held to the range the
// format can express (1980 to 2107).
unsigned long data_dos(time_t t)
{
    struct tm tm {};
    if (!localtime_r(&t, &tm))
        return (1UL << 21) | (1UL << 16);
    int anno = tm.tm_year + 1900;
    if (anno < 1980)
        return (1UL << 21) | (1UL << 16); // 1980-01-01 00:00:00
    if (anno > 2107)
        return (127UL << 25) | (12UL << 21) | (31UL << 16) | (23UL << 11) | (59UL << 5) | 29UL;
    return (static_cast<unsigned long>(anno - 1980) << 25) | (static_cast<unsigned long>(tm.tm_mon + 1) << 21) |
           (static_cast<unsigned long>(tm.tm_mday) << 16) | (static_cast<unsigned long>(tm.tm_hour) << 11) |
           (static_cast<unsigned long>(tm.tm_min) << 5) | (static_cast<unsigned long>(tm.tm_sec) / 2);
}

// The moment an MS-DOS date and time names in local time; false when mktime
// cannot express it.
bool momento_da_data_dos(unsigned long d, time_t& t)
{
    struct tm tm {};
    tm.tm_year = static_cast<int>((d >> 25) & 0x7F) + 80;
    tm.tm_mon = static_cast<int>((d >> 21) & 0x0F) - 1;
    tm.tm_mday = static_cast<int>((d >> 16) & 0x1F);
    tm.tm_hour = static_cast<int>((d >> 11) & 0x1F);
    tm.tm_min = static_cast<int>((d >> 5) & 0x3F);
    tm.tm_sec = static_cast<int>(d & 0x1F) * 2;
    tm.tm_isdst = -1;
    t = mktime(&tm);
    return t != static_cast<time_t>(-1);
}

} // namespace pakova_interno
