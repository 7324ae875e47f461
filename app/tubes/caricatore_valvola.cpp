// Loading a tube from the list into the main window, reloading it, and
// clearing it. Every step that fails (a missing picture, a bad number) is
// skipped and the next one runs.
#include "tubes/caricatore_valvola.h"

#include "archive/cartelle.h"
#include "chart/grafico.h"
#include "common/libreria_immagini.h"
#include "common/numeri.h"
#include "platform/piattaforma.h"
#include "model/archivio_modelli.h"
#include "tubes/caratteristiche.h"
#include "tubes/modello_lista_valvole.h"
#include "tubes/vista_valvola.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLocale>

namespace {

// The last four characters of a path (".jpg"), as the exports expect.
QString estensione(const QString& percorso)
{
    return percorso.right(4);
}

} // namespace

bool nome_immagine_valido(const QString& nome)
{
    if (nome.isEmpty() || nome == u'.' || nome.contains(u'/') || nome.contains(u'\\') ||
        nome.contains(QStringLiteral("..")) || nome.contains(QChar(0)))
        return false;
    // "C:foto.jpg" names a file of the current folder of drive C.
    return !(nome.size() >= 2 && nome[1] == u':' && nome[0].isLetter());
}

CaricatoreValvola::CaricatoreValvola(VistaValvola& vista, VistaGrafico& campi, Grafico& grafico,
                                     const ModelloListaValvole& lista, Piattaforma& piattaforma)
    : vista_(vista), campi_(campi), grafico_(grafico), lista_(lista), piattaforma_(piattaforma)
{
}

QString CaricatoreValvola::cella(int riga, int colonna) const
{
    return lista_.cella(riga, colonna);
}

void CaricatoreValvola::griglia_DB_DblClick(int riga)
{
    if (riga < 1)
        return;
    vista_.imposta_riga_db(QString::number(riga));
    vista_.imposta_nome_valvola(0, cella(riga, 2));
    vista_.imposta_nome_valvola(1, cella(riga, 1));
    vista_.imposta_nome_valvola(2, cella(riga, 4));

    QString nome = vista_.testo_nome_valvola(0);
    const QString europea = vista_.testo_nome_valvola(1);
    if (!europea.isEmpty()) {
        if (!nome.isEmpty())
            nome += ',';
        nome += europea;
    }
    vista_.Abilita_MenuFunzioni(nome);
    ricarica_dispositivo();
    vista_.avvia_timer_settab(200);
    vista_.chiudi_vedi_schema();
}

void CaricatoreValvola::ricarica_dispositivo()
{
    vista_.svuota_caratteristiche();
    vista_.imposta_nome_file(NomeFile::curva, QString());
    vista_.imposta_nome_file(NomeFile::immagine, QString());
    vista_.mostra_foto(QString());
    vista_.imposta_nome_file(NomeFile::piedinatura, QString());
    vista_.mostra_piedinatura(QString());
    grafico_.rimuovi_immagine();
    campi_.imposta_testo(Campo::potenza_anodica, QString());
    grafico_.stato().traccia_attiva = false;

    carica_dativalvola();

    grafico_.clear_param(0);
    grafico_.draw_marker();
    grafico_.reset_liste();
    for (int i = 0; i < voce_cancella::numero; ++i)
        campi_.abilita_cancella(i, false);
    campi_.imposta_potenza_bloccata(false);
    campi_.imposta_caption_traccia_maxpower(Grafico::caption_traccia_potenza);
    StatoGrafico& s = grafico_.stato();
    s.guadagno = 0;
    s.traccia_attiva = false;
    s.colore_retta = 10;
    s.colore_marker = 11;
    vista_.Init_parametri();
    grafico_.display_valori(true);
}

