#pragma once

// Pakova: a flat interface for writing and reading zip archives, shared by the
// main program and the archive loader. One writer and one reader live in the
// library; every call works on them. Strings are NUL-terminated 8-bit paths as
// the file system takes them. No call raises or prints anything: every
// failure is the result (0, or -1 where a count is returned).

#ifdef __cplusplus
extern "C" {
#endif

#if defined(PAKOVA_BUILD)
#define PAKOVA_EXPORT __attribute__((visibility("default")))
#else
#define PAKOVA_EXPORT
#endif

// Writer. Open a new archive (or add to an existing one when append is not 0);
// the entry names of the files added later are taken relative to the folder of
// the archive (ZipOpen) or to root (ZipOpenExt).
PAKOVA_EXPORT int ZipOpen(const char* path, int append);
PAKOVA_EXPORT int ZipOpenExt(const char* path, const char* root, int append);
PAKOVA_EXPORT int ZipAddFileToZip(const char* path);
// Adding a folder fails (0) when any regular file below it could not be
// stored; the others are stored all the same.
PAKOVA_EXPORT int ZipAddDirToZip(const char* path);
// The flat forms store bare names, without any folder.
PAKOVA_EXPORT int ZipAddFileFlatToZip(const char* path);
PAKOVA_EXPORT int ZipAddDirFlatToZip(const char* path);
// 1 when the archive was completed or none was open, 0 when completing failed.
PAKOVA_EXPORT int ZipClose(void);

// Reader. UnZipOpen returns the number of entries, -1 when the file cannot be
// read as an archive; entries go below OutFolder (the archive's path without
// its extension unless UnZipOutDir names another folder).
PAKOVA_EXPORT int UnZipOpen(const char* path);
PAKOVA_EXPORT int UnZipGotoFirst(void);
PAKOVA_EXPORT int UnZipGotoNext(void);
// Copies at most size bytes of the current entry's name, without a final NUL;
// returns how many were copied.
PAKOVA_EXPORT int UnZipGetFileName(char* buffer, int size);
// The uncompressed size the archive declares for the current entry, -1 when
// there is none. Extraction never writes more than this for an entry.
PAKOVA_EXPORT long long UnZipGetFileSize(void);
PAKOVA_EXPORT int UnZipOutDir(const char* folder);
// Extracts the current entry; its uncompressed size on success, -1 on failure
// (also when its data do not match the declared size or CRC). Files are
// written with mode 0644.
PAKOVA_EXPORT int UnZipInflate(void);
PAKOVA_EXPORT int UnZipClose(void);

#ifdef __cplusplus
}
#endif
