#include "archive/pakova.h"

#include "archive/cartelle.h"

#include <QByteArray>
#include <QFile>

#include <dlfcn.h>
#include <map>

namespace pakova {
namespace {

using Testo = int (*)(const char*);
using TestoIntero = int (*)(const char*, int);
using DueTestiIntero = int (*)(const char*, const char*, int);
using Nessuno = int (*)();
using Buffer = int (*)(char*, int);
using Dimensione = long long (*)();

struct Funzioni {
    TestoIntero zip_open = nullptr;
    DueTestiIntero zip_open_ext = nullptr;
    Testo zip_add_file = nullptr;
    Testo zip_add_dir = nullptr;
    Testo zip_add_file_flat = nullptr;
    Testo zip_add_dir_flat = nullptr;
    Nessuno zip_close = nullptr;
    Testo unzip_open = nullptr;
    Nessuno unzip_goto_first = nullptr;
    Nessuno unzip_goto_next = nullptr;
    Buffer unzip_get_file_name = nullptr;
    Dimensione unzip_get_file_size = nullptr;
    Testo unzip_out_dir = nullptr;
    Nessuno unzip_inflate = nullptr;
    Nessuno unzip_close = nullptr;
};

template <typename T> bool lega(void* libreria, const char* nome, T& funzione)
{
    funzione = reinterpret_cast<T>(dlsym(libreria, nome));
    return funzione != nullptr;
}

// The library of the current program folder, loaded on first use. A library
// that was loaded stays loaded (its open archives live in it); one that is
// missing is looked for again on the next call. Tests switch program folders
// within one process, hence one entry per path.
const Funzioni* funzioni()
{
    static std::map<QString, Funzioni> caricate;
    const QString programma = cartelle().cartella_programma;
    // Without a program folder the bare name would make the loader search
    // the system folders.
    if (programma.isEmpty())
        return nullptr;
    const QString percorso = programma + QStringLiteral("libpakova.so");
    auto trovata = caricate.find(percorso);
    if (trovata != caricate.end())
        return &trovata->second;

    void* libreria = dlopen(QFile::encodeName(percorso).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!libreria)
        return nullptr;
    Funzioni f;
    bool ok = lega(libreria, "ZipOpen", f.zip_open) && lega(libreria, "ZipOpenExt", f.zip_open_ext) &&
              lega(libreria, "ZipAddFileToZip", f.zip_add_file) && lega(libreria, "ZipAddDirToZip", f.zip_add_dir) &&
              lega(libreria, "ZipAddFileFlatToZip", f.zip_add_file_flat) &&
              lega(libreria, "ZipAddDirFlatToZip", f.zip_add_dir_flat) && lega(libreria, "ZipClose", f.zip_close) &&
              lega(libreria, "UnZipOpen", f.unzip_open) && lega(libreria, "UnZipGotoFirst", f.unzip_goto_first) &&
              lega(libreria, "UnZipGotoNext", f.unzip_goto_next) &&
              lega(libreria, "UnZipGetFileName", f.unzip_get_file_name) &&
              lega(libreria, "UnZipGetFileSize", f.unzip_get_file_size) &&
              lega(libreria, "UnZipOutDir", f.unzip_out_dir) && lega(libreria, "UnZipInflate", f.unzip_inflate) &&
              lega(libreria, "UnZipClose", f.unzip_close);
    if (!ok) {
        dlclose(libreria);
        return nullptr;
    }
    return &caricate.emplace(percorso, f).first->second;
}

QByteArray nativo(const QString& s)
{
    return QFile::encodeName(s);
}

} // namespace

int ZipOpen(const QString& path, int append)
{
    const Funzioni* f = funzioni();
    return f ? f->zip_open(nativo(path).constData(), append) : 0;
}

int ZipOpenExt(const QString& path, const QString& root, int append)
{
    const Funzioni* f = funzioni();
    return f ? f->zip_open_ext(nativo(path).constData(), nativo(root).constData(), append) : 0;
}

int ZipAddFileToZip(const QString& path)
{
    const Funzioni* f = funzioni();
    return f ? f->zip_add_file(nativo(path).constData()) : 0;
}

int ZipAddDirToZip(const QString& path)
{
    const Funzioni* f = funzioni();
    return f ? f->zip_add_dir(nativo(path).constData()) : 0;
}

int ZipAddFileFlatToZip(const QString& path)
{
    const Funzioni* f = funzioni();
    return f ? f->zip_add_file_flat(nativo(path).constData()) : 0;
}

int ZipAddDirFlatToZip(const QString& path)
{
    const Funzioni* f = funzioni();
    return f ? f->zip_add_dir_flat(nativo(path).constData()) : 0;
}

int ZipClose()
{
    const Funzioni* f = funzioni();
    return f ? f->zip_close() : 0;
}

int UnZipOpen(const QString& path)
{
    const Funzioni* f = funzioni();
    return f ? f->unzip_open(nativo(path).constData()) : -1;
}

int UnZipGotoFirst()
{
    const Funzioni* f = funzioni();
    return f ? f->unzip_goto_first() : 0;
}

int UnZipGotoNext()
{
    const Funzioni* f = funzioni();
    return f ? f->unzip_goto_next() : 0;
}

int UnZipGetFileName(char* buffer, int size)
{
    const Funzioni* f = funzioni();
    return f ? f->unzip_get_file_name(buffer, size) : 0;
}

long long UnZipGetFileSize()
{
    const Funzioni* f = funzioni();
    return f ? f->unzip_get_file_size() : -1;
}

int UnZipOutDir(const QString& folder)
{
    const Funzioni* f = funzioni();
    return f ? f->unzip_out_dir(nativo(folder).constData()) : 0;
}

int UnZipInflate()
{
    const Funzioni* f = funzioni();
    return f ? f->unzip_inflate() : -1;
}

int UnZipClose()
{
    const Funzioni* f = funzioni();
    return f ? f->unzip_close() : 0;
}

bool disponibile()
{
    return funzioni() != nullptr;
}

} // namespace pakova