bool CaricatoreValvola::carica_dativalvola()
{
    Piattaforma::Occupato occupato(piattaforma_);
    const Cartelle& c = cartelle();
    const int r = numeri::arrotonda_int32(numeri::valore_iniziale(vista_.testo_riga_db())).value_or(0);
    const bool riga_valida = r >= 1 && r < lista_.righe();

    // Calibration from columns 7 to 14; a row that names no tube leaves it.
    if (riga_valida) {
        StatoGrafico& s = grafico_.stato();
        // The cells hold whole numbers written without separators; the
        // current and voltage may hold the exact value typed ("17.5").
        auto numero = [&](int col, auto& destinazione) {
            bool ok = false;
            const double v = cella(r, col).toDouble(&ok);
            if (ok)
                destinazione = static_cast<std::remove_reference_t<decltype(destinazione)>>(v);
        };
        numero(7, s.imax_x);
        numero(8, s.imax_y);
        numero(9, s.imax_i);
        numero(10, s.vmax_x);
        numero(11, s.vmax_y);
        numero(12, s.vmax_v);
        numero(13, s.org_x);
        numero(14, s.org_y);
    }

    campi_.imposta_testo(Campo::potenza_anodica, cella(r, 15));

    id_ = 0;
    if (riga_valida)
        id_ = cella(r, 0).toInt();
    leggi_modello();
    mostra_caratteristiche(r);

    // Photograph: the frame keeps its height and takes the photo's aspect.
    // A picture named by a path rather than a file name is a missing one.
    const QString foto = cella(r, 6);
    if (!foto.isEmpty()) {
        const QString percorso = nome_immagine_valido(foto) ? c.cartella_immagini + foto : QString();
        vista_.imposta_nome_file(NomeFile::immagine, foto);
        // Only the header is read for the size: the picture is decoded once,
        // to show it, and only when it is within the pixel limit.
        if (const auto dim = percorso.isEmpty() ? std::nullopt : immagini::dimensioni_dichiarate(percorso)) {
            const int larghezza =
                static_cast<int>(static_cast<double>(vista_.altezza_foto()) / dim->height() * dim->width());
            if (larghezza > 0 && larghezza < 4000)
                vista_.imposta_larghezza_foto(larghezza);
        }
        vista_.mostra_foto(percorso);
        file_foto_ = percorso;
        estensione_foto_ = estensione(percorso);
    } else {
        vista_.imposta_nome_file(NomeFile::immagine, QString());
    }

    const QString piedinatura = cella(r, 5);
    if (!piedinatura.isEmpty()) {
        vista_.imposta_nome_file(NomeFile::piedinatura, piedinatura);
        const QString percorso = nome_immagine_valido(piedinatura) ? c.cartella_piedinature + piedinatura : QString();
        vista_.mostra_piedinatura(percorso);
        file_piedinatura_ = percorso;
        estensione_piedinatura_ = estensione(percorso);
    } else {
        vista_.imposta_nome_file(NomeFile::piedinatura, QString());
    }

    const QString curva = cella(r, 3);
    file_curva_.clear();
    QImage immagine;
    if (!curva.isEmpty()) {
        vista_.imposta_nome_file(NomeFile::curva, curva);
        if (nome_immagine_valido(curva)) {
            file_curva_ = c.cartella_curve + curva;
            immagine = immagini::leggi(file_curva_);
        }
    } else {
        immagine = immagini::leggi(c.file_immagine_assente);
    }
    if (!immagine.isNull())
        grafico_.imposta_immagine(immagine);
    campi_.aggiorna_grafico();
    return true;
}

void CaricatoreValvola::clear_dativalvola()
{
    grafico_.clear_param(0);
    vista_.mostra_foto(QString());
    file_foto_.clear();
    estensione_foto_.clear();
    vista_.imposta_nome_file(NomeFile::piedinatura, QString());
    vista_.mostra_piedinatura(QString());
    file_piedinatura_.clear();
    estensione_piedinatura_.clear();
    vista_.imposta_nome_file(NomeFile::curva, QString());
    grafico_.rimuovi_immagine();
    StatoGrafico& s = grafico_.stato();
    s.imax_x = s.imax_y = 0;
    s.imax_i = 0;
    s.vmax_x = s.vmax_y = 0;
    s.vmax_v = 0;
    s.org_x = s.org_y = 0;
    campi_.imposta_testo(Campo::potenza_anodica, QString());
    for (int i = 0; i < 3; ++i)
        vista_.imposta_nome_valvola(i, QString());
    vista_.svuota_caratteristiche();
    vista_.imposta_nome_file(NomeFile::immagine, QString());
    vista_.disabilita_comandi_valvola();
    id_ = 0;
    file_curva_.clear();
    modello_.reset();
    vista_.imposta_modello_presente(false);
    grafico_.Picture1_MouseMove(0, 0, 0, 0);
    for (Campo f : {Campo::gain_value, Campo::r_value, Campo::r_anodica, Campo::r_catodica, Campo::c_catodica})
        campi_.imposta_testo(f, QString());
}

