#include "common/lingua.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

namespace {

Lingua corrente = Lingua::italiano;
QTranslator* traduttore_programma = nullptr;
QTranslator* traduttore_qt = nullptr;

QSettings impostazioni()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("korvel"), QStringLiteral("korvel"));
}

const auto chiave_lingua = QStringLiteral("lingua");

// Replaces one installed catalogue by a fresh one; false when the file is
// missing or unreadable, and then nothing of it stays installed.
bool sostituisci(QTranslator*& traduttore, const QString& file, const QString& cartella)
{
    if (traduttore) {
        QCoreApplication::removeTranslator(traduttore);
        delete traduttore;
        traduttore = nullptr;
    }
    auto nuovo = new QTranslator(QCoreApplication::instance());
    if (!nuovo->load(file, cartella) || !QCoreApplication::installTranslator(nuovo)) {
        delete nuovo;
        return false;
    }
    traduttore = nuovo;
    return true;
}

} // namespace

Lingua lingua_per_locale(const QStringList& lingue_interfaccia)
{
    if (lingue_interfaccia.isEmpty())
        return Lingua::italiano;
    const QString prima = lingue_interfaccia.first();
    if (prima.isEmpty() || prima == QLatin1String("C") || prima.startsWith(QLatin1String("C.")) ||
        prima == QLatin1String("POSIX"))
        return Lingua::italiano;
    const QLocale locale(prima);
    if (locale.language() == QLocale::C)
        return Lingua::italiano;
    return locale.language() == QLocale::Italian ? Lingua::italiano : Lingua::inglese;
}

Lingua lingua_del_sistema()
{
    return lingua_per_locale(QLocale::system().uiLanguages());
}

std::optional<Lingua> lingua_scelta()
{
    const QString valore = impostazioni().value(chiave_lingua).toString();
    if (valore == codice_lingua(Lingua::italiano))
        return Lingua::italiano;
    if (valore == codice_lingua(Lingua::inglese))
        return Lingua::inglese;
    // Nothing stored, or a value this version does not know: the locale
    // decides.
    return std::nullopt;
}

void salva_lingua_scelta(Lingua lingua)
{
    QSettings s = impostazioni();
    s.setValue(chiave_lingua, codice_lingua(lingua));
    s.sync();
}

Lingua lingua_di_avvio()
{
    return lingua_scelta().value_or(lingua_del_sistema());
}

QString codice_lingua(Lingua lingua)
{
    return lingua == Lingua::inglese ? QStringLiteral("en") : QStringLiteral("it");
}

void installa_traduzioni(Lingua lingua, const QString& cartella_programma)
{
    corrente = lingua;
    const QString codice = codice_lingua(lingua);
    if (lingua == Lingua::inglese)
        sostituisci(traduttore_programma, QStringLiteral("korvel_en"), cartella_programma);
    else if (traduttore_programma) {
        // Italian is the language of the code itself: no catalogue.
        QCoreApplication::removeTranslator(traduttore_programma);
        delete traduttore_programma;
        traduttore_programma = nullptr;
    }
    sostituisci(traduttore_qt, QStringLiteral("qtbase_") + codice, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

Lingua lingua_corrente()
{
    return corrente;
}

QString traduci_in(Lingua lingua, const QString& cartella_programma, const char* contesto, const char* testo)
{
    if (lingua == Lingua::italiano)
        return QString::fromUtf8(testo);
    QTranslator t;
    if (!t.load(QStringLiteral("korvel_en"), cartella_programma))
        return QString::fromUtf8(testo);
    const QString tradotto = t.translate(contesto, testo);
    return tradotto.isEmpty() ? QString::fromUtf8(testo) : tradotto;
}
