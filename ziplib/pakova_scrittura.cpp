// The writer of Pakova: the one archive being written and the Zip* calls.
#include "pakova.h"
#include "pakova_interno.h"

#include <minizip/zip.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace pakova_interno;

namespace {

// "Made by" host 3 (Unix), format version 2.0: tells other tools that the
// high 16 bits of the external attributes hold the Unix mode.
constexpr unsigned long versione_creatore = (3UL << 8) | 20UL;
// General-purpose flag 11: the name is UTF-8.
constexpr unsigned long flag_nome_utf8 = 1UL << 11;

struct ZipWriter {
    zipFile ZipHandle = nullptr;
    std::string RootFolder;
    // Identity of the archive file, so that adding a folder that holds the
    // archive does not pack the archive into itself.
    dev_t dispositivo = 0;
    ino_t inode = 0;
};

ZipWriter scrittore;

// Completes the open archive, if any, and forgets it: 1 when it was completed
// or none was open, 0 when completing failed.
int chiudi_scrittore()
{
    if (!scrittore.ZipHandle)
        return 1;
    int esito = zipClose(scrittore.ZipHandle, nullptr);
    scrittore = ZipWriter{};
    return esito == ZIP_OK ? 1 : 0;
}

// Closes whatever is still open when the library is unloaded.
struct Chiusura {
    ~Chiusura() { chiudi_scrittore(); }
} chiusura;

unsigned long attributi_esterni(const struct stat& st)
{
    unsigned long a = static_cast<unsigned long>(st.st_mode & 0xFFFF) << 16;
    if (S_ISDIR(st.st_mode))
        a |= attributo_cartella;
    else if (!(st.st_mode & S_IWUSR))
        a |= attributo_sola_lettura;
    return a;
}

bool apri_scrittore(const char* percorso, const std::string* radice, int append)
{
    chiudi_scrittore();
    std::string completo;
    if (!percorso_completo(percorso, completo))
        return false;
    struct stat st {};
    bool esiste = stat(completo.c_str(), &st) == 0;
    if (esiste && S_ISDIR(st.st_mode))
        return false;
    int modo = (append && esiste) ? APPEND_STATUS_ADDINZIP : APPEND_STATUS_CREATE;
    zipFile zf = zipOpen64(completo.c_str(), modo);
    if (!zf)
        return false;
    scrittore.ZipHandle = zf;
    if (stat(completo.c_str(), &st) == 0) {
        scrittore.dispositivo = st.st_dev;
        scrittore.inode = st.st_ino;
    } else {
        scrittore.dispositivo = 0;
        scrittore.inode = 0;
    }
    if (radice) {
        scrittore.RootFolder = *radice;
        if (!scrittore.RootFolder.empty() && scrittore.RootFolder.back() != '/')
            scrittore.RootFolder += '/';
    } else {
        scrittore.RootFolder = completo.substr(0, completo.rfind('/') + 1);
    }
    return true;
}

std::string risolvi(const std::string& percorso)
{
    if (!percorso.empty() && percorso[0] == '/')
        return percorso;
    return scrittore.RootFolder + percorso;
}

// The last component of a path: the name the flat calls store.
std::string ultimo_componente(const std::string& percorso)
{
    return percorso.substr(percorso.rfind('/') + 1);
}

// False for an empty name and for "." and "..", which name no item of their own.
bool nome_proprio(const std::string& nome)
{
    return !nome.empty() && nome != "." && nome != "..";
}

// False for a name the archive cannot hold: empty, holding "\", or too long
// once `aggiunta` more bytes are appended to it.
bool nome_scrivibile(const std::string& nome, size_t aggiunta)
{
    return !nome.empty() && nome.size() + aggiunta < lunghezza_nome_massima && nome.find('\\') == std::string::npos;
}

bool apri_voce(const std::string& nome, const struct stat& st, bool grande)
{
    zip_fileinfo zi{};
    zi.dosDate = data_dos(st.st_mtime);
    zi.internal_fa = 0;
    zi.external_fa = attributi_esterni(st);
    unsigned long flag = utf8_non_ascii(nome) ? flag_nome_utf8 : 0;
    return zipOpenNewFileInZip4_64(scrittore.ZipHandle, nome.c_str(), &zi, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                   Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, nullptr, 0,
                                   versione_creatore, flag, grande ? 1 : 0) == ZIP_OK;
}

// Stores the file at the resolved path under the given entry name.
bool aggiungi_file(const std::string& percorso, const std::string& nome)
{
    if (!nome_scrivibile(nome, 0))
        return false;
    // O_NONBLOCK keeps a FIFO from hanging the call; only regular files go in.
    int fd = open(percorso.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        (st.st_dev == scrittore.dispositivo && st.st_ino == scrittore.inode)) {
        close(fd);
        return false;
    }
    int flags = fcntl(fd, F_GETFL);
    if (flags >= 0)
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);

