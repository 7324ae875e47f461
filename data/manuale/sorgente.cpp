#include "sorgente.h"

#include <sstream>

namespace manuale {

namespace {

std::string senza_spazi_ai_lati(const std::string& s)
{
    const auto a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos)
        return {};
    const auto b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

bool inizia(const std::string& s, const char* prefisso)
{
    return s.rfind(prefisso, 0) == 0;
}

} // namespace

std::string sostituisci(const std::string& testo, const std::map<std::string, std::string>& valori, std::string& errore)
{
    std::string out;
    out.reserve(testo.size());
    std::size_t i = 0;
    while (i < testo.size()) {
        const char c = testo[i];
        if (c != '{') {
            out.push_back(c);
            ++i;
            continue;
        }
        const auto fine = testo.find('}', i);
        if (fine == std::string::npos) {
            errore = "graffa non chiusa";
            return {};
        }
        const std::string nome = testo.substr(i + 1, fine - i - 1);
        const auto v = valori.find(nome);
        if (v == valori.end()) {
            errore = "valore sconosciuto {" + nome + "}";
            return {};
        }
        out += v->second;
        i = fine + 1;
    }
    return out;
}

std::vector<Blocco> leggi_blocchi(const std::string& testo, std::string& errore)
{
    std::vector<Blocco> blocchi;
    // The paragraph or bullet item being collected, if any.
    bool aperto = false;
    auto chiudi = [&] { aperto = false; };
    auto continua = [&](const std::string& riga) {
        std::string& t = blocchi.back().testo;
        if (!t.empty())
            t.push_back(' ');
        t += riga;
    };

    std::istringstream in(testo);
    std::string grezza;
    int numero = 0;
    while (std::getline(in, grezza)) {
        ++numero;
        const std::string riga = senza_spazi_ai_lati(grezza);
        if (inizia(riga, "%"))
            continue;
        if (riga.empty()) {
            chiudi();
            continue;
        }
        if (inizia(riga, "## ")) {
            chiudi();
            blocchi.push_back({Tipo::sezione, senza_spazi_ai_lati(riga.substr(3)), {}});
        } else if (inizia(riga, "# ")) {
            chiudi();
            blocchi.push_back({Tipo::capitolo, senza_spazi_ai_lati(riga.substr(2)), {}});
        } else if (inizia(riga, "- ")) {
            blocchi.push_back({Tipo::punto, senza_spazi_ai_lati(riga.substr(2)), {}});
            aperto = true;
        } else if (inizia(riga, "= ")) {
            chiudi();
            blocchi.push_back({Tipo::formula, senza_spazi_ai_lati(riga.substr(2)), {}});
        } else if (inizia(riga, "@pagina")) {
            chiudi();
            blocchi.push_back({Tipo::pagina, {}, {}});
        } else if (inizia(riga, "@figura ")) {
            chiudi();
            const std::string resto = riga.substr(8);
            const auto barra = resto.find('|');
            if (barra == std::string::npos) {
                errore = "riga " + std::to_string(numero) + ": figura senza didascalia";
                return {};
            }
            blocchi.push_back({Tipo::figura, senza_spazi_ai_lati(resto.substr(barra + 1)),
                               senza_spazi_ai_lati(resto.substr(0, barra))});
        } else if (inizia(riga, "@")) {
            errore = "riga " + std::to_string(numero) + ": comando sconosciuto " + riga;
            return {};
        } else if (aperto) {
            continua(riga);
        } else {
            blocchi.push_back({Tipo::paragrafo, riga, {}});
            aperto = true;
        }
    }
    return blocchi;
}

} // namespace manuale
