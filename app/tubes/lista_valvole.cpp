// Rebuilding the tube list from the tube table.
#include "tubes/lista_valvole.h"

#include "archive/cartelle.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/base_dati_valvole.h"
#include "tubes/modello_lista_valvole.h"
#include "tubes/schema_valvole.h"

#include <charconv>

namespace {

// The calibration's current and voltage among the listed columns.
constexpr int colonna_imax_i = 9;
constexpr int colonna_vmax_v = 12;

// Column widths of the tube list, in twips: the key hidden, the two
// designations, the three file and mode columns, then the numbers.
int larghezza_colonna(int colonna)
{
    if (colonna == 0)
        return 0;
    if (colonna <= 2)
        return 900;
    if (colonna <= 5)
        return 1200;
    return 800;
}

// Appends a whole number to a row's text, as QString::number writes it.
void aggiungi_numero(QString& testo, qint64 n)
{
    char cifre[24];
    const auto fine = std::to_chars(cifre, cifre + sizeof cifre, n).ptr;
    testo.append(QLatin1StringView(cifre, fine - cifre));
}

// A number column as the list shows it: Null is an empty cell, a value that
// is no whole number of the column's width (a 20-digit power, a word) is 0.
// One odd cell never costs the rest of the row or the rows after it.
template <typename Intero>
void aggiungi_cella_numero(const BaseDatiValvole& db, int posizione, bool (BaseDatiValvole::*leggi)(int, Intero&) const,
                           QString& testo)
{
    Intero n = 0;
    if ((db.*leggi)(posizione, n)) {
        aggiungi_numero(testo, n);
        return;
    }
    QString cella;
    if (db.leggi_testo(posizione, cella) && cella.isNull())
        return;
    testo.append(u'0');
}

// Appends a real number in the shortest text that reads back as the same
// number ("17.5", "20"), "." decimals.
void aggiungi_reale(QString& testo, double d)
{
    char cifre[32];
    const auto fine = std::to_chars(cifre, cifre + sizeof cifre, d).ptr;
    testo.append(QLatin1StringView(cifre, fine - cifre));
}

// A calibration cell (IMAX_I, VMAX_V) with the position of its exact value
// (-1 when the table has none): the exact value where it refines the 16-bit
// one, else the 16-bit cell exactly as an older table reads.
void aggiungi_cella_taratura(const BaseDatiValvole& db, int posizione, int esatta, QString& testo)
{
    qint16 n = 0;
    double d = 0;
    if (esatta >= 0 && db.leggi_intero16(posizione, n) && db.leggi_reale(esatta, d) &&
        schema_valvole::esatto_valido(d, n)) {
        aggiungi_reale(testo, d);
        return;
    }
    aggiungi_cella_numero<qint16>(db, posizione, &BaseDatiValvole::leggi_intero16, testo);
}

// Where each table column sits in the result, looked up once per load: the
// 26 listed ones, then the exact calibration values (-1 when missing).
struct Posizioni {
    QVector<int> colonne;
    int imax_esatta = -1;
    int vmax_esatta = -1;
};

// One record as read from the table, its cells written one after the other
// into `testo` with where each ends in `fini`. False only when a listed
// column is missing from the table, which makes every row unreadable.
bool leggi_riga(const BaseDatiValvole& db, const Posizioni& p, QString& testo, QVector<int>& fini)
{
    const QVector<int>& posizioni = p.colonne;
    for (int p : posizioni)
        if (p < 0)
            return false;
    testo.clear();
    // Room for a typical row at once, rather than growing cell by cell.
    testo.reserve(128);
    fini.clear();
    for (int c = 0; c <= 6; ++c) {
        if (!db.aggiungi_testo(posizioni[c], testo))
            return false;
        fini << static_cast<int>(testo.size());
    }
    for (int c = 7; c <= 14; ++c) {
        if (c == colonna_imax_i)
            aggiungi_cella_taratura(db, posizioni[c], p.imax_esatta, testo);
        else if (c == colonna_vmax_v)
            aggiungi_cella_taratura(db, posizioni[c], p.vmax_esatta, testo);
        else
            aggiungi_cella_numero<qint16>(db, posizioni[c], &BaseDatiValvole::leggi_intero16, testo);
        fini << static_cast<int>(testo.size());
    }
    aggiungi_cella_numero<qint32>(db, posizioni[15], &BaseDatiValvole::leggi_intero32, testo);
    fini << static_cast<int>(testo.size());
    for (int c = 16; c <= 25; ++c) {
        if (!db.aggiungi_testo(posizioni[c], testo))
            return false;
        fini << static_cast<int>(testo.size());
    }
    return true;
}

} // namespace