void CaricatoreValvola::mostra_caratteristiche(int r)
{
    for (int i = 0; i < 10; ++i) {
        const RigaCaratteristica& rc = caratteristiche[i];
        // The second heater is hidden only by the exact text "0"; the screen
        // lines by any value that reads as zero or less, empty included.
        if ((i == 2 || i == 3) && cella(r, 18) == QStringLiteral("0"))
            continue;
        if (i >= 7 && !(numeri::valore_iniziale(cella(r, 23)) > 0))
            continue;
        vista_.aggiungi_caratteristica(QCoreApplication::translate("Caratteristiche", rc.etichetta),
                                       cella(r, rc.colonna), QString::fromUtf8(rc.unita));
    }

    if (!modello_)
        return;
    // The stored model under the ratings: kind, parameters, where it came
    // from and how well it fits its picture.
    const modello::ModelloSalvato& m = *modello_;
    const auto& p = m.parametri;
    const bool pentodo = p.tipo == modello::TipoModello::pentodo_koren;
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    auto numero = [&locale](double v, int cifre = 5) { return locale.toString(v, 'g', cifre); };
    vista_.aggiungi_caratteristica(QCoreApplication::translate("CaricatoreValvola", "Modello"),
                                   pentodo ? QCoreApplication::translate("CaricatoreValvola", "Pentodo (Koren)")
                                           : QCoreApplication::translate("CaricatoreValvola", "Triodo (Koren)"),
                                   QString());
    vista_.aggiungi_caratteristica(QStringLiteral("mu"), numero(p.mu), QString());
    vista_.aggiungi_caratteristica(QStringLiteral("Ex"), numero(p.ex), QString());
    vista_.aggiungi_caratteristica(QStringLiteral("Kg1"), numero(p.kg1), QStringLiteral("(E1^Ex/Kg1)(1+sgn E1)"));
    vista_.aggiungi_caratteristica(QStringLiteral("Kp"), numero(p.kp), QString());
    vista_.aggiungi_caratteristica(QStringLiteral("Kvb"), numero(p.kvb),
                                   pentodo ? QStringLiteral("V") : QStringLiteral("V²"));
    if (pentodo)
        vista_.aggiungi_caratteristica(QStringLiteral("Vg2"), numero(p.vg2), QStringLiteral("V"));
    else
        vista_.aggiungi_caratteristica(QStringLiteral("Vct"), numero(p.vct, 3), QStringLiteral("V"));
    vista_.aggiungi_caratteristica(QCoreApplication::translate("CaricatoreValvola", "Fonte modello"), m.fonte,
                                   QString());
    if (m.punti > 0) {
        vista_.aggiungi_caratteristica(QCoreApplication::translate("CaricatoreValvola", "Scarto medio"),
                                       numero(m.scarto_medio, 3), QStringLiteral("px"));
        vista_.aggiungi_caratteristica(QCoreApplication::translate("CaricatoreValvola", "Scarto massimo"),
                                       numero(m.scarto_massimo, 3), QStringLiteral("px"));
    }
    if (!m.data.isEmpty())
        vista_.aggiungi_caratteristica(QCoreApplication::translate("CaricatoreValvola", "Data modello"), m.data,
                                       QString());
}

void CaricatoreValvola::leggi_modello()
{
    modello_.reset();
    if (id_ > 0)
        modello_ = archivio_modelli::leggi_modello(cartelle().file_basedati, id_);
    vista_.imposta_modello_presente(modello_.has_value());
}

void CaricatoreValvola::aggiorna_modello()
{
    const int r = numeri::arrotonda_int32(numeri::valore_iniziale(vista_.testo_riga_db())).value_or(0);
    leggi_modello();
    vista_.svuota_caratteristiche();
    mostra_caratteristiche(r);
}
