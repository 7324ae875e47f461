#define PAKOVA_BUILD 1
#include "pakova.h"

#include <minizip/unzip.h>
#include <minizip/zip.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Files are read and entries extracted in blocks of this size.
constexpr size_t blocco = 2048;

// The zip format keeps name lengths in 16 bits; minizip would silently cut a
// longer length and write a broken archive.
constexpr size_t lunghezza_nome_massima = 0xFFFF;

// MS-DOS attribute bits kept in the low byte of the external attributes.
constexpr unsigned long attributo_sola_lettura = 0x01;
constexpr unsigned long attributo_cartella = 0x10;

// "Made by" host 3 (Unix), format version 2.0: tells other tools that the
// high 16 bits of the external attributes hold the Unix mode.
constexpr unsigned long versione_creatore = (3UL << 8) | 20UL;
// General-purpose flag 11: the name is UTF-8.
constexpr unsigned long flag_nome_utf8 = 1UL << 11;
// General-purpose flag 0: the entry is encrypted, which we cannot read.
constexpr unsigned long flag_cifrato = 1UL << 0;

struct ZipWriter {
    zipFile ZipHandle = nullptr;
    std::string RootFolder;
    // Identity of the archive file, so that adding a folder that holds the
    // archive does not pack the archive into itself.
    dev_t dispositivo = 0;
    ino_t inode = 0;
};

struct UnZipReader {
    unzFile UnZipHandle = nullptr;
    // An archive without entries is open without a minizip handle: minizip
    // cannot open an archive whose end record is its very first byte.
    bool vuoto = false;
    std::string OutFolder;
    bool aperto() const { return UnZipHandle || vuoto; }
};

ZipWriter scrittore;
UnZipReader lettore;
unsigned contatore_temporanei = 0;

// Closes whatever is still open when the library is unloaded.
struct Chiusura {
    ~Chiusura()
    {
        if (scrittore.ZipHandle)
            zipClose(scrittore.ZipHandle, nullptr);
        scrittore.ZipHandle = nullptr;
        if (lettore.UnZipHandle) {
            unzCloseCurrentFile(lettore.UnZipHandle);
            unzClose(lettore.UnZipHandle);
        }
        lettore.UnZipHandle = nullptr;
    }
} chiusura;

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

