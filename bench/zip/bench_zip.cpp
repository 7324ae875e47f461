// Packs and unpacks a data folder of about 50 MB with Pakova and with Info-ZIP
// (zip -r -6, unzip) in the same run and prints the times and their ratios.
// The folder is generated here at run time: a few hundred files in nested
// folders, half text-like (compressible), half random (incompressible).
//
//   bench_zip [MB]     (default 50)

#include "pakova.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using orologio = std::chrono::steady_clock;

double misura(const std::function<bool()>& lavoro, bool& ok)
{
    const auto t0 = orologio::now();
    ok = lavoro() && ok;
    return std::chrono::duration<double>(orologio::now() - t0).count();
}

bool scrivi(const std::string& percorso, const std::string& dati)
{
    FILE* f = std::fopen(percorso.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(dati.data(), 1, dati.size(), f) == dati.size();
    return std::fclose(f) == 0 && ok;
}

bool shell(const std::string& comando)
{
    return std::system(comando.c_str()) == 0;
}

// Text in the style of the tube data: words, numbers and line breaks.
std::string testo(std::mt19937& g, size_t n)
{
    static const char* parole[] = {"anodo", "griglia", "catodo", "placca", "tensione", "corrente", "ECC83",
                                   "EL34",  "6L6GC",   "KT88",   "12AX7",  "pentodo",  "triodo",   "mA",
                                   "V",     "ohm",     "retta",  "carico", "guadagno", "potenza"};
    std::string s;
    s.reserve(n + 32);
    while (s.size() < n) {
        s += parole[g() % 20];
        s += ' ';
        s += std::to_string(g() % 1000);
        s += (g() % 8 == 0) ? '\n' : ' ';
    }
    s.resize(n);
    return s;
}

std::string casuale(std::mt19937& g, size_t n)
{
    std::string s(n, '\0');
    for (size_t i = 0; i + 4 <= n; i += 4) {
        uint32_t v = g();
        s[i] = static_cast<char>(v);
        s[i + 1] = static_cast<char>(v >> 8);
        s[i + 2] = static_cast<char>(v >> 16);
        s[i + 3] = static_cast<char>(v >> 24);
    }
    return s;
}

bool genera(const std::string& dati, size_t totale)
{
    std::mt19937 g(12345);
    std::vector<std::string> cartelle = {dati};
    for (const char* c : {"Curve", "Immagini", "Piedinature", "Manuale"}) {
        cartelle.push_back(dati + "/" + c);
        for (int k = 0; k < 3; ++k)
            cartelle.push_back(dati + "/" + c + "/serie" + std::to_string(k));
    }
    for (const std::string& c : cartelle)
        if (mkdir(c.c_str(), 0755) != 0)
            return false;
    size_t scritto = 0;
    for (int i = 0; scritto < totale; ++i) {
        size_t n = 20000 + g() % 320000;
        std::string nome = cartelle[i % cartelle.size()] + "/file" + std::to_string(i);
        bool comprimibile = i % 2 == 0;
        if (!scrivi(nome + (comprimibile ? ".txt" : ".bin"), comprimibile ? testo(g, n) : casuale(g, n)))
            return false;
        scritto += n;
    }
    return true;
}

bool estrai_con_pakova(const std::string& archivio, const std::string& uscita)
{
    if (UnZipOpen(archivio.c_str()) <= 0)
        return false;
    bool ok = UnZipOutDir(uscita.c_str()) == 1 && UnZipGotoFirst() == 1;
    if (ok) {
        do {
            ok = UnZipInflate() >= 0 && ok;
        } while (UnZipGotoNext() == 1);
    }
    return UnZipClose() == 1 && ok;
}

} // namespace

int main(int argc, char** argv)
{
    const size_t mb = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 50;
    char modello[] = "/tmp/bench_zip.XXXXXX";
    if (!mkdtemp(modello))
        return 1;
    const std::string base = modello;
    const std::string dati = base + "/DatiValvole";
    if (!genera(dati, mb * 1000 * 1000)) {
        std::fprintf(stderr, "impossibile generare %s\n", dati.c_str());
        return 1;
    }
    const std::string zip_pakova = base + "/pakova.zip";
    const std::string zip_info = base + "/infozip.zip";

    // Best of three, the two tools taking turns, so both see the same caches.
    double pk = 1e9, iz = 1e9, upk = 1e9, uiz = 1e9;
    bool ok = true;
    for (int giro = 0; giro < 3; ++giro) {
        shell("rm -rf '" + zip_pakova + "' '" + zip_info + "' '" + base + "/u1' '" + base + "/u2'");
        pk = std::min(pk, misura(
                              [&] {
                                  return ZipOpenExt(zip_pakova.c_str(), base.c_str(), 0) == 1 &&
                                         ZipAddDirToZip(dati.c_str()) == 1 && ZipClose() == 1;
                              },
                              ok));
        iz = std::min(
            iz, misura([&] { return shell("cd '" + base + "' && zip -r -6 -q '" + zip_info + "' DatiValvole"); }, ok));
        upk = std::min(upk, misura([&] { return estrai_con_pakova(zip_pakova, base + "/u1"); }, ok));
        uiz = std::min(uiz, misura([&] { return shell("unzip -q -o '" + zip_info + "' -d '" + base + "/u2'"); }, ok));
    }
    ok = ok && shell("diff -r '" + dati + "' '" + base + "/u1/DatiValvole'");

    struct stat a {
    }, b{};
    stat(zip_pakova.c_str(), &a);
    stat(zip_info.c_str(), &b);
    std::printf("data folder      %zu MB\n", mb);
    std::printf("pack   Pakova    %7.3f s   %lld bytes\n", pk, static_cast<long long>(a.st_size));
    std::printf("pack   Info-ZIP  %7.3f s   %lld bytes\n", iz, static_cast<long long>(b.st_size));
    std::printf("unpack Pakova    %7.3f s\n", upk);
    std::printf("unpack Info-ZIP  %7.3f s\n", uiz);
    std::printf("ratio pack   %.2f\n", pk / iz);
    std::printf("ratio unpack %.2f\n", upk / uiz);
    shell("rm -rf '" + base + "'");
    if (!ok)
        std::fprintf(stderr, "a step failed or the unpacked folder differs\n");
    return ok ? 0 : 1;
}
