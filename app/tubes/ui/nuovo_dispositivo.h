#pragma once

// The new-tube window: the user loads a data-sheet picture of plate curves,
// marks the origin, a current and a voltage point on it, types their values
// and the tube's ratings, and saves the tube into the database and the data
// folders. Its calibration has the shape of the chart's and is turned into
// volts and milliamperes, marked and traced with the chart's own functions.

#include "chart/marker.h"
#include "chart/ui/picture1.h"
#include "chart/taratura.h"
#include "chart/tela.h"
#include "foglio/analisi_grafico.h"
#include "tubes/nuova_valvola.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class LibreriaImmagini;
class Piattaforma;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QTableWidget;
class QTemporaryDir;

class Nuovo_Dispositivo : public QDialog, private RicevitoreMouse {
    Q_OBJECT
public:
    // The windows of the "&?" menu, shown modally by whoever opens this
    // window; an empty function does nothing.
    struct FinestreAiuto {
        std::function<void()> manuale;
        std::function<void()> about;
    };

    static QString titolo();
    static const QString nome_curva_ridimensionata; // "CurvaRedim.gif"
    static QString titolo_inserimento();            // "Inserimento parametri"

    Nuovo_Dispositivo(Piattaforma& piattaforma, LibreriaImmagini& libreria, FinestreAiuto aiuto = {},
                      QWidget* parent = nullptr);
    ~Nuovo_Dispositivo() override;

    // Opens the window modally over `parent`, its dialogs over it, and
    // returns when it is closed.
    static void mostra(Piattaforma& piattaforma, LibreriaImmagini& libreria, FinestreAiuto aiuto, QWidget* parent);

    void Form_Load();
    void Form_Unload();

    void carica_Click(int index);
    void aggiorna_nomi();
    void set_point_Click(int index);
    void clear_dativalvola();
    void display_valori();
    double calcolav(float x) const;
    double calcolai(float y) const;

    void init_crigliacaratteristiche();
    void grid_caratteristiche_Click(int riga);
    void traccia_potenza_massima();
    void salva_DB_Click();
    void uscita_Click();
    void help_cmd_Click();
    void about_cmd_Click();

    // This window's points with the current and voltage typed in its fields,
    // read afresh at each call.
    Taratura taratura() const;
    const Taratura& punti() const { return nuova; }
    float nuova_mouse_x = 0, nuova_mouse_y = 0;

    const Tela& tela() const { return tela_; }
    // Where the rescaled curve picture lives while the window is open.
    QString file_curva_ridimensionata() const;
    // The entry as the save reads it.
    nuova_valvola::Voce voce() const;

    // Controls, named as the window's fields.
    Picture1* Picture1_ = nullptr;
    QLabel* immagine_tubo = nullptr;
    QLabel* piedinatura_valvola = nullptr;
    std::array<QLineEdit*, 2> nome_valvola{};
    QComboBox* Combo_modo = nullptr;
    QLabel *nomefile_curva = nullptr, *nomefile_immagine = nullptr, *nomefile_piedinatura = nullptr;
    QLabel *orig_curve = nullptr, *orig_Immagine = nullptr, *orig_piedinatura = nullptr;
    QLineEdit *max_current_X = nullptr, *max_current_y = nullptr, *max_current_i = nullptr;
    QLineEdit *max_voltage_X = nullptr, *max_voltage_Y = nullptr, *max_voltage_V = nullptr;
    QLineEdit *origin_X = nullptr, *origin_Y = nullptr;
    QLineEdit *curr_X = nullptr, *curr_v = nullptr, *curr_Y = nullptr, *curr_i = nullptr;
    QLineEdit* potenza_anodica = nullptr;
    QTableWidget* grid_caratteristiche = nullptr;
    QGroupBox *Frame_maxI = nullptr, *Frame_maxv = nullptr, *Frame_potenzamassima = nullptr;
    std::array<QGroupBox*, 2> Frame_origine{};

    QMenuBar* barra_menu = nullptr;
    QMenu *menu_file = nullptr, *menu_aiuto = nullptr, *menu_operazioni = nullptr;
    QAction* nuova_valvola = nullptr;
    std::array<QAction*, 3> carica{};
    QAction *salva_DB = nullptr, *uscita = nullptr, *help_cmd = nullptr, *about_cmd = nullptr;
    // Indexes 3 and 5 are separators.
    std::array<QAction*, 7> set_point{};

    // The grid found on the rescaled curve picture: with "Aggancia alla
    // griglia" checked the three calibration points snap to its
    // intersections, and one division is shown in volts and milliamperes.
    QAction* aggancia_griglia = nullptr;
    QLabel* divisione_griglia = nullptr;
    const analisi_grafico::Griglia& griglia() const { return griglia_; }
    void aggiorna_divisione();

    // Colours of this window's drawings, palette indexes.
    int colore_marker = 11;
    int colore_potenza = 8;
    bool traccia_attiva = false;

    void done(int risultato) override;

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    void crea_controlli();
    void crea_menu();
    void collega();

    void mouse_down(int button, int shift, float x, float y) override;
    void mouse_move(int button, int shift, float x, float y) override;
    void mouse_up(int button, int shift, float x, float y) override;

    // Moves one marker: the old one (if drawn) is erased, the new one drawn.
    void sposta_marker(Marker marker, float x, float y);
    // The curve picture goes, and the markers drawn over it with it.
    void rimuovi_curva();
    void aggiorna_tela();
    void carica_curva(const QString& percorso);
    void carica_foto(const QString& percorso);
    void carica_piedinatura(const QString& percorso);
    // The picture to rescale for a chosen curve file: a PDF's page, cropped
    // and straightened in "Ritaglia Grafico". Empty when nothing is to be
    // loaded (unreadable PDF, a window cancelled).
    std::optional<QString> prepara_curva(const QString& percorso);
    QLabel* crea_divisione();
    void crea_aggancio();
    void aggancia_alla_griglia(float& x, float& y) const;

    Piattaforma& piattaforma_;
    LibreriaImmagini& libreria_;
    FinestreAiuto aiuto_;
    Taratura nuova;
    Tela tela_;
    std::array<std::optional<QPointF>, 3> marker_disegnato_{};
    std::unique_ptr<QTemporaryDir> cartella_temporanea_;
    bool scaricata_ = false;
    analisi_grafico::Griglia griglia_;
};
