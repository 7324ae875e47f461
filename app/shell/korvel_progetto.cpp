// The main window as the project commands see it (VistaProgetto).
#include "shell/korvel.h"

void KORVEL::svuota_informazioni_valvola()
{
    svuota_caratteristiche();
    imposta_nome_file(NomeFile::curva, QString());
    imposta_nome_file(NomeFile::immagine, QString());
    imposta_nome_file(NomeFile::piedinatura, QString());
    mostra_foto(QString());
    mostra_piedinatura(QString());
}
