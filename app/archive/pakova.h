#pragma once

#include <QString>

// The zip library Pakova as the programs see it: its entry points,
// bound by name from "libpakova.so" in the program folder (cartelle()) the
// first time one of them is called. When the library is missing or lacks an
// entry point, every call fails with the library's own failure value (0, or
// -1 for UnZipOpen, UnZipGetFileSize and UnZipInflate; ZipClose gives 0 as well), so callers
// treat it as a failed archive operation.
//
// Paths are handed over in the file system's 8-bit encoding.
namespace pakova {

int ZipOpen(const QString& path, int append);
int ZipOpenExt(const QString& path, const QString& root, int append);
int ZipAddFileToZip(const QString& path);
int ZipAddDirToZip(const QString& path);
int ZipAddFileFlatToZip(const QString& path);
int ZipAddDirFlatToZip(const QString& path);
int ZipClose();

int UnZipOpen(const QString& path);
int UnZipGotoFirst();
int UnZipGotoNext();
int UnZipGetFileName(char* buffer, int size);
long long UnZipGetFileSize();
int UnZipOutDir(const QString& folder);
int UnZipInflate();
int UnZipClose();

// True when the library of the current program folder is loaded with all its
// entry points (loading it if needed).
bool disponibile();

} // namespace pakova
