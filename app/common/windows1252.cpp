#include "common/windows1252.h"

#include "pdf/Cp1252.h"

#include <QList>
#include <QStringView>

namespace windows1252 {

std::optional<char> byte_di(char32_t c)
{
    return cp1252::ByteOf(c);
}

QByteArray codifica(const QString& testo)
{
    QByteArray byte;
    byte.reserve(testo.size());
    for (char32_t c : testo.toUcs4())
        byte.append(byte_di(c).value_or('?'));
    return byte;
}

QString decodifica(const QByteArray& byte)
{
    QString testo(byte.size(), Qt::Uninitialized);
    QChar* d = testo.data();
    for (char b : byte)
        *d++ = QChar(cp1252::CharOf(static_cast<unsigned char>(b)));
    return testo;
}

} // namespace windows1252
