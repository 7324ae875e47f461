#include "project/comandi_progetto.h"

#include "chart/grafico.h"
#include "chart/stile_disegno.h"
#include "chart/vista_grafico.h"
#include "common/numeri.h"
#include "platform/piattaforma.h"
#include "project/lettura_xml.h"
#include "project/scrittura_xml.h"
#include "project/vista_progetto.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/lista_valvole.h"

#include <QFileInfo>

const QString ComandiProgetto::filtri_dialogo = QStringLiteral("xml (*.xml)|*.xml");

namespace {

// Tube list columns.
constexpr int colonna_euro = 1;
constexpr int colonna_usa = 2;
constexpr int colonna_modo = 4;

Piattaforma::DialogoFile dialogo_progetto()
{
    Piattaforma::DialogoFile d;
    d.titolo = ComandiProgetto::titolo_dialogo;
    d.nome_iniziale = QStringLiteral("*.xml");
    d.filtri = ComandiProgetto::filtri_dialogo;
    d.indice_filtro = 1;
    return d;
}

// A line that was never filled (both differences zero) is not drawn.
bool vuota(const segmento& s)
{
    return s.x0 - s.y0 == 0.0f && s.x1 - s.y1 == 0.0f;
}

bool vuoto(const punto& p)
{
    return p.x == 0.0f && p.y == 0.0f;
}

} // namespace

ComandiProgetto::ComandiProgetto(VistaProgetto& vista, VistaGrafico& campi, Grafico& grafico,
                                 CaricatoreValvola& caricatore, const ListaValvole& lista, Piattaforma& piattaforma,
                                 IngressiFinestre& finestre)
    : vista_(vista), campi_(campi), grafico_(grafico), caricatore_(caricatore), lista_(lista),
      piattaforma_(piattaforma), finestre_(finestre)
{
}

// ---- saving ----

Progetto ComandiProgetto::progetto_corrente() const
{
    Progetto p;
    p.usa = vista_.testo_nome_valvola(0);
    p.euro = vista_.testo_nome_valvola(1);
    p.modo = vista_.testo_nome_valvola(2);
    p.guadagno = campi_.testo(Campo::gain_value);
    // The field may hold the words "not computable" in the language of the
    // start; the file keeps them as the Italian program writes them, so a
    // project reads the same in every language.
    p.r_tubo = campi_.testo(Campo::r_value);
    if (p.r_tubo == Grafico::testo_non_calcolabile.testo())
        p.r_tubo = QString::fromUtf8(Grafico::testo_non_calcolabile.sorgente);
    p.r_anodica = campi_.testo(Campo::r_anodica);
    p.r_catodica = campi_.testo(Campo::r_catodica);
    p.c_catodica = campi_.testo(Campo::c_catodica);
    p.potenza = campi_.testo(Campo::potenza_anodica);
    // The field is locked exactly while the curve is on the chart.
    p.potenza_visibile = campi_.potenza_bloccata();
    p.grid_bias = campi_.testo(Campo::grid_bias);
    p.gain_bias = campi_.testo(Campo::gain_bias);
    const StatoGrafico& s = grafico_.stato();
    p.rette = s.rette;
    p.rette_calcolate = s.rette_calcolate;
    p.punti_lavoro = s.punti_lavoro;
    p.punti_guadagno = s.punti_guadagno;
    p.finestre = finestre_;
    return p;
}

bool ComandiProgetto::Salva_Progetto(const QString& nome_file)
{
    const QByteArray byte = byte_progetto(progetto_corrente());
    // A file that "Leggi Progetto" would refuse (a line completed thousands
    // of pictures away, a design too large) is not written: the user hears
    // of it now, and the previous file stays as it was.
    if (byte.size() > limite_file_progetto || !Ricarica_Progetto(byte))
        return false;
    return scrivi_file_progetto(nome_file, byte);
}

void ComandiProgetto::scrittura_progetto_Click()
{
    salva_con_dialogo();
}

bool ComandiProgetto::salva_con_dialogo()
{
    Piattaforma::DialogoFile d = dialogo_progetto();
    d.conferma_sovrascrittura = true;
    d.estensione_dal_filtro = true;
    const auto scelto = piattaforma_.salva_file(d);
    if (!scelto || scelto->isEmpty())
        return false;
    // "Leggi Progetto" lists "*.xml" only: a project saved without the
    // extension would not be found again.
    QString nome = *scelto;
    if (QFileInfo(nome).suffix().isEmpty())
        nome += nome.endsWith(u'.') ? QStringLiteral("xml") : QStringLiteral(".xml");
    const bool salvato = Salva_Progetto(nome);
    if (salvato)
        segna_salvato();
    piattaforma_.messaggio(salvato ? testo_salvato : testo_errore_salvataggio);
    return salvato;
}

void ComandiProgetto::segna_salvato()
{
    salvato_ = byte_progetto(progetto_corrente());
}

