// The reader of Pakova: the one archive being read and the UnZip* calls.
#include "pakova.h"
#include "pakova_interno.h"

#include <minizip/unzip.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace pakova_interno;

namespace {

// General-purpose flag 0: the entry is encrypted, which we cannot read.
constexpr unsigned long flag_cifrato = 1UL << 0;

struct UnZipReader {
    unzFile UnZipHandle = nullptr;
    // An archive without entries is open without a minizip handle: minizip
    // cannot open an archive whose end record is its very first byte.
    bool vuoto = false;
    std::string OutFolder;
    bool aperto() const { return UnZipHandle || vuoto; }
};

UnZipReader lettore;
unsigned contatore_temporanei = 0;

// Closes the archive, if any, and forgets it: 1 when it was closed, 0 when
// none was open or closing failed.
int chiudi_lettore()
{
    if (!lettore.aperto())
        return 0;
    if (!lettore.UnZipHandle) {
        lettore = UnZipReader{};
        return 1;
    }
    unzCloseCurrentFile(lettore.UnZipHandle);
    int esito = unzClose(lettore.UnZipHandle);
    lettore = UnZipReader{};
    return esito == UNZ_OK ? 1 : 0;
}

// Closes whatever is still open when the library is unloaded.
struct Chiusura {
    ~Chiusura() { chiudi_lettore(); }
} chiusura;

// Counts and sizes go back to the caller as int, held to INT_MAX.
int al_massimo_int(unsigned long long n)
{
    return n > static_cast<unsigned long long>(INT_MAX) ? INT_MAX : static_cast<int>(n);
}

// Creates a folder with every missing parent. An existing path succeeds
// exactly when it is a folder.
bool CreateFolder(const std::string& percorso)
{
    if (percorso.empty())
        return false;
    struct stat st {};
    if (stat(percorso.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    size_t barra = percorso.rfind('/');
    if (barra != std::string::npos && barra > 0 && !CreateFolder(percorso.substr(0, barra)))
        return false;
    if (mkdir(percorso.c_str(), 0777) != 0 && errno != EEXIST)
        return false;
    return stat(percorso.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// True when the file is a zip archive with no entries: nothing but the end
// record, with its comment.
bool archivio_vuoto(const std::string& percorso)
{
    int fd = open(percorso.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    unsigned char b[22];
    struct stat st {};
    bool ok = fstat(fd, &st) == 0 && st.st_size >= 22 && st.st_size <= 22 + 0xFFFF &&
              read(fd, b, sizeof b) == static_cast<ssize_t>(sizeof b);
    close(fd);
    if (!ok)
        return false;
    static const unsigned char firma[4] = {'P', 'K', 5, 6};
    if (std::memcmp(b, firma, 4) != 0)
        return false;
    for (int i = 4; i < 20; ++i)
        if (b[i] != 0)
            return false; // disks, entry counts, directory size and offset all 0
    return 22 + (b[20] | (b[21] << 8)) == st.st_size;
}

std::string con_barre(std::string nome)
{
    std::replace(nome.begin(), nome.end(), '\\', '/');
    return nome;
}

// What the central directory says of the current entry. FileName has "\"
// turned into "/", so archives made on Windows name real folders; it is read
// whole, never cut to a fixed buffer, since a cut name would extract to a
// different path.
struct UnZipEntryInfo {
    std::string FileName;
    std::string Comment;
    unsigned long VersionMadeBy = 0;
    unsigned long VersionNeeded = 0;
    unsigned long Flag = 0;
    unsigned long CompressionMethod = 0;
    unsigned long DosDate = 0;
    unsigned long Crc = 0;
    unsigned long long CompressedSize = 0;
    unsigned long long UncompressedSize = 0;
    unsigned long InternalAttributes = 0;
    unsigned long ExternalAttributes = 0;
    bool IsFolder = false;
};

bool voce_corrente(UnZipEntryInfo& voce)
{
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(lettore.UnZipHandle, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return false;
    std::vector<char> nome(info.size_filename + 1, '\0');
    std::vector<char> commento(info.size_file_comment + 1, '\0');
    if (unzGetCurrentFileInfo64(lettore.UnZipHandle, &info, nome.data(), static_cast<uLong>(nome.size()), nullptr, 0,
                                commento.data(), static_cast<uLong>(commento.size())) != UNZ_OK)
        return false;
    voce.FileName = con_barre(std::string(nome.data(), info.size_filename));
    voce.Comment.assign(commento.data(), info.size_file_comment);
    voce.VersionMadeBy = info.version;
    voce.VersionNeeded = info.version_needed;
    voce.Flag = info.flag;
    voce.CompressionMethod = info.compression_method;
    voce.DosDate = info.dosDate;
    voce.Crc = info.crc;
    voce.CompressedSize = info.compressed_size;
    voce.UncompressedSize = info.uncompressed_size;
    voce.InternalAttributes = info.internal_fa;
    voce.ExternalAttributes = info.external_fa;
    voce.IsFolder = (info.external_fa & attributo_cartella) != 0;
    return true;
}

class Descrittore {
public:
    explicit Descrittore(int fd = -1) : fd_(fd) {}
    ~Descrittore() { chiudi(); }
    Descrittore(const Descrittore&) = delete;
    Descrittore& operator=(const Descrittore&) = delete;
    void sostituisci(int fd)
    {
        chiudi();
        fd_ = fd;
    }
    int get() const { return fd_; }
    void chiudi()
    {
        if (fd_ >= 0)
            close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

// Walks from the folder fd down the given components, creating the missing
// folders. O_NOFOLLOW: a symbolic link on the way (planted before or by an
// earlier entry) is never followed out of the target folder.
bool scendi(Descrittore& cartella, const std::vector<std::string>& parti, size_t quante)
{
    for (size_t i = 0; i < quante; ++i) {
        const char* c = parti[i].c_str();
        if (mkdirat(cartella.get(), c, 0777) != 0 && errno != EEXIST)
            return false;
        int fd = openat(cartella.get(), c, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            return false;
        cartella.sostituisci(fd);
    }
    return true;
}

bool scrivi_tutto(int fd, const char* dati, size_t n)
{
    while (n > 0) {
        ssize_t scritti = write(fd, dati, n);
        if (scritti < 0 && errno == EINTR)
            continue;
        if (scritti <= 0)
            return false;
        dati += scritti;
        n -= static_cast<size_t>(scritti);
    }
    return true;
}

// Extracts the current (file) entry into the file `nome` of the folder fd.
// The data go to a temporary file beside the target, renamed over it only
// after a complete and correct copy: a failure leaves the old file as it was.
int estrai_file(int cartella, const std::string& nome, const UnZipEntryInfo& info)
{
    struct stat st {};
    if (fstatat(cartella, nome.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (!S_ISREG(st.st_mode))
            return -1;
        // A read-only file stays as it is, also for a superuser, whom
        // the open alone would not stop.
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return -1;
        if (faccessat(cartella, nome.c_str(), W_OK, AT_EACCESS | AT_SYMLINK_NOFOLLOW) != 0)
            return -1;
    } else if (errno != ENOENT) {
        return -1;
    }
    if (info.Flag & flag_cifrato)
        return -1;

    std::string temporaneo;
    int fd = -1;
    for (int tentativo = 0; tentativo < 100 && fd < 0; ++tentativo) {
        char buf[64];
        std::snprintf(buf, sizeof buf, ".pakova-%ld-%u", static_cast<long>(getpid()), contatore_temporanei++);
        temporaneo = buf;
        fd = openat(cartella, temporaneo.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return -1;
    }
    if (fd < 0)
        return -1;
    // Every extracted file is plain data, 0644: neither the archive nor a
    // file it replaces may hand the new copy an executable bit.
    if (fchmod(fd, 0644) != 0) {
        close(fd);
        unlinkat(cartella, temporaneo.c_str(), 0);
        return -1;
    }

    bool ok = unzOpenCurrentFile(lettore.UnZipHandle) == UNZ_OK;
    if (ok) {
        char buffer[blocco];
        unsigned long long totale = 0;
        for (;;) {
            int letti = unzReadCurrentFile(lettore.UnZipHandle, buffer, sizeof buffer);
            if (letti < 0) {
                ok = false;
                break;
            }
            if (letti == 0)
                break;
            // An entry never yields more than its declared size: a stream
            // that would (a zip bomb sharing one deflate stream between
            // entries, a lying header) stops here, before it fills the disk.
            if (static_cast<unsigned long long>(letti) > info.UncompressedSize - totale) {
                ok = false;
                break;
            }
            if (!scrivi_tutto(fd, buffer, static_cast<size_t>(letti))) {
                ok = false;
                break;
            }
            totale += static_cast<unsigned>(letti);
        }
        // A CRC mismatch or a short stream means the data on disk would be
        // wrong: that is a failed extraction, not a successful one.
        if (unzCloseCurrentFile(lettore.UnZipHandle) != UNZ_OK)
            ok = false;
        if (totale != info.UncompressedSize)
            ok = false;
    }
    if (ok) {
        time_t t;
        if (momento_da_data_dos(info.DosDate, t)) {
            struct timespec tempi[2];
            tempi[0].tv_sec = 0;
            tempi[0].tv_nsec = UTIME_OMIT; // the last-access time stays as it is
            tempi[1].tv_sec = t;
            tempi[1].tv_nsec = 0;
            futimens(fd, tempi);
        }
    }
    if (close(fd) != 0)
        ok = false;
    if (ok && renameat(cartella, temporaneo.c_str(), cartella, nome.c_str()) != 0)
        ok = false;
    if (!ok) {
        unlinkat(cartella, temporaneo.c_str(), 0);
        return -1;
    }
    return al_massimo_int(info.UncompressedSize);
}

} // namespace

// ---------------------------------------------------------------- exports

extern "C" {

int UnZipOpen(const char* path)
{
    chiudi_lettore();
    std::string completo;
    if (!percorso_completo(path, completo))
        return -1;
    struct stat st {};
    if (stat(completo.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    unzFile uf = unzOpen64(completo.c_str());
    if (!uf) {
        if (!archivio_vuoto(completo))
            return -1;
        lettore.vuoto = true;
    }
    lettore.UnZipHandle = uf;

    // The archive's own path without its extension: a/Dati.zip unpacks into a/Dati.
    std::string cartella = completo;
    size_t barra = cartella.rfind('/');
    size_t punto = cartella.rfind('.');
    if (punto != std::string::npos && punto > barra + 1)
        cartella.erase(punto);
    lettore.OutFolder = cartella;

    unz_global_info64 gi{};
    if (!uf || unzGetGlobalInfo64(uf, &gi) != UNZ_OK)
        return 0;
    return al_massimo_int(gi.number_entry);
}

int UnZipGotoFirst(void)
{
    if (!lettore.UnZipHandle)
        return 0;
    return unzGoToFirstFile(lettore.UnZipHandle) == UNZ_OK ? 1 : 0;
}

int UnZipGotoNext(void)
{
    if (!lettore.UnZipHandle)
        return 0;
    return unzGoToNextFile(lettore.UnZipHandle) == UNZ_OK ? 1 : 0;
}

int UnZipGetFileName(char* buffer, int size)
{
    if (!lettore.UnZipHandle || !buffer || size <= 0)
        return 0;
    UnZipEntryInfo info;
    if (!voce_corrente(info))
        return 0;
    size_t n = std::min(info.FileName.size(), static_cast<size_t>(size));
    std::memcpy(buffer, info.FileName.data(), n);
    return static_cast<int>(n);
}

long long UnZipGetFileSize(void)
{
    if (!lettore.UnZipHandle)
        return -1;
    UnZipEntryInfo info;
    if (!voce_corrente(info) || info.UncompressedSize > static_cast<unsigned long long>(LLONG_MAX))
        return -1;
    return static_cast<long long>(info.UncompressedSize);
}

int UnZipOutDir(const char* folder)
{
    if (!lettore.aperto())
        return 0;
    std::string completo;
    if (!percorso_completo(folder, completo))
        return 0;
    completo = senza_separatore_finale(completo);
    struct stat st {};
    if (stat(completo.c_str(), &st) == 0 && !S_ISDIR(st.st_mode))
        return 0;
    lettore.OutFolder = completo;
    return CreateFolder(completo) ? 1 : 0;
}

int UnZipInflate(void)
{
    if (!lettore.UnZipHandle)
        return -1;
    if (!CreateFolder(lettore.OutFolder))
        return -1;
    UnZipEntryInfo info;
    if (!voce_corrente(info))
        return -1;
    std::vector<std::string> parti;
    if (!componenti_sicure(info.FileName, parti))
        return -1;
    // A name ending with a separator is a folder even when the tool that made
    // the archive left the folder attribute out.
    bool cartella = info.IsFolder || info.FileName.back() == '/';

    Descrittore fd(open(lettore.OutFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0)
        return -1;
    if (cartella)
        return scendi(fd, parti, parti.size()) ? 0 : -1;
    if (!scendi(fd, parti, parti.size() - 1))
        return -1;
    return estrai_file(fd.get(), parti.back(), info);
}

int UnZipClose(void)
{
    return chiudi_lettore();
}

} // extern "C"
