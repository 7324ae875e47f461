#pragma once

#include "platform/piattaforma.h"

#include <QList>
#include <deque>
#include <functional>

// Answers every modal interaction from a script prepared in advance and keeps
// a record of what was asked, so tests drive the windows without waiting on a
// real dialog. An interaction with no scripted answer gets the safe one
// (No, Cancel) and is recorded like the others.
class PiattaformaScriptata : public Piattaforma {
public:
    enum class Tipo { Messaggio, Domanda, ApriFile, SalvaFile, InputBox, Stampa, Browser, Finestra };

    struct Richiesta {
        Tipo tipo;
        QString testo; // message text, input prompt, or dialog or window title
        QString titolo;
        DialogoFile dialogo; // for the file dialogs
        bool risposta_prevista = true;
        int larghezza = 0; // browser window size
        int altezza = 0;
    };

    // Scripted answers, taken in order of use, one queue per kind.
    void rispondi_si_no(bool si) { si_no_.push_back(si); }
    // Answers of the Yes/No/Cancel questions (recorded as Domanda too).
    void rispondi_si_no_annulla(Risposta r) { si_no_annulla_.push_back(r); }
    void rispondi_file(std::optional<QString> percorso) { file_.push_back(std::move(percorso)); }
    void rispondi_input(std::optional<QString> testo) { input_.push_back(std::move(testo)); }
    void rispondi_stampa(bool ok) { stampa_.push_back(ok); }
    // The filter a save dialog reports as selected; without one, the
    // dialog's own initial filter.
    void rispondi_filtro(int indice) { filtro_.push_back(indice); }
    // The PDF file a confirmed printer dialog prints to (an A4 page, 1200
    // dots per inch, no margin); without one the page goes to memory.
    void imposta_stampante(const QString& file_pdf) { file_stampa_ = file_pdf; }
    // The busy pointer is on (a guard lives), and how many times it came on.
    bool occupato() const { return occupato_ > 0; }
    int volte_occupato() const { return volte_occupato_; }
    // The answer to the next window of the program's own: a function that
    // works the window as a user would and returns its result code. A window
    // without one gets the answer it names in its "risposta_predefinita"
    // property, else Rejected, without being shown.
    void rispondi_finestra(std::function<int(QDialog&)> risposta) { finestre_.push_back(std::move(risposta)); }

    const QList<Richiesta>& richieste() const { return richieste_; }
    QStringList messaggi() const; // the texts of the OK message boxes, in order
    void azzera() { richieste_.clear(); }

    void messaggio(const QString& testo, const QString& titolo = {}) override;
    bool domanda_si_no(const QString& testo, const QString& titolo = {}) override;
    // Without a scripted answer: No, so a command goes on as it did before
    // it asked; a test that means Annulla scripts it.
    Risposta domanda_si_no_annulla(const QString& testo, const QString& titolo = {}) override;
    std::optional<QString> apri_file(const DialogoFile& d) override;
    std::optional<QString> salva_file(const DialogoFile& d) override;
    std::optional<QString> input_box(const QString& prompt, const QString& titolo,
                                     const QString& predefinito = {}) override;
    bool stampa(const Impaginazione& disegna) override;
    std::optional<FileScelto> salva_file_con_filtro(const DialogoFile& d) override;
    // Records the page and the window size; no browser is started.
    void apri_browser(const QString& pagina, int larghezza, int altezza) override;
    void puntatore_occupato(bool occupato) override;
    int esegui(QDialog& finestra) override;

private:
    std::optional<QString> file(Tipo tipo, const DialogoFile& d);

    std::deque<bool> si_no_;
    std::deque<Risposta> si_no_annulla_;
    std::deque<std::optional<QString>> file_;
    std::deque<std::optional<QString>> input_;
    std::deque<bool> stampa_;
    std::deque<int> filtro_;
    QString file_stampa_;
    int occupato_ = 0;
    int volte_occupato_ = 0;
    std::deque<std::function<int(QDialog&)>> finestre_;
    QList<Richiesta> richieste_;
};
