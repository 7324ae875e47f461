#pragma once

// The "Modello Valvola" window: traces the plate curves of the loaded tube's
// picture, fits a Koren model to them in the background, draws it over the
// picture, stores it with the tube and exports it as a SPICE subcircuit.

#include "chart/taratura.h"
#include "model/adattamento.h"
#include "model/modello_valvola.h"
#include "model/righe_curve.h"

#include <QDialog>
#include <QImage>
#include <QPointer>

#include <functional>
#include <optional>

class Piattaforma;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QThread;
class VistaCurveModello;

class FinestraModello : public QDialog {
    Q_OBJECT
public:
    // The tube the window works on.
    struct Valvola {
        int id = 0;    // ID in TabellaValvole
        QString sigla; // designation, names the SPICE file
        QString modo;  // TRIODO, PENTODO, ... (preselects the model)
        QString file_basedati;
        QString file_immagine;   // the curve picture, named in the export
        QString cartella_export; // where the export dialog opens
        QImage immagine;
        Taratura taratura;
    };

    FinestraModello(Piattaforma& piattaforma, Valvola valvola, QWidget* parent = nullptr);
    ~FinestraModello() override;

    // Opens the window modally; true when a model was saved.
    static bool mostra(Piattaforma& piattaforma, Valvola valvola, QWidget* parent = nullptr);

    // The commands, as the buttons run them (tests drive them too).
    void traccia_curve();
    void clic_immagine(QPointF punto);
    void rimuovi_curva();
    void unisci_curve();
    void adatta_modello();
    void salva_modello();
    void esporta_spice();

    bool adattamento_in_corso() const { return thread_ != nullptr; }
    bool modello_salvato() const { return salvato_; }
    // The picture with what the window draws over it, as shown.
    QImage immagine_mostrata() const;

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    // The fitted result as it is stored and exported, dated today.
    modello::ModelloSalvato modello_adattato() const;
    void costruisci();
    righe_curve::Sequenza sequenza() const;
    QVector<int> righe_scelte() const;
    // Shows righe_ in the table, selecting the rows given.
    void mostra_righe(const QVector<int>& scelte = {});
    void aggiorna_disegno();
    void adattamento_finito();
    void azzera_risultato();
    void abilita_comandi();
    bool pentodo() const;

    Piattaforma& piattaforma_;
    Valvola valvola_;
    QVector<righe_curve::Riga> righe_; // one per table row, in its order
    std::optional<adattamento::Risultato> risultato_;
    QVector<double> griglie_adattate_;
    bool salvato_ = false;

    QThread* thread_ = nullptr;
    std::shared_ptr<adattamento::Risultato> in_arrivo_;

    VistaCurveModello* vista_ = nullptr;
    QComboBox* combo_modello_ = nullptr;
    QLineEdit* vg2_ = nullptr;
    QLineEdit* vg_prima_ = nullptr;
    QLineEdit* vg_passo_ = nullptr;
    QPushButton* traccia_ = nullptr;
    QTableWidget* tabella_ = nullptr;
    QPushButton* rimuovi_ = nullptr;
    QPushButton* unisci_ = nullptr;
    QPushButton* adatta_ = nullptr;
    QLineEdit* mu_ = nullptr;
    QLineEdit* ex_ = nullptr;
    QLineEdit* kg1_ = nullptr;
    QLineEdit* kp_ = nullptr;
    QLineEdit* kvb_ = nullptr;
    QLineEdit* vct_ = nullptr;
    QLabel* etichetta_vct_ = nullptr;
    QLineEdit* scarto_medio_ = nullptr;
    QLineEdit* scarto_massimo_ = nullptr;
    QCheckBox* mostra_modello_ = nullptr;
    QPushButton* salva_ = nullptr;
    QPushButton* esporta_ = nullptr;
    QPushButton* chiudi_ = nullptr;
};