    bool grande = static_cast<unsigned long long>(st.st_size) >= 0xFFFFFFFFULL;
    if (!apri_voce(nome, st, grande)) {
        close(fd);
        return false;
    }
    bool ok = true;
    char buffer[blocco];
    for (;;) {
        ssize_t letti = read(fd, buffer, sizeof buffer);
        if (letti < 0) {
            if (errno == EINTR)
                continue;
            ok = false; // a file cut short must not be reported as stored
            break;
        }
        if (letti == 0)
            break;
        if (zipWriteInFileInZip(scrittore.ZipHandle, buffer, static_cast<unsigned>(letti)) != ZIP_OK) {
            ok = false;
            break;
        }
    }
    if (zipCloseFileInZip(scrittore.ZipHandle) != ZIP_OK)
        ok = false;
    close(fd);
    return ok;
}

bool aggiungi_cartella(const std::string& percorso, const std::string& nome, bool piatto);

// Adds every item of a folder whose name does not begin with a dot. Folders
// reached through a symbolic link are left out, so a link loop cannot recurse
// for ever. False when the folder or any regular file in it could not be
// stored: an archive that silently lacks a file (the database held open by
// another program, say) is not a copy of the folder.
bool aggiungi_contenuto(const std::string& cartella, const std::string& nome_cartella, bool piatto)
{
    DIR* d = opendir(cartella.c_str());
    if (!d)
        return false;
    std::vector<std::string> nomi;
    while (struct dirent* e = readdir(d)) {
        if (e->d_name[0] != '.')
            nomi.emplace_back(e->d_name);
    }
    closedir(d);
    std::sort(nomi.begin(), nomi.end());

    bool tutto = true;
    std::string base = cartella == "/" ? cartella : cartella + '/';
    for (const std::string& n : nomi) {
        std::string figlio = base + n;
        struct stat st {};
        if (lstat(figlio.c_str(), &st) != 0) {
            tutto = false;
            continue;
        }
        bool collegamento = S_ISLNK(st.st_mode);
        if (collegamento && stat(figlio.c_str(), &st) != 0)
            continue; // a dangling link names nothing to store
        std::string nome_figlio = piatto ? n : nome_cartella + '/' + n;
        if (S_ISDIR(st.st_mode)) {
            if (!collegamento && !aggiungi_cartella(figlio, nome_figlio, piatto))
                tutto = false;
        } else if (S_ISREG(st.st_mode)) {
            // The archive being written, when it lies in the folder, is not
            // a file of the folder to copy.
            if (st.st_dev == scrittore.dispositivo && st.st_ino == scrittore.inode)
                continue;
            if (!aggiungi_file(figlio, nome_figlio))
                tutto = false;
        }
    }
    return tutto;
}

// Writes the folder entry (name + "/"), then the folder's contents.
bool aggiungi_cartella(const std::string& percorso, const std::string& nome, bool piatto)
{
    if (!nome_scrivibile(nome, 1))
        return false;
    struct stat st {};
    const bool esiste = stat(percorso.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    if (!esiste) {
        // A folder that is not there still gets its entry, dated now.
        st = {};
        st.st_mode = S_IFDIR | 0755;
        st.st_mtime = time(nullptr);
    }
    if (!apri_voce(nome + '/', st, false))
        return false;
    if (zipCloseFileInZip(scrittore.ZipHandle) != ZIP_OK)
        return false;
    // A folder that is not there has nothing more to store.
    if (!esiste)
        return true;
    return aggiungi_contenuto(percorso, nome, piatto);
}

} // namespace

// ---------------------------------------------------------------- exports

extern "C" {

int ZipOpen(const char* path, int append)
{
    return apri_scrittore(path, nullptr, append) ? 1 : 0;
}

int ZipOpenExt(const char* path, const char* root, int append)
{
    std::string radice = root ? root : "";
    return apri_scrittore(path, &radice, append) ? 1 : 0;
}

int ZipAddFileToZip(const char* path)
{
    if (!scrittore.ZipHandle || !path || !*path)
        return 0;
    std::string p = path;
    if (inizia_con(p, "../"))
        return 0;
    std::string nome;
    if (!nome_voce_sotto_radice(p, scrittore.RootFolder, nome))
        return 0;
    return aggiungi_file(risolvi(p), nome) ? 1 : 0;
}

int ZipAddFileFlatToZip(const char* path)
{
    if (!scrittore.ZipHandle || !path || !*path)
        return 0;
    std::string p = path;
    std::string nome = ultimo_componente(p);
    if (!nome_proprio(nome))
        return 0;
    return aggiungi_file(risolvi(p), nome) ? 1 : 0;
}

int ZipAddDirToZip(const char* path)
{
    if (!scrittore.ZipHandle || !path || !*path)
        return 0;
    std::string p = senza_separatore_finale(risolvi(path));
    std::string nome;
    if (!nome_voce_sotto_radice(p, scrittore.RootFolder, nome))
        return 0;
    return aggiungi_cartella(p, nome, false) ? 1 : 0;
}

int ZipAddDirFlatToZip(const char* path)
{
    if (!scrittore.ZipHandle || !path || !*path)
        return 0;
    std::string p = senza_separatore_finale(risolvi(path));
    // The folder's own name, without any extension.
    std::string nome = ultimo_componente(p);
    size_t punto = nome.rfind('.');
    if (punto != std::string::npos && punto > 0)
        nome.erase(punto);
    if (!nome_proprio(nome))
        return 0;
    return aggiungi_cartella(p, nome, true) ? 1 : 0;
}

int ZipClose(void)
{
    return chiudi_scrittore();
}

} // extern "C"
