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
        QString testo;  // message text, input prompt, or dialog or window title
        QString titolo;
        DialogoFile dialogo; // for the file dialogs
        bool risposta_prevista = true;
        int larghezza = 0; // browser window size
        int altezza = 0;
    };

    // Scripted answers, taken in order of use, one queue per kind.
    void rispondi_si_no(bool si) { si_no_.push_back(si); }
    void rispondi_file(std::optional<QString> percorso) { file_.push_back(std::move(percorso)); }
    void rispondi_input(std::optional<QString> testo) { input_.push_back(std::move(testo)); }
    void rispondi_stampa(bool ok) { stampa_.push_back(ok); }
    // The filter a save dialog reports as selected; without one, the
    // dialog's own initial filter.
    void rispondi_filtro(int indice) { filtro_.push_back(indice); }
    // The answer to the next window of the program's own: a function that
    // works the window as a user would and returns its result code. A window
    // without one gets the answer it names in its "risposta_predefinita"
    // property, else Rejected, without being shown.
    void rispondi_finestra(std::function<int(QDialog&)> risposta) { finestre_.push_back(std::move(risposta)); }
    // A hook run on the printer the dialog would have set up (tests point
    // it at a PDF file).
    void imposta_stampante(std::function<void(QPrinter&)> prepara) { prepara_stampante_ = std::move(prepara); }

    const QList<Richiesta>& richieste() const { return richieste_; }
    QStringList messaggi() const; // the texts of the OK message boxes, in order
    void azzera() { richieste_.clear(); }

    void messaggio(const QString& testo, const QString& titolo = {}) override;
    bool domanda_si_no(const QString& testo, const QString& titolo = {}) override;
    std::optional<QString> apri_file(const DialogoFile& d) override;
    std::optional<QString> salva_file(const DialogoFile& d) override;
    std::optional<QString> input_box(const QString& prompt, const QString& titolo,
                                     const QString& predefinito = {}) override;
    bool dialogo_stampa(QPrinter& stampante) override;
    std::optional<FileScelto> salva_file_con_filtro(const DialogoFile& d) override;
    // Records the page and the window size; no browser is started.
    void apri_browser(const QString& pagina, int larghezza, int altezza) override;
    int esegui(QDialog& finestra) override;

private:
    std::optional<QString> file(Tipo tipo, const DialogoFile& d);

    std::deque<bool> si_no_;
    std::deque<std::optional<QString>> file_;
    std::deque<std::optional<QString>> input_;
    std::deque<bool> stampa_;
    std::deque<int> filtro_;
    std::deque<std::function<int(QDialog&)>> finestre_;
    std::function<void(QPrinter&)> prepara_stampante_;
    QList<Richiesta> richieste_;
};
