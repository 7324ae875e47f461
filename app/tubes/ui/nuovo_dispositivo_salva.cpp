// The new-tube window's ratings, its maximum-dissipation curve and the save:
// the checks, the copies of the pictures into the data folders and the
// insert of the record.

#include "tubes/ui/nuovo_dispositivo.h"

#include "archive/cartelle.h"
#include "chart/iperbole.h"
#include "common/numeri.h"
#include "platform/piattaforma.h"
#include "tubes/caratteristiche.h"
#include "tubes/immagini_valvola.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>
#include <QTableWidget>

#include <memory>
#include <vector>

namespace {

// A picture stored under its name in the data folders, in the format the
// name says: a photo in another format is converted to JPEG, a pin-out to
// GIF, so that the main window reads them as it expects.
struct Copia {
    QString sorgente;
    QString destinazione;
    immagini_valvola::Formato formato;
};

// Copies every file or none: each is written beside its target first and
// the targets are replaced only once all were written.
bool copia_tutti(const std::vector<Copia>& copie)
{
    std::vector<std::unique_ptr<QSaveFile>> scritti;
    for (const Copia& c : copie) {
        if (c.sorgente.isEmpty())
            return false;
        const std::optional<QByteArray> contenuto = immagini_valvola::nel_formato(c.sorgente, c.formato);
        if (!contenuto)
            return false;
        const QByteArray& dati = *contenuto;
        auto f = std::make_unique<QSaveFile>(c.destinazione);
        if (!f->open(QIODevice::WriteOnly) || f->write(dati) != dati.size())
            return false; // unique_ptr drops the unfinished files
        scritti.push_back(std::move(f));
    }
    for (auto& f : scritti)
        if (!f->commit())
            return false;
    return true;
}

} // namespace

void Nuovo_Dispositivo::init_crigliacaratteristiche()
{
    grid_caratteristiche->clearContents();
    grid_caratteristiche->setRowCount(0);
    for (const RigaCaratteristica& c : caratteristiche) {
        const int r = grid_caratteristiche->rowCount();
        grid_caratteristiche->insertRow(r);
        grid_caratteristiche->setItem(
            r, 0, new QTableWidgetItem(QCoreApplication::translate("Caratteristiche", c.etichetta)));
        grid_caratteristiche->setItem(r, 1, new QTableWidgetItem(QString()));
        grid_caratteristiche->setItem(r, 2, new QTableWidgetItem(QString::fromUtf8(c.unita)));
    }
}

void Nuovo_Dispositivo::grid_caratteristiche_Click(int riga)
{
    if (riga < 0 || riga >= grid_caratteristiche->rowCount())
        return;
    QTableWidgetItem* etichetta = grid_caratteristiche->item(riga, 0);
    QTableWidgetItem* valore = grid_caratteristiche->item(riga, 1);
    if (!etichetta || !valore)
        return;
    const std::optional<QString> risposta =
        piattaforma_.input_box(etichetta->text(), titolo_inserimento(), valore->text());
    if (risposta)
        valore->setText(*risposta);
}

void Nuovo_Dispositivo::traccia_potenza_massima()
{
    const double p = numeri::valore_iniziale(potenza_anodica->text()) / 1000.0;
    if (traccia_iperbole(tela_, taratura(), p, colore_potenza))
        aggiorna_tela();
}

nuova_valvola::Voce Nuovo_Dispositivo::voce() const
{
    nuova_valvola::Voce v;
    v.sigla_usa = nome_valvola[0]->text();
    v.sigla_euro = nome_valvola[1]->text();
    v.modo = Combo_modo->currentText();
    v.nomi = {nomefile_curva->text(), nomefile_immagine->text(), nomefile_piedinatura->text()};
    v.orig_curve = orig_curve->text();
    v.orig_immagine = orig_Immagine->text();
    v.orig_piedinatura = orig_piedinatura->text();
    v.max_current_X = max_current_X->text();
    v.max_current_y = max_current_y->text();
    v.max_current_i = max_current_i->text();
    v.max_voltage_X = max_voltage_X->text();
    v.max_voltage_Y = max_voltage_Y->text();
    v.max_voltage_V = max_voltage_V->text();
    v.origin_X = origin_X->text();
    v.origin_Y = origin_Y->text();
    v.potenza_anodica = potenza_anodica->text();
    for (int r = 0; r < int(v.valori.size()) && r < grid_caratteristiche->rowCount(); ++r) {
        if (const QTableWidgetItem* c = grid_caratteristiche->item(r, 1))
            v.valori[std::size_t(r)] = c->text();
    }
    return v;
}

void Nuovo_Dispositivo::salva_DB_Click()
{
    const nuova_valvola::Voce v = voce();
    const QString mancante = nuova_valvola::controlla(v);
    if (!mancante.isEmpty()) {
        piattaforma_.messaggio(mancante);
        return;
    }
    if (!nuova_valvola::nome_sicuro(nuova_valvola::nome_base(v.sigla_usa, v.sigla_euro))) {
        piattaforma_.messaggio(nuova_valvola::testo_nome_non_valido);
        return;
    }

    const Cartelle& c = cartelle();
    using immagini_valvola::Formato;
    std::vector<Copia> copie = {{file_curva_ridimensionata(), c.cartella_curve + v.nomi.curva, Formato::gif}};
    if (!v.orig_immagine.isEmpty())
        copie.push_back({v.orig_immagine, c.cartella_immagini + v.nomi.immagine, Formato::jpeg});
    if (!v.orig_piedinatura.isEmpty())
        copie.push_back({v.orig_piedinatura, c.cartella_piedinature + v.nomi.piedinatura, Formato::gif});

    // The curve picture carries the calibration of the record that names
    // it: replacing it would leave that tube with a calibration that no
    // longer matches its picture, and the table with two rows for one
    // designation and mode. Refused, naming the tube already there.
    if (const auto esistente = nuova_valvola::valvola_con_curva(c.file_basedati, v.nomi.curva)) {
        piattaforma_.messaggio(nuova_valvola::testo_valvola_esistente(*esistente), titolo());
        return;
    }

    // Pictures no other record depends on (a photo or pin-out shared by
    // the modes of one tube, a file left behind) are replaced only when
    // the user says so.
    QStringList esistenti;
    for (const Copia& k : copie)
        if (QFile::exists(k.destinazione))
            esistenti << k.destinazione;
    if (!esistenti.isEmpty() &&
        !piattaforma_.domanda_si_no(tr("Esistono già:\n%1\nSostituirli?").arg(esistenti.join(u'\n')), titolo()))
        return;

    // No record may point at a picture that is not there.
    if (!copia_tutti(copie)) {
        piattaforma_.messaggio(nuova_valvola::testo_errore);
        return;
    }
    piattaforma_.messaggio(nuova_valvola::inserisci(c.file_basedati, v) ? nuova_valvola::testo_inserita
                                                                        : nuova_valvola::testo_errore);
}
