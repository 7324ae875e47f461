#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QPagedPaintDevice;
class QDialog;
class QWidget;

// Every modal interaction with the desktop goes through this interface, so the
// windows can be driven by tests with scripted answers (PiattaformaScriptata)
// and by the user through real dialogs (PiattaformaQt).
class Piattaforma {
public:
    // What a file dialog is asked to show. Filters use the "descr|pattern|"
    // list form of the program ("gif (*.gif)|*.gif|Generico (*.*)|*.*|").
    struct DialogoFile {
        QString titolo;
        QString cartella;
        QString nome_iniziale;
        QString filtri;
        int indice_filtro = 1; // 1-based, as the filter lists are numbered
        bool deve_esistere = false;
        bool conferma_sovrascrittura = false;
        // A save dialog adds the selected filter's extension to a name typed
        // without one, before it asks about replacing a file.
        bool estensione_dal_filtro = false;
    };

    virtual ~Piattaforma() = default;

    // Message box with the OK button.
    virtual void messaggio(const QString& testo, const QString& titolo = {}) = 0;
    // Message box with Yes and No, No being the default; true on Yes.
    virtual bool domanda_si_no(const QString& testo, const QString& titolo = {}) = 0;
    // Message box with Yes, No and Cancel ("Sì", "No", "Annulla"), Yes
    // being the default; closing it answers Cancel.
    enum class Risposta { si, no, annulla };
    virtual Risposta domanda_si_no_annulla(const QString& testo, const QString& titolo = {}) = 0;
    // Open/save file dialogs; an empty optional means the user cancelled.
    virtual std::optional<QString> apri_file(const DialogoFile& d) = 0;
    virtual std::optional<QString> salva_file(const DialogoFile& d) = 0;
    // Input box; empty optional on cancel.
    virtual std::optional<QString> input_box(const QString& prompt, const QString& titolo,
                                             const QString& predefinito = {}) = 0;
    // Printer dialog; once confirmed, `disegna` lays the page out on the
    // printer chosen, from the paper's corner. False on cancel.
    using Impaginazione = std::function<void(QPagedPaintDevice& pagina)>;
    virtual bool stampa(const Impaginazione& disegna) = 0;

    // A save dialog that also tells which filter the user selected (1-based).
    struct FileScelto {
        QString percorso;
        int indice_filtro = 1;
    };
    virtual std::optional<FileScelto> salva_file_con_filtro(const DialogoFile& d) = 0;

    // Opens an HTML page in a browser window of the given size at the
    // screen's top-left corner; the window lives on by itself.
    virtual void apri_browser(const QString& pagina, int larghezza, int altezza) = 0;

    // A window of the program's own shown modally; its result code
    // (QDialog::Accepted, QDialog::Rejected or one of the window's own).
    virtual int esegui(QDialog& finestra) = 0;

    // The busy pointer on (true) and back off (false); the calls nest. Use
    // the guard Occupato rather than calling this directly.
    virtual void puntatore_occupato(bool occupato) = 0;

    // The busy pointer for as long as the guard lives, whichever way the
    // work ends.
    class Occupato {
    public:
        explicit Occupato(Piattaforma& piattaforma) : piattaforma_(piattaforma)
        {
            piattaforma_.puntatore_occupato(true);
        }
        ~Occupato() { piattaforma_.puntatore_occupato(false); }
        Occupato(const Occupato&) = delete;
        Occupato& operator=(const Occupato&) = delete;

    private:
        Piattaforma& piattaforma_;
    };

    // The window that owns the dialogs (may be null).
    void imposta_finestra(QWidget* finestra) { finestra_ = finestra; }
    QWidget* finestra() const { return finestra_; }

    // Turns a "descr|pattern|descr|pattern|" list into Qt name filters.
    static QStringList filtri_qt(const QString& filtri);

private:
    QWidget* finestra_ = nullptr;
};
