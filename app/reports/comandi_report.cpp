#include "reports/comandi_report.h"

#include "common/testo_tradotto.h"

#include "archive/cartelle.h"
#include "common/lingua.h"
#include "common/libreria_immagini.h"
#include "platform/piattaforma.h"
#include "project/ingressi_finestre.h"
#include "reports/immagini_report.h"
#include "reports/pagina_html.h"
#include "reports/report_pdf.h"
#include "reports/stampa_report.h"
#include "reports/vista_report.h"
#include "tubes/caricatore_valvola.h"

#include <QFile>
#include <QFileInfo>
#include <QPagedPaintDevice>

namespace {

constexpr TestoTradotto titolo_prompt{"ComandiReport", QT_TRANSLATE_NOOP("ComandiReport", "Titolo del progetto")};
constexpr TestoTradotto errore_file{"ComandiReport",
                                    QT_TRANSLATE_NOOP("ComandiReport", "Errore nella generazione del file")};
constexpr TestoTradotto errore_non_impostata{"ComandiReport",
                                             QT_TRANSLATE_NOOP("ComandiReport", "Errore pagina HTML non impostata")};
constexpr TestoTradotto errore_non_trovata{
    "ComandiReport", QT_TRANSLATE_NOOP("ComandiReport", "Errore pagina HTML di base non trovata")};
constexpr TestoTradotto domanda_risultato{"ComandiReport",
                                          QT_TRANSLATE_NOOP("ComandiReport", "Vuoi visualizzare il risultato?")};

std::optional<QString> nome_scelto(const std::optional<QString>& scelto)
{
    if (!scelto || scelto->trimmed().isEmpty())
        return std::nullopt;
    return scelto;
}

} // namespace

void ComandiReport::salvataggio_Click(int index)
{
    switch (index) {
    case voce_esporta::progetto_pdf: report_pdf(); break;
    case voce_esporta::progetto_html: esegui_saveHTML(true); break;
    case voce_esporta::diagramma_jpeg: esporta_grafico(); break;
    case voce_esporta::diagramma_html: esegui_saveHTML(false); break;
    default: break;
    }
}

QString ComandiReport::chiedi_titolo()
{
    return piattaforma_.input_box(titolo_prompt, {}).value_or(QString());
}

DatiReport ComandiReport::raccogli(const QString& titolo, bool immagini_mostrate, bool sezioni)
{
    DatiReport d;
    d.titolo = titolo;
    for (int i = 0; i < 3; ++i)
        d.nome_valvola[static_cast<size_t>(i)] = vista_.testo_nome_valvola(i);
    d.gain_value = vista_.valore(ValoreReport::gain_value);
    d.r_value = vista_.valore(ValoreReport::r_value);
    d.r_anodica = vista_.valore(ValoreReport::r_anodica);
    d.r_catodica = vista_.valore(ValoreReport::r_catodica);
    d.c_catodica = vista_.valore(ValoreReport::c_catodica);
    d.grid_v = vista_.valore(ValoreReport::grid_v);
    d.grid_i = vista_.valore(ValoreReport::grid_i);
    d.grid_bias = vista_.valore(ValoreReport::grid_bias);
    d.grafico = vista_.cattura_grafico();
    d.file_foto = valvola_.file_foto();
    d.estensione_foto = valvola_.estensione_foto();
    d.file_piedinatura = valvola_.file_piedinatura();
    d.estensione_piedinatura = valvola_.estensione_piedinatura();
    if (immagini_mostrate) {
        d.foto_mostrata = vista_.foto_mostrata();
        d.piedinatura_mostrata = vista_.piedinatura_mostrata();
        d.griglia_caratteristiche = vista_.griglia_caratteristiche();
    }
    if (sezioni && valvola_.modello()) {
        IngressiSezioni in;
        in.modello = valvola_.modello();
        if (!valvola_.file_curva().isEmpty())
            in.curva = immagini::leggi(valvola_.file_curva());
        in.taratura = vista_.taratura();
        in.dimensione_diagramma = d.grafico.size();
        in.risposta = finestre_.risposta;
        in.grafici_risposta = [this](const modello::ParametriModello& m, const risposta::TestiStadio& t) {
            return vista_.grafici_risposta(m, t);
        };
        in.finale = finestre_.finale;
        in.pmax_w = vista_.potenza_massima_w();
        in.grafici_finale = [this](const modello::ParametriModello& m, const finale::IngressiFinale& f, double p) {
            return vista_.grafici_finale(m, f, p);
        };
        d.sezioni = sezioni_report(in);
    }
    return d;
}

