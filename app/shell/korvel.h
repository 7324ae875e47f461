#pragma once

#include "chart/vista_grafico.h"
#include "common/libreria_immagini.h"
#include "finale/stadio_finale.h"
#include "model/modello_valvola.h"
#include "project/ingressi_finestre.h"
#include "project/vista_progetto.h"
#include "reports/comandi_report.h"
#include "reports/vista_report.h"
#include "tubes/vista_valvola.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <memory>
#include <optional>

class QAction;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTimer;
class CaricatoreValvola;
class ComandiProgetto;
class ComandiReport;
class Grafico;
class KOR_MANUALE;
class ListaValvole;
class Vedi_Schema;
class GrigliaDB;
class ModelloListaValvole;
class Picture1;
class Piattaforma;

// The items of "&Edit" (the indexed array calc_function); the separators
// are items of the array too.
namespace voce_calcolo {
inline constexpr int completa_retta = 0;     // "Co&mpleta Retta"
inline constexpr int calcolo_componenti = 1; // "&Calcolo Componenti"
inline constexpr int ricalcola_retta = 3;    // "Ria&lcola e disegna Retta"
inline constexpr int grafico_risposta = 5;   // "&Grafico Risposta"
inline constexpr int numero = 7;
} // namespace voce_calcolo

// The main window "Calcolatore Retta di Carico": the chart with its value
// fields, the tube information page, the tube list and every menu command.
// Controls carry the names the rest of the program knows them by; they are
// public so that the subsystems' window code and the tests reach them.
class KORVEL : public QMainWindow, public VistaGrafico, public VistaValvola, public VistaProgetto, public VistaReport {
    Q_OBJECT
public:
    // An empty program folder means the folder of the running executable.
    explicit KORVEL(Piattaforma& piattaforma, const QString& cartella_programma = {}, QWidget* parent = nullptr);
    ~KORVEL() override;

    // Start-up and shut-down.
    void KORVEL_Form_Load();
    void KORVEL_Form_Unload();

    // Auxiliary windows. The document viewer shows cartelle().pdf_da_mostrare
    // with its caption titolo_pdf_da_mostrare when one is handed over, else
    // the user manual; a viewer already open is closed first. Modal for the
    // windows that are modal themselves.
    void mostra_visualizzatore_pdf(bool modale = false);
    void chiudi_visualizzatore_pdf();
    // (chiudi_vedi_schema, below with the tube loader's hooks, closes the
    // schematic window.)
    KOR_MANUALE* visualizzatore_pdf() const;
    Vedi_Schema* vedi_schema() const;

    // The subsystems the window wires its commands and events to.
    Piattaforma& piattaforma() { return piattaforma_; }
    Grafico& grafico() { return *grafico_; }
    CaricatoreValvola& caricatore() { return *caricatore_; }
    ListaValvole& lista() { return *lista_; }
    ComandiProgetto& progetto() { return *progetto_; }
    LibreriaImmagini& libreria_immagini() { return libreria_immagini_; }
    ComandiReport& report() { return *report_; }
    const IngressiFinestre& ingressi_finestre() const { return ingressi_finestre_; }

    // VistaGrafico
    QString testo(Campo campo) const override;
    void imposta_testo(Campo campo, const QString& testo) override;
    void imposta_legenda(Legenda legenda, const QColor& sfondo, const QString& caption) override;
    QColor sfondo_legenda(Legenda legenda) const override;
    QString caption_legenda(Legenda legenda) const override;
    Legenda legenda_selezionata() const override;
    void abilita_cancella(int indice, bool abilitato) override;
    void imposta_potenza_bloccata(bool bloccata) override;
    bool potenza_bloccata() const override;
    void imposta_caption_traccia_maxpower(const QString& caption) override;
    void aggiorna_grafico() override;
    // Opens the "Parametri ricalcolo" dialog over this window.
    void chiedi_ricalcolo(StatoGrafico& stato) override;

    // VistaValvola
    QString testo_riga_db() const override;
    void imposta_riga_db(const QString& testo) override;
    QString testo_nome_valvola(int indice) const override;
    void imposta_nome_valvola(int indice, const QString& testo) override;
    void svuota_caratteristiche() override;
    void aggiungi_caratteristica(const QString& etichetta, const QString& valore, const QString& unita) override;
    void imposta_nome_file(NomeFile nome, const QString& testo) override;
    int altezza_foto() const override;
    void imposta_larghezza_foto(int larghezza) override;
    void mostra_foto(const QString& percorso) override;
    void mostra_piedinatura(const QString& percorso) override;
    void Abilita_MenuFunzioni(const QString& appo) override;
    void disabilita_comandi_valvola() override;
    void imposta_modello_presente(bool presente) override;
    void Init_parametri() override;
    void avvia_timer_settab(int millisecondi) override;
    void chiudi_vedi_schema() override;

    // VistaProgetto (the designations, Abilita_MenuFunzioni and the tab
    // timer are the ones above)
    void svuota_informazioni_valvola() override;
    // VistaReport (testo_nome_valvola is shared with VistaValvola)
    QString valore(ValoreReport campo) const override;
    QImage cattura_grafico() override;
    QImage foto_mostrata() const override;
    QImage piedinatura_mostrata() const override;
    QImage griglia_caratteristiche() const override;
    Taratura taratura() const override;
    std::vector<QImage> grafici_risposta(const modello::ParametriModello& modello,
                                         const risposta::TestiStadio& testi) override;
    double potenza_massima_w() const override;
    std::vector<FiguraSezione> grafici_finale(const modello::ParametriModello& modello,
                                              const finale::IngressiFinale& ingressi, double pmax_w) override;
    void mostra_report_pdf() override;

