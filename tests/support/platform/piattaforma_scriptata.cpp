#include "platform/piattaforma_scriptata.h"

#include <QBuffer>
#include <QDialog>
#include <QPageLayout>
#include <QPdfWriter>
#include <QVariant>

#include <memory>

QStringList PiattaformaScriptata::messaggi() const
{
    QStringList testi;
    for (const auto& r : richieste_)
        if (r.tipo == Tipo::Messaggio)
            testi << r.testo;
    return testi;
}

void PiattaformaScriptata::messaggio(const QString& testo, const QString& titolo)
{
    richieste_.append({Tipo::Messaggio, testo, titolo, {}, true});
}

bool PiattaformaScriptata::domanda_si_no(const QString& testo, const QString& titolo)
{
    const bool prevista = !si_no_.empty();
    bool si = false;
    if (prevista) {
        si = si_no_.front();
        si_no_.pop_front();
    }
    richieste_.append({Tipo::Domanda, testo, titolo, {}, prevista});
    return si;
}

Piattaforma::Risposta PiattaformaScriptata::domanda_si_no_annulla(const QString& testo, const QString& titolo)
{
    const bool prevista = !si_no_annulla_.empty();
    Risposta r = Risposta::no;
    if (prevista) {
        r = si_no_annulla_.front();
        si_no_annulla_.pop_front();
    }
    richieste_.append({Tipo::Domanda, testo, titolo, {}, prevista});
    return r;
}

std::optional<QString> PiattaformaScriptata::file(Tipo tipo, const DialogoFile& d)
{
    const bool prevista = !file_.empty();
    std::optional<QString> r;
    if (prevista) {
        r = file_.front();
        file_.pop_front();
    }
    richieste_.append({tipo, d.titolo, d.titolo, d, prevista});
    return r;
}

std::optional<QString> PiattaformaScriptata::apri_file(const DialogoFile& d)
{
    return file(Tipo::ApriFile, d);
}

std::optional<QString> PiattaformaScriptata::salva_file(const DialogoFile& d)
{
    return file(Tipo::SalvaFile, d);
}

std::optional<QString> PiattaformaScriptata::input_box(const QString& prompt, const QString& titolo,
                                                       const QString& /*predefinito*/)
{
    const bool prevista = !input_.empty();
    std::optional<QString> r;
    if (prevista) {
        r = input_.front();
        input_.pop_front();
    }
    richieste_.append({Tipo::InputBox, prompt, titolo, {}, prevista});
    return r;
}

bool PiattaformaScriptata::stampa(const Impaginazione& disegna)
{
    const bool prevista = !stampa_.empty();
    bool ok = false;
    if (prevista) {
        ok = stampa_.front();
        stampa_.pop_front();
    }
    richieste_.append({Tipo::Stampa, {}, {}, {}, prevista});
    if (!ok)
        return false;
    QBuffer memoria;
    memoria.open(QIODevice::WriteOnly);
    const auto pdf =
        file_stampa_.isEmpty() ? std::make_unique<QPdfWriter>(&memoria) : std::make_unique<QPdfWriter>(file_stampa_);
    pdf->setResolution(1200);
    pdf->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    disegna(*pdf);
    return true;
}

void PiattaformaScriptata::puntatore_occupato(bool occupato)
{
    if (occupato) {
        ++occupato_;
        ++volte_occupato_;
    } else if (occupato_ > 0) {
        --occupato_;
    }
}

std::optional<Piattaforma::FileScelto> PiattaformaScriptata::salva_file_con_filtro(const DialogoFile& d)
{
    const std::optional<QString> percorso = file(Tipo::SalvaFile, d);
    int indice = d.indice_filtro;
    if (!filtro_.empty()) {
        indice = filtro_.front();
        filtro_.pop_front();
    }
    if (!percorso)
        return std::nullopt;
    return FileScelto{*percorso, indice};
}

void PiattaformaScriptata::apri_browser(const QString& pagina, int larghezza, int altezza)
{
    Richiesta r{Tipo::Browser, pagina, {}, {}, true};
    r.larghezza = larghezza;
    r.altezza = altezza;
    richieste_.append(r);
}

int PiattaformaScriptata::esegui(QDialog& finestra)
{
    const bool prevista = !finestre_.empty();
    richieste_.append({Tipo::Finestra, finestra.windowTitle(), finestra.windowTitle(), {}, prevista});
    if (!prevista) {
        const QVariant predefinita = finestra.property("risposta_predefinita");
        return predefinita.isValid() ? predefinita.toInt() : int(QDialog::Rejected);
    }
    const std::function<int(QDialog&)> risposta = std::move(finestre_.front());
    finestre_.pop_front();
    return risposta(finestra);
}