void ComandiReport::report_pdf()
{
    Piattaforma::DialogoFile dlg;
    dlg.titolo = QCoreApplication::translate("ComandiReport", "Salvataggio Progetto");
    dlg.filtri = QStringLiteral("pdf (*.pdf)|*.pdf|*.* (*.*)|*.*");
    dlg.nome_iniziale = QStringLiteral("*.pdf");
    dlg.conferma_sovrascrittura = true;
    const std::optional<QString> file = nome_scelto(piattaforma_.salva_file(dlg));
    if (!file)
        return;
    const QString titolo = chiedi_titolo();

    Piattaforma::Occupato occupato(piattaforma_);
    scrivi_report_pdf(raccogli(titolo, false, true), *file);
    if (piattaforma_.domanda_si_no(domanda_risultato)) {
        cartelle().titolo_pdf_da_mostrare = titolo;
        cartelle().pdf_da_mostrare = *file;
        vista_.mostra_report_pdf();
    }
}

void ComandiReport::esporta_grafico()
{
    Piattaforma::DialogoFile dlg;
    dlg.titolo = QCoreApplication::translate("ComandiReport", "Salvataggio Grafico");
    dlg.filtri = QStringLiteral("jpg (*.jpg)|*.jpg|TIFF (*.tif)|*.tif|BMP (*.bmp)|*.bmp");
    dlg.nome_iniziale = QStringLiteral("*.jpg");
    dlg.conferma_sovrascrittura = true;
    dlg.estensione_dal_filtro = true;
    const std::optional<Piattaforma::FileScelto> scelto = piattaforma_.salva_file_con_filtro(dlg);
    if (!scelto || scelto->percorso.trimmed().isEmpty())
        return;
    const FileGrafico file = file_grafico(scelto->percorso, scelto->indice_filtro);
    if (!salva_grafico(file.formato, file.nome, vista_.cattura_grafico()))
        piattaforma_.messaggio(errore_file);
}

void ComandiReport::esegui_saveHTML(bool MODO)
{
    Piattaforma::DialogoFile dlg;
    dlg.titolo = QCoreApplication::translate("ComandiReport", "Scelta Pagina Progetto HTML");
    dlg.filtri = QStringLiteral("htm (*.htm)|*.htm");
    dlg.nome_iniziale = QStringLiteral("*.htm");
    dlg.conferma_sovrascrittura = true;
    const std::optional<QString> pagina = nome_scelto(piattaforma_.salva_file(dlg));
    if (!pagina)
        return;
    const QString modello =
        pagina_html::modello_nella_lingua(MODO ? cartelle().file_schema_completo : cartelle().file_schema_diagramma,
                                          codice_lingua(lingua_corrente()));
    if (modello.isEmpty()) {
        piattaforma_.messaggio(errore_non_impostata);
        return;
    }
    QFile file_modello(modello);
    QByteArray testo;
    if (file_modello.open(QIODevice::ReadOnly))
        testo = file_modello.readAll();
    if (testo.isEmpty()) {
        piattaforma_.messaggio(errore_non_trovata);
        return;
    }
    const QString titolo = chiedi_titolo();
    // A name without a folder is taken in the program folder.
    const QString percorso = QFileInfo(*pagina).isAbsolute() ? *pagina : cartelle().cartella_programma + *pagina;
    if (!pagina_html::scrivi_pagina_html(percorso, testo, raccogli(titolo, false, MODO), MODO)) {
        piattaforma_.messaggio(errore_file);
        return;
    }
    mostra_pagina_html(percorso);
}

void ComandiReport::mostra_pagina_html(const QString& pagina)
{
    piattaforma_.apri_browser(pagina, pagina_html::dimensione_browser(cartelle().larghezza_browser, 640),
                              pagina_html::dimensione_browser(cartelle().altezza_browser, 480));
}

void ComandiReport::stampa_Click(int index)
{
    const bool progetto = index == voce_stampa::progetto;
    piattaforma_.stampa(
        [&](QPagedPaintDevice& stampante) { stampa_pagina(stampante, raccogli({}, progetto, progetto), progetto); });
}
