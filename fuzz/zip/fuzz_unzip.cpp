// Feeds malformed archives to the zip reader: open, walk every entry, read its
// name, extract it. Whatever the bytes, nothing may crash, hang, or appear
// outside the target folder.

#include "pakova.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string base;
std::string archivio;
std::string bersaglio;

int rimuovi(const char* percorso, const struct stat*, int, struct FTW*)
{
    remove(percorso);
    return 0;
}

// Only the archive and the target folder may exist in the base folder.
void verifica_base()
{
    DIR* d = opendir(base.c_str());
    if (!d)
        abort();
    while (struct dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n != "." && n != ".." && n != "a.zip" && n != "t")
            abort();
    }
    closedir(d);
}

void pulisci()
{
    nftw(base.c_str(), rimuovi, 16, FTW_DEPTH | FTW_PHYS);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char modello[] = "/tmp/fuzz_unzip.XXXXXX";
    if (!mkdtemp(modello))
        abort();
    base = modello;
    archivio = base + "/a.zip";
    bersaglio = base + "/t";
    atexit(pulisci);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n)
{
    FILE* f = fopen(archivio.c_str(), "wb");
    if (!f)
        abort();
    if (n > 0)
        fwrite(dati, 1, n, f);
    fclose(f);

    int voci = UnZipOpen(archivio.c_str());
    if (voci >= 0 && UnZipOutDir(bersaglio.c_str()) == 1 && UnZipGotoFirst() == 1) {
        int passi = 0;
        do {
            char nome[300];
            int copiati = UnZipGetFileName(nome, sizeof nome);
            if (copiati < 0 || copiati > static_cast<int>(sizeof nome))
                abort();
            UnZipInflate();
        } while (UnZipGotoNext() == 1 && ++passi < 10000);
    }
    UnZipClose();

    verifica_base();
    nftw(bersaglio.c_str(), rimuovi, 16, FTW_DEPTH | FTW_PHYS);
    return 0;
}
