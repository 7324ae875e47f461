#include "common/libreria_immagini.h"

#include <FreeImage.h>

LibreriaImmagini::~LibreriaImmagini()
{
    rilascia();
}

void LibreriaImmagini::inizializza()
{
    if (attiva_)
        return;
    FreeImage_Initialise(FALSE);
    attiva_ = true;
}

void LibreriaImmagini::rilascia_bitmap()
{
    if (bitmap_aperta) {
        FreeImage_Unload(static_cast<FIBITMAP*>(bitmap_aperta));
        bitmap_aperta = nullptr;
    }
}

void LibreriaImmagini::rilascia()
{
    rilascia_bitmap();
    if (attiva_) {
        FreeImage_DeInitialise();
        attiva_ = false;
    }
}
