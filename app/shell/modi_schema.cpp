#include "shell/modi_schema.h"

#include <array>

namespace {

struct Riga {
    const char* modo;
    const char* file;
};

// Twin and triple pentodes are drawn as one pentode stage; a triode is the
// generic stage.
constexpr std::array<Riga, 7> tabella_modi{{
    {"GENERICO", "Schema_G.jpg"},
    {"TRIODO", "Schema_G.jpg"},
    {"PENTODO", "Schema_P.jpg"},
    {"ULTRALINEARE", "Schema_U.jpg"},
    {"DIODO", "Schema_D.jpg"},
    {"PENTODO COPPIA", "Schema_P.jpg"},
    {"PENTODO TRIPLETTA", "Schema_P.jpg"},
}};

} // namespace

SchemaModo schema_del_modo(const QString& modo)
{
    for (const Riga& r : tabella_modi) {
        if (modo == QLatin1String(r.modo))
            return {QString::fromLatin1(r.modo), QString::fromLatin1(r.file)};
    }
    return {QStringLiteral("GENERICO"), QStringLiteral("Schema_G.jpg")};
}
