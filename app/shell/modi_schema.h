#pragma once

#include <QString>

// The stage schematic that goes with a tube's mode: the mode named in the
// schematic window's caption and the picture file (a bare name in the
// program folder). Modes without a schematic of their own share the nearest
// one; an empty or unknown mode is shown as a generic stage.
struct SchemaModo {
    QString modo_schema;
    QString file_schema;
};

// The mode text is compared exactly, as the tube list stores it.
SchemaModo schema_del_modo(const QString& modo);