bool ComandiProgetto::progetto_modificato() const
{
    const StatoGrafico& s = grafico_.stato();
    const bool disegnato = numero_oggetti(s.rette) > 0 || numero_oggetti(s.punti_lavoro) > 0 ||
                           numero_oggetti(s.punti_guadagno) > 0 || numero_oggetti(s.rette_calcolate) > 0 ||
                           campi_.potenza_bloccata() || finestre_.finale.has_value();
    return disegnato && byte_progetto(progetto_corrente()) != salvato_;
}

bool ComandiProgetto::conferma_abbandono()
{
    if (!progetto_modificato())
        return true;
    switch (piattaforma_.domanda_si_no_annulla(domanda_salvataggio)) {
    case Piattaforma::Risposta::si: return salva_con_dialogo();
    case Piattaforma::Risposta::no: return true;
    case Piattaforma::Risposta::annulla: break;
    }
    return false;
}

// ---- loading ----

void ComandiProgetto::lettura_progetto_Click()
{
    if (!conferma_abbandono())
        return;
    Piattaforma::DialogoFile d = dialogo_progetto();
    d.deve_esistere = true;
    const auto nome = piattaforma_.apri_file(d);
    if (!nome || nome->isEmpty())
        return;
    apri_progetto(*nome);
}

std::optional<int> ComandiProgetto::riga_valvola(const Progetto& p) const
{
    int colonna = colonna_usa;
    QString sigla = p.usa;
    if (sigla.isEmpty()) {
        if (p.euro.isEmpty())
            return std::nullopt;
        colonna = colonna_euro;
        sigla = p.euro;
    }
    const int righe = lista_.righe_valvole();
    for (int r = 1; r <= righe; ++r) {
        if (lista_.cella_lista(r, colonna) == sigla && lista_.cella_lista(r, colonna_modo) == p.modo)
            return r;
    }
    return 0;
}

bool ComandiProgetto::apri_progetto(const QString& nomefile)
{
    // Everything that can fail is done before the design on screen is
    // touched: a bad file or a tube that is not in the list keeps it.
    const StatoGrafico& s = grafico_.stato();
    const ColoriOggetti colori{s.colore_retta, s.colore_retta_calcolata, s.colore_lavoro, s.colore_guadagno};
    std::optional<Progetto> progetto;
    if (const auto byte = leggi_file_progetto(nomefile))
        progetto = Ricarica_Progetto(*byte, colori);
    if (!progetto) {
        piattaforma_.messaggio(testo_errore_lettura);
        return false;
    }
    const auto riga = riga_valvola(*progetto);
    if (!riga) {
        piattaforma_.messaggio(testo_sigla_assente);
        return false;
    }
    if (*riga == 0) {
        piattaforma_.messaggio(testo_valvola_assente);
        return false;
    }
    ripristina(*progetto, *riga);
    segna_salvato();
    return true;
}

void ComandiProgetto::ripristina(const Progetto& p, int riga)
{
    caricatore_.clear_dativalvola();

    vista_.imposta_nome_valvola(0, p.usa);
    vista_.imposta_nome_valvola(1, p.euro);
    vista_.imposta_nome_valvola(2, p.modo);
    if (!p.grid_bias.isEmpty())
        campi_.imposta_testo(Campo::grid_bias, p.grid_bias);
    if (!p.gain_bias.isEmpty())
        campi_.imposta_testo(Campo::gain_bias, p.gain_bias);
    StatoGrafico& s = grafico_.stato();
    s.rette = p.rette;
    s.rette_calcolate = p.rette_calcolate;
    s.punti_lavoro = p.punti_lavoro;
    s.punti_guadagno = p.punti_guadagno;
    s.traccia_attiva = false;

    campi_.imposta_testo(Campo::riga_db, QString::number(riga));
    QString nome = p.usa;
    if (!p.euro.isEmpty())
        nome += (nome.isEmpty() ? QString() : QStringLiteral(",")) + p.euro;
    vista_.Abilita_MenuFunzioni(nome);

    vista_.svuota_informazioni_valvola();
    grafico_.rimuovi_immagine();
    campi_.imposta_testo(Campo::potenza_anodica, QString());
    caricatore_.carica_dativalvola();
    // The calibration markers, as when the tube is chosen from the list, so
    // the chart looks as it did when the project was saved.
    grafico_.draw_marker();

    // The legends and erase entries of the previous design would otherwise
    // outlive it for the kinds the file does not hold.
    for (Legenda l : {Legenda::retta, Legenda::lavoro, Legenda::guadagno})
        campi_.imposta_legenda(l, Grafico::colore_assente(), Grafico::testo_assente);
    for (int i = 0; i < voce_cancella::numero; ++i)
        campi_.abilita_cancella(i, false);

    ripristina_rette(p);
    ripristina_punti_lavoro(p);
    ripristina_punti_guadagno(p);
    ripristina_rette_calcolate(p);

    // Ordinary text changes: r_anodica reacts to its restored text.
    campi_.imposta_testo(Campo::gain_value, p.guadagno);
    campi_.imposta_testo(Campo::r_value, p.r_tubo == QString::fromUtf8(Grafico::testo_non_calcolabile.sorgente)
                                             ? Grafico::testo_non_calcolabile.testo()
                                             : p.r_tubo);
    campi_.imposta_testo(Campo::r_anodica, p.r_anodica);
    campi_.imposta_testo(Campo::r_catodica, p.r_catodica);
    campi_.imposta_testo(Campo::c_catodica, p.c_catodica);
    campi_.imposta_testo(Campo::potenza_anodica, p.potenza);

    campi_.imposta_potenza_bloccata(false);
    if (p.potenza_visibile)
        grafico_.traccia_maxpower_Click();
    else
        campi_.imposta_caption_traccia_maxpower(Grafico::caption_traccia_potenza);

    // The windows open on the inputs the file gives, or on the chart's
    // design when it gives none.
    finestre_ = p.finestre;

    vista_.avvia_timer_settab(200);
}

