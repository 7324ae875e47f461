#include "archive/comandi_archivio.h"

#include "platform/piattaforma.h"

void crea_archivio_zip(Piattaforma& /*piattaforma*/)
{
}

void importazione_archivio(Piattaforma& /*piattaforma*/)
{
}
