// Packs a folder into a zip archive with Pakova, the way "Crea Archivio ZIP"
// does: entry names relative to a root folder. The build uses it to make the
// data archive of the program folder.
//
//   pakova_impacchetta ARCHIVE ROOT FOLDER
//
// The archive is rewritten only when it is missing or older than something in
// the folder, and it is written beside its final name first, so an
// interrupted run never leaves a broken archive that looks up to date.

#include "pakova.h"

#include <cstdio>
#include <string>

#include <dirent.h>
#include <sys/stat.h>

namespace {

bool piu_recente(const std::string& percorso, const struct timespec& riferimento)
{
    struct stat st {};
    if (lstat(percorso.c_str(), &st) != 0)
        return false;
    if (st.st_mtim.tv_sec > riferimento.tv_sec ||
        (st.st_mtim.tv_sec == riferimento.tv_sec && st.st_mtim.tv_nsec > riferimento.tv_nsec))
        return true;
    if (!S_ISDIR(st.st_mode))
        return false;
    DIR* d = opendir(percorso.c_str());
    if (!d)
        return false;
    bool trovato = false;
    while (struct dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n == "." || n == "..")
            continue;
        if (piu_recente(percorso + "/" + n, riferimento)) {
            trovato = true;
            break;
        }
    }
    closedir(d);
    return trovato;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "uso: %s ARCHIVIO RADICE CARTELLA\n", argv[0]);
        return 2;
    }
    const std::string archivio = argv[1];
    const std::string cartella = argv[3];

    struct stat st {};
    if (stat(cartella.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        std::fprintf(stderr, "%s: cartella assente\n", cartella.c_str());
        return 1;
    }
    struct stat sa {};
    if (stat(archivio.c_str(), &sa) == 0 && !piu_recente(cartella, sa.st_mtim))
        return 0;

    const std::string provvisorio = archivio + ".tmp";
    if (!ZipOpenExt(provvisorio.c_str(), argv[2], 0)) {
        std::fprintf(stderr, "%s: impossibile creare il file\n", provvisorio.c_str());
        return 1;
    }
    int aggiunto = ZipAddDirToZip(cartella.c_str());
    int chiuso = ZipClose();
    if (!aggiunto || !chiuso || std::rename(provvisorio.c_str(), archivio.c_str()) != 0) {
        std::remove(provvisorio.c_str());
        std::fprintf(stderr, "%s: impossibile inserire oggetti nel file\n", archivio.c_str());
        return 1;
    }
    return 0;
}