void ComandiProgetto::ripristina_rette(const Progetto& p)
{
    const int n = numero_oggetti(p.rette);
    if (n < 1)
        return;
    for (int k = 1; k <= n; ++k) {
        const segmento& r = p.rette[std::size_t(k)];
        if (vuota(r))
            continue;
        grafico_.disegna_linea(r, r.colore);
        grafico_.paint_value(r.etichetta, r.x0, r.y0, colore_etichetta_retta);
    }
    StatoGrafico& s = grafico_.stato();
    const segmento& ultima = p.rette[std::size_t(n)];
    s.retta_x0 = ultima.x0;
    s.retta_y0 = ultima.y0;
    s.retta_x1 = ultima.x1;
    s.retta_y1 = ultima.y1;
    s.retta_v0 = grafico_.calcolav(s.retta_x0);
    s.retta_v1 = grafico_.calcolav(s.retta_x1);
    s.retta_i0 = grafico_.calcolai(s.retta_y0);
    s.retta_i1 = grafico_.calcolai(s.retta_y1);
    campi_.imposta_legenda(Legenda::retta, Grafico::colore_presente(Legenda::retta), ultima.etichetta);
    grafico_.display_valori(false);
    campi_.abilita_cancella(voce_cancella::retta, true);
}

void ComandiProgetto::ripristina_punti_lavoro(const Progetto& p)
{
    const int n = numero_oggetti(p.punti_lavoro);
    if (n < 1)
        return;
    for (int k = 1; k <= n; ++k) {
        const punto& q = p.punti_lavoro[std::size_t(k)];
        if (vuoto(q))
            continue;
        grafico_.disegna_box(q.x, q.y, q.colore);
        grafico_.paint_value(numeri::etichetta(u'L', k), q.x, q.y, colore_etichetta_lavoro);
    }
    campi_.imposta_legenda(Legenda::lavoro, Grafico::colore_presente(Legenda::lavoro), numeri::etichetta(u'L', n));
    StatoGrafico& s = grafico_.stato();
    const punto& ultimo = p.punti_lavoro[std::size_t(n)];
    s.lavoro_x = ultimo.x;
    s.lavoro_y = ultimo.y;
    s.lavoro_v = grafico_.calcolav(s.lavoro_x);
    s.lavoro_i = grafico_.calcolai(s.lavoro_y);
    // On the voltage axis there is no resistance; the rest of the project
    // is restored all the same, as a click on that point would.
    if (s.lavoro_i != 0.0) {
        if (const auto r = numeri::arrotonda_int32(s.lavoro_v * 1000.0 / s.lavoro_i))
            s.r_equiv_tubo = *r;
    }
    grafico_.display_valori(true);
    campi_.abilita_cancella(voce_cancella::punto_lavoro, true);
}

void ComandiProgetto::ripristina_punti_guadagno(const Progetto& p)
{
    const int n = numero_oggetti(p.punti_guadagno);
    if (n < 1)
        return;
    for (int k = 1; k <= n; ++k) {
        const punto& q = p.punti_guadagno[std::size_t(k)];
        if (vuoto(q))
            continue;
        grafico_.disegna_box(q.x, q.y, q.colore);
        grafico_.paint_value(numeri::etichetta(u'G', k), q.x, q.y, colore_etichetta_guadagno);
    }
    campi_.imposta_legenda(Legenda::guadagno, Grafico::colore_presente(Legenda::guadagno), numeri::etichetta(u'G', n));
    StatoGrafico& s = grafico_.stato();
    const punto& ultimo = p.punti_guadagno[std::size_t(n)];
    s.guadagno_x = ultimo.x;
    s.guadagno_y = ultimo.y;
    s.guadagno_v = grafico_.calcolav(s.guadagno_x);
    s.guadagno_i = grafico_.calcolai(s.guadagno_y);
    grafico_.display_valori(true);
    campi_.abilita_cancella(voce_cancella::punto_gain, true);
}

void ComandiProgetto::ripristina_rette_calcolate(const Progetto& p)
{
    const int n = numero_oggetti(p.rette_calcolate);
    if (n < 1)
        return;
    for (int k = 1; k <= n; ++k) {
        const segmento& r = p.rette_calcolate[std::size_t(k)];
        if (vuota(r))
            continue;
        grafico_.disegna_linea(r, r.colore);
        grafico_.paint_value(r.etichetta, r.x0, r.y0, colore_etichetta_retta);
    }
    campi_.abilita_cancella(voce_cancella::retta_calcolata, true);
}