    QLineEdit* campo(Campo c) const;

    // ---- controls ----
    // top strip
    QLineEdit* riga_db = nullptr;
    std::array<QLineEdit*, 3> nome_valvola{};
    // tabs
    QTabWidget* SSTab1 = nullptr;
    // tab 0: chart and value fields
    QGroupBox* Frame6 = nullptr;
    Picture1* Picture1_ = nullptr;
    QLabel* Picture2 = nullptr;
    QGroupBox *Frame_maxI = nullptr, *Frame5 = nullptr, *Frame8 = nullptr, *Frame_maxv = nullptr;
    std::array<QGroupBox*, 2> Frame_origine{};
    QGroupBox *Frame_retta = nullptr, *Frame_lavoro = nullptr, *Frame_guadagno = nullptr;
    QGroupBox *Frame4 = nullptr, *Frame_potenzamassima = nullptr;
    QPushButton *legenda_retta = nullptr, *legenda_lavoro = nullptr, *legenda_guadagno = nullptr;
    QLabel* Image1 = nullptr;
    // tab 1: tube information
    QGroupBox* Frame1 = nullptr;
    QTableWidget* grid_caratteristiche = nullptr;
    QLabel *immagine_tubo = nullptr, *piedinatura_valvola = nullptr;
    QLabel *nomefile_immagine = nullptr, *nomefile_curva = nullptr, *nomefile_piedinatura = nullptr;
    // tab 2: tube list
    QGroupBox* Frame3 = nullptr;
    GrigliaDB* griglia_DB = nullptr;
    QTimer* Timer_settab = nullptr;

    // ---- menus ----
    QMenu *dummy10 = nullptr, *menu_tracciatura = nullptr, *dummy30 = nullptr, *dummy40 = nullptr;
    QMenu *funzioni_stampa = nullptr, *funzioni_esporta = nullptr, *dummy21 = nullptr;
    QAction *lettura_progetto = nullptr, *scrittura_progetto = nullptr, *import_archivio = nullptr, *uscita = nullptr;
    std::array<QAction*, voce_stampa::numero> stampa{};
    std::array<QAction*, voce_esporta::numero> salvataggio{};
    QAction* traccia_maxpower = nullptr;
    std::array<QAction*, voce_calcolo::numero> calc_function{};
    std::array<QAction*, voce_cancella::numero> canc_function{};
    QAction* reload_singolo = nullptr;
    QAction *load_basedati = nullptr, *nuova_valvola = nullptr, *crea_zipfile = nullptr;
    QAction* modello_valvola = nullptr; // "Utilità > &Modello Valvola..."
    QAction* stadio_finale = nullptr;   // "Utilità > Stadio &Finale..."
    QAction* mostra_modello = nullptr;  // "Edit > Mostra Modello", checked while drawn
    QAction *help_cmd = nullptr, *about_cmd = nullptr;
    // "? > Lingua": the language of the next start.
    QMenu* menu_lingua = nullptr;
    QAction *lingua_italiano = nullptr, *lingua_english = nullptr;

    // Background of the fields the user types values into (light cyan).
    static QString stile_campo_digitabile();

    // The photograph frame keeps this height and takes the photo's aspect.
    static constexpr int altezza_immagine_tubo = 160;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void crea_controlli();
    QWidget* crea_tab_grafico();
    QWidget* crea_tab_informazioni();
    QWidget* crea_tab_archivio();
    void crea_menu();
    void collega_eventi();

    // menu commands
    void uscita_Click();
    void load_basedati_Click();
    void nuova_valvola_Click();
    void crea_zipfile_Click();
    void modello_valvola_Click();
    void mostra_modello_Click(bool mostra);
    void import_archivio_Click();
    // Tells the user a tube list rebuild met a locked or damaged database.
    void segnala_esito_base_dati();
    void Timer_settab_Timer();
    void help_cmd_Click();
    void about_cmd_Click();
    void crea_menu_lingua();
    void lingua_Click(bool inglese);
    void Image1_Click();
    void collega_finestre_ausiliarie();
    // "&Grafico Risposta" (korvel_risposta.cpp)
    void collega_grafico_risposta();
    void aggiorna_grafico_risposta();
    void grafico_risposta_Click();
    std::optional<modello::ModelloSalvato> modello_caricato() const;
    // "Utilità > Stadio &Finale..." (korvel_finale.cpp)
    void collega_stadio_finale();
    void stadio_finale_Click();

    Piattaforma& piattaforma_;
    QString cartella_programma_;
    LibreriaImmagini libreria_immagini_;
    std::unique_ptr<Grafico> grafico_;
    ModelloListaValvole* modello_lista_ = nullptr;
    std::unique_ptr<CaricatoreValvola> caricatore_;
    std::unique_ptr<ListaValvole> lista_;
    std::unique_ptr<ComandiProgetto> progetto_;
    std::unique_ptr<ComandiReport> report_;
    // The design's windows' inputs: the project commands save and restore
    // them, the reports print them, "Grafico Risposta" opens on them.
    IngressiFinestre ingressi_finestre_;
    std::array<QLineEdit*, static_cast<int>(Campo::riga_db) + 1> campi_{};
    // Enter/focus-loss watchers of the grid-voltage fields; removed first at
    // destruction, since the fields lose the focus while they are torn down.
    std::array<QObject*, 2> filtri_fuoco_{};
    bool scaricata_ = false;
    QPointer<KOR_MANUALE> visualizzatore_pdf_;
    QPointer<Vedi_Schema> vedi_schema_;
    // The output stage's inputs as last set in its window for the loaded
    // tube; the project keeps them. None until the window is used.
};
