#include "platform/ui/piattaforma_qt.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <unistd.h>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace {

QString titolo_o_programma(const QString& titolo)
{
    return titolo.isEmpty() ? QApplication::applicationName() : titolo;
}

std::optional<QString> esegui_dialogo(QFileDialog& dlg, const Piattaforma::DialogoFile& d, int* indice_scelto = nullptr)
{
    dlg.setWindowTitle(d.titolo);
    if (!d.cartella.isEmpty())
        dlg.setDirectory(d.cartella);
    const QStringList filtri = Piattaforma::filtri_qt(d.filtri);
    if (!filtri.isEmpty()) {
        dlg.setNameFilters(filtri);
        const int i = d.indice_filtro - 1;
        if (i >= 0 && i < filtri.size())
            dlg.selectNameFilter(filtri[i]);
    }
    if (d.estensione_dal_filtro) {
        // The first pattern of the filter in use: "*.tif" gives "tif".
        const auto suffisso = [&dlg](const QString& filtro) {
            const qsizetype a = filtro.lastIndexOf(u'(');
            QString dentro = a >= 0 ? filtro.mid(a + 1) : filtro;
            dentro.chop(dentro.endsWith(u')') ? 1 : 0);
            const QString primo = dentro.split(u' ', Qt::SkipEmptyParts).value(0);
            dlg.setDefaultSuffix(primo.startsWith(QStringLiteral("*.")) && primo.indexOf(u'*', 1) < 0 ? primo.mid(2)
                                                                                                      : QString());
        };
        QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg, suffisso);
        if (!filtri.isEmpty())
            suffisso(dlg.selectedNameFilter());
    }
    // A name made only of wildcards ("*.gif") is a filter hint, not a name.
    if (!d.nome_iniziale.isEmpty() && !d.nome_iniziale.contains('*'))
        dlg.selectFile(d.nome_iniziale);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    if (indice_scelto) {
        const int i = filtri.indexOf(dlg.selectedNameFilter());
        *indice_scelto = i >= 0 ? i + 1 : d.indice_filtro;
    }
    return QDir::toNativeSeparators(dlg.selectedFiles().first());
}

} // namespace

void PiattaformaQt::messaggio(const QString& testo, const QString& titolo)
{
    QMessageBox box(QMessageBox::NoIcon, titolo_o_programma(titolo), testo, QMessageBox::Ok, finestra());
    box.exec();
}

bool PiattaformaQt::domanda_si_no(const QString& testo, const QString& titolo)
{
    QMessageBox box(QMessageBox::Question, titolo_o_programma(titolo), testo, QMessageBox::Yes | QMessageBox::No,
                    finestra());
    box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("PiattaformaQt", "Sì"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

Piattaforma::Risposta PiattaformaQt::domanda_si_no_annulla(const QString& testo, const QString& titolo)
{
    QMessageBox box(QMessageBox::Question, titolo_o_programma(titolo), testo,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, finestra());
    box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("PiattaformaQt", "Sì"));
    box.button(QMessageBox::Cancel)->setText(QCoreApplication::translate("PiattaformaQt", "Annulla"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes: return Risposta::si;
    case QMessageBox::No: return Risposta::no;
    default: return Risposta::annulla;
    }
}

std::optional<QString> PiattaformaQt::apri_file(const DialogoFile& d)
{
    QFileDialog dlg(finestra());
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(d.deve_esistere ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    return esegui_dialogo(dlg, d);
}

std::optional<QString> PiattaformaQt::salva_file(const DialogoFile& d)
{
    const std::optional<FileScelto> f = salva_file_con_filtro(d);
    if (!f)
        return std::nullopt;
    return f->percorso;
}

std::optional<Piattaforma::FileScelto> PiattaformaQt::salva_file_con_filtro(const DialogoFile& d)
{
    QFileDialog dlg(finestra());
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    if (!d.conferma_sovrascrittura)
        dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    FileScelto f;
    const std::optional<QString> percorso = esegui_dialogo(dlg, d, &f.indice_filtro);
    if (!percorso)
        return std::nullopt;
    f.percorso = *percorso;
    return f;
}

std::optional<QString> PiattaformaQt::input_box(const QString& prompt, const QString& titolo,
                                                const QString& predefinito)
{
    bool ok = false;
    const QString testo =
        QInputDialog::getText(finestra(), titolo_o_programma(titolo), prompt, QLineEdit::Normal, predefinito, &ok);
    if (!ok)
        return std::nullopt;
    return testo;
}

bool PiattaformaQt::stampa(const Impaginazione& disegna)
{
    QPrinter stampante(QPrinter::HighResolution);
    // The page is laid out from the paper's corner.
    stampante.setFullPage(true);
    QPrintDialog dlg(&stampante, finestra());
    if (dlg.exec() != QDialog::Accepted)
        return false;
    disegna(stampante);
    return true;
}

void PiattaformaQt::puntatore_occupato(bool occupato)
{
    if (occupato)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void PiattaformaQt::apri_browser(const QString& pagina, int larghezza, int altezza)
{
    const QUrl indirizzo = QUrl::fromLocalFile(QFileInfo(pagina).absoluteFilePath());
    // Chromium in app mode gives a window without address and status bars
    // at the asked size and place; without it the desktop's browser opens.
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    QStringList argomenti{QStringLiteral("--app=") + indirizzo.toString(QUrl::FullyEncoded),
                          QStringLiteral("--window-size=%1,%2").arg(larghezza).arg(altezza),
                          QStringLiteral("--window-position=0,0"),
                          // The page is in the program's own language: no
                          // offer to translate it over the report.
                          QStringLiteral("--disable-features=Translate")};
    // Chromium refuses to start for the superuser unless told to run
    // without its sandbox.
    if (::geteuid() == 0)
        argomenti << QStringLiteral("--no-sandbox");
    if (!chromium.isEmpty() && QProcess::startDetached(chromium, argomenti))
        return;
    QDesktopServices::openUrl(indirizzo);
}

int PiattaformaQt::esegui(QDialog& finestra)
{
    return finestra.exec();
}
