// Helpers shared by the PdfWriter_*.cpp files; private, not installed.
#pragma once

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

namespace pdfwriter_interno {

inline constexpr char CR = '\r';

inline std::string Num(long long v)
{
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

inline std::string ResourceEntry(const std::string& name, std::int32_t obj)
{
    return "/" + name + " " + Num(obj) + " 0 R " + CR;
}

[[noreturn]] inline void ThrowErrno(int err, const std::string& what)
{
    throw std::system_error(err ? err : EIO, std::generic_category(), "PdfWriter: " + what);
}

inline char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace pdfwriter_interno