ListaValvole::Esito ListaValvole::esito_di(BaseDatiValvole::Guasto g)
{
    switch (g) {
    case BaseDatiValvole::Guasto::nessuno: return Esito::letta;
    case BaseDatiValvole::Guasto::in_uso: return Esito::in_uso;
    case BaseDatiValvole::Guasto::danneggiata:
    case BaseDatiValvole::Guasto::interrotta: return Esito::danneggiata;
    case BaseDatiValvole::Guasto::altro: break;
    }
    return Esito::illeggibile;
}

QString ListaValvole::messaggio_esito(Esito e)
{
    switch (e) {
    case Esito::in_uso: return testo_in_uso;
    case Esito::danneggiata: return testo_danneggiata;
    case Esito::letta:
    case Esito::illeggibile: break;
    }
    return {};
}

ListaValvole::ListaValvole(ModelloListaValvole& modello, CaricatoreValvola& caricatore)
    : modello_(modello), caricatore_(caricatore)
{
}

bool ListaValvole::caricamento_basedati()
{
    caricatore_.clear_dativalvola();

    const QStringList& colonne = schema_valvole::colonne();
    ModelloListaValvole* lista = &modello_;
    lista->imposta_colonne_fisse(0);
    QStringList intestazione = colonne;
    intestazione[0] = QStringLiteral("id");
    lista->inizia_ricostruzione(intestazione);

    BaseDatiValvole db;
    // The tube table must be a real table: a view could run any query, an
    // endless one included, every time the list is read.
    bool ok = db.open(cartelle().file_basedati) && db.e_tabella(QStringLiteral("TabellaValvole")) &&
              db.query(QStringLiteral("select * from TabellaValvole order by ID"));
    Posizioni posizioni;
    for (const QString& nome : colonne)
        posizioni.colonne << db.colonna(nome);
    posizioni.imax_esatta = db.colonna(schema_valvole::colonna_imax_esatta);
    posizioni.vmax_esatta = db.colonna(schema_valvole::colonna_vmax_esatta);
    if (ok) {
        QString testo;
        QVector<int> fini;
        fini.reserve(colonne.size());
        while (db.next()) {
            if (!leggi_riga(db, posizioni, testo, fini)) {
                ok = false;
                break;
            }
            lista->aggiungi_riga(std::move(testo), fini);
        }
        // Stepping stops at the end of the table or at the first page that
        // cannot be read; the rows before it stay in the list.
        if (db.guasto() != BaseDatiValvole::Guasto::nessuno)
            ok = false;
    }
    esito_ = esito_di(db.guasto());
    if (!ok && esito_ == Esito::letta)
        esito_ = Esito::illeggibile;
    db.close();
    lista->fine_ricostruzione();
    for (int c = 0; c < lista->colonne(); ++c)
        lista->imposta_larghezza_twips(c, larghezza_colonna(c));

    if (!ok)
        return false;
    lista->imposta_colonne_fisse(3);
    return lista->righe() > 1; // at least one tube besides the header
}

int ListaValvole::righe_valvole() const
{
    return modello_.righe() > 0 ? modello_.righe() - 1 : 0;
}

QString ListaValvole::cella_lista(int riga, int colonna) const
{
    return modello_.cella(riga, colonna);
}

const ModelloListaValvole& ListaValvole::modello() const
{
    return modello_;
}