// Turns a relative path into an entry name: empty and "." components go, a
// ".." component refuses the whole name, since an archive holding it would
// write outside the folder it is unpacked into. Names holding "\" are refused
// as well: every reader of ours takes "\" for a separator, so such a name
// would come back as a different path.
bool nome_voce_sicuro(const std::string& percorso, std::string& nome)
{
    if (percorso.empty() || percorso[0] == '/')
        return false;
    if (percorso.find('\\') != std::string::npos)
        return false;
    nome.clear();
    for (const std::string& c : componenti(percorso)) {
        if (c.empty() || c == ".")
            continue;
        if (c == "..")
            return false;
        if (!nome.empty())
            nome += '/';
        nome += c;
    }
    return !nome.empty() && nome.size() < lunghezza_nome_massima;
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

unsigned long attributi_esterni(const struct stat& st)
{
    unsigned long a = static_cast<unsigned long>(st.st_mode & 0xFFFF) << 16;
    if (S_ISDIR(st.st_mode))
        a |= attributo_cartella;
    else if (!(st.st_mode & S_IWUSR))
        a |= attributo_sola_lettura;
    return a;
}

// ---------------------------------------------------------------- writer

bool apri_scrittore(const char* percorso, const std::string* radice, int append)
{
    ZipClose();
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

bool apri_voce(const std::string& nome, const struct stat& st, bool grande)
{
    zip_fileinfo zi {};
    zi.dosDate = data_dos(st.st_mtime);
    zi.internal_fa = 0;
    zi.external_fa = attributi_esterni(st);
    unsigned long flag = utf8_non_ascii(nome) ? flag_nome_utf8 : 0;
    return zipOpenNewFileInZip4_64(scrittore.ZipHandle, nome.c_str(), &zi, nullptr, 0, nullptr, 0, nullptr,
                                   Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY,
                                   nullptr, 0, versione_creatore, flag, grande ? 1 : 0)
           == ZIP_OK;
}

// Stores the file at the resolved path under the given entry name.
bool aggiungi_file(const std::string& percorso, const std::string& nome)
{
    if (nome.empty() || nome.size() >= lunghezza_nome_massima || nome.find('\\') != std::string::npos)
        return false;
    // O_NONBLOCK keeps a FIFO from hanging the call; only regular files go in.
    int fd = open(percorso.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)
        || (st.st_dev == scrittore.dispositivo && st.st_ino == scrittore.inode)) {
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
// for ever.
void aggiungi_contenuto(const std::string& cartella, const std::string& nome_cartella, bool piatto)
{
    DIR* d = opendir(cartella.c_str());
    if (!d)
        return;
    std::vector<std::string> nomi;
    while (struct dirent* e = readdir(d)) {
        if (e->d_name[0] != '.')
            nomi.emplace_back(e->d_name);
    }
    closedir(d);
    std::sort(nomi.begin(), nomi.end());

    std::string base = cartella == "/" ? cartella : cartella + '/';
    for (const std::string& n : nomi) {
        std::string figlio = base + n;
        struct stat st {};
        if (lstat(figlio.c_str(), &st) != 0)
            continue;
        bool collegamento = S_ISLNK(st.st_mode);
        if (collegamento && stat(figlio.c_str(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            if (collegamento)
                continue;
            std::string nome_figlio = piatto ? n : nome_cartella + '/' + n;
            aggiungi_cartella(figlio, nome_figlio, piatto);
        } else if (S_ISREG(st.st_mode)) {
            aggiungi_file(figlio, piatto ? n : nome_cartella + '/' + n);
        }
    }
}

// Writes the folder entry (name + "/"), then the folder's contents.
bool aggiungi_cartella(const std::string& percorso, const std::string& nome, bool piatto)
{
    if (nome.empty() || nome.size() + 1 >= lunghezza_nome_massima || nome.find('\\') != std::string::npos)
        return false;
    struct stat st {};
    if (stat(percorso.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        // A folder that is not there still gets its entry, dated now.
        st = {};
        st.st_mode = S_IFDIR | 0755;
        st.st_mtime = time(nullptr);
    }
    if (!apri_voce(nome + '/', st, false))
        return false;
    if (zipCloseFileInZip(scrittore.ZipHandle) != ZIP_OK)
        return false;
    aggiungi_contenuto(percorso, nome, piatto);
    return true;
}

// ---------------------------------------------------------------- reader

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
    bool ok = fstat(fd, &st) == 0 && st.st_size >= 22 && st.st_size <= 22 + 0xFFFF
              && read(fd, b, sizeof b) == static_cast<ssize_t>(sizeof b);
    close(fd);
    if (!ok)
        return false;
    static const unsigned char firma[4] = { 'P', 'K', 5, 6 };
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
    unz_file_info64 info {};
    if (unzGetCurrentFileInfo64(lettore.UnZipHandle, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return false;
    std::vector<char> nome(info.size_filename + 1, '\0');
    std::vector<char> commento(info.size_file_comment + 1, '\0');
    if (unzGetCurrentFileInfo64(lettore.UnZipHandle, &info, nome.data(), static_cast<uLong>(nome.size()), nullptr, 0,
                                commento.data(), static_cast<uLong>(commento.size()))
        != UNZ_OK)
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

// Splits an entry name into the folders and file it makes below OutFolder.
// Absolute names, ".." components and names with a NUL byte are refused: they
// would write outside OutFolder or somewhere other than the name shows.
bool componenti_sicure(const std::string& nome, std::vector<std::string>& parti)
{
    if (nome.find('\0') != std::string::npos)
        return false;
    if (nome.empty() || nome[0] == '/')
        return false;
    parti.clear();
    for (const std::string& c : componenti(nome)) {
        if (c.empty() || c == ".")
            continue;
        if (c == "..")
            return false;
        parti.push_back(c);
    }
    return !parti.empty();
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
    bool esisteva = false;
    if (fstatat(cartella, nome.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        esisteva = true;
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
    // A replaced file keeps its permissions: a private file must not become
    // readable by others because an archive brought a new copy of it.
    if (esisteva)
        fchmod(fd, st.st_mode & 0777);

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
    return info.UncompressedSize > static_cast<unsigned long long>(INT_MAX) ? INT_MAX
                                                                             : static_cast<int>(info.UncompressedSize);
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
    if (p[0] == '/') {
        if (scrittore.RootFolder.empty() || !inizia_con(p, scrittore.RootFolder))
            return 0;
        if (!nome_voce_sicuro(p.substr(scrittore.RootFolder.size()), nome))
            return 0;
    } else if (!nome_voce_sicuro(p, nome)) {
        return 0;
    }
    return aggiungi_file(risolvi(p), nome) ? 1 : 0;
}

int ZipAddFileFlatToZip(const char* path)
{
    if (!scrittore.ZipHandle || !path || !*path)
        return 0;
    std::string p = path;
    std::string nome = p.substr(p.rfind('/') + 1);
    if (nome.empty() || nome == "." || nome == ".." || nome.find('\\') != std::string::npos)
        return 0;
    return aggiungi_file(risolvi(p), nome) ? 1 : 0;
}

int ZipAddDirToZip(const char* path)
{
    if (!scrittore.ZipHandle || !path || !*path)
        return 0;
    std::string p = senza_separatore_finale(risolvi(path));
    std::string nome;
    if (p[0] == '/') {
        if (scrittore.RootFolder.empty() || !inizia_con(p, scrittore.RootFolder))
            return 0;
        if (!nome_voce_sicuro(p.substr(scrittore.RootFolder.size()), nome))
            return 0;
    } else if (!nome_voce_sicuro(p, nome)) {
        return 0;
    }
    return aggiungi_cartella(p, nome, false) ? 1 : 0;
}

int ZipAddDirFlatToZip(const char* path)
{
    if (!scrittore.ZipHandle || !path || !*path)
        return 0;
    std::string p = senza_separatore_finale(risolvi(path));
    // The folder's own name, without any extension.
    std::string nome = p.substr(p.rfind('/') + 1);
    size_t punto = nome.rfind('.');
    if (punto != std::string::npos && punto > 0)
        nome.erase(punto);
    if (nome.empty() || nome == "." || nome == "..")
        return 0;
    return aggiungi_cartella(p, nome, true) ? 1 : 0;
}

int ZipClose(void)
{
    if (!scrittore.ZipHandle)
        return 1;
    int esito = zipClose(scrittore.ZipHandle, nullptr);
    scrittore = ZipWriter {};
    return esito == ZIP_OK ? 1 : 0;
}

int UnZipOpen(const char* path)
{
    UnZipClose();
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

    unz_global_info64 gi {};
    if (!uf || unzGetGlobalInfo64(uf, &gi) != UNZ_OK)
        return 0;
    return gi.number_entry > static_cast<ZPOS64_T>(INT_MAX) ? INT_MAX : static_cast<int>(gi.number_entry);
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
    if (!lettore.aperto())
        return 0;
    if (!lettore.UnZipHandle) {
        lettore = UnZipReader {};
        return 1;
    }
    unzCloseCurrentFile(lettore.UnZipHandle);
    int esito = unzClose(lettore.UnZipHandle);
    lettore = UnZipReader {};
    return esito == UNZ_OK ? 1 : 0;
}

} // extern "C"
