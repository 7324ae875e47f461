// Draws the demo tube set into a program folder: the tube database, the curve
// pictures, photographs and pin-outs of every tube, the no-curve placeholder,
// the menu bitmaps and the stage schematics. Runs at build time, headless.
//
// usage: korvel_demo_gen <program folder>

#include "basedati.h"
#include "disegni.h"
#include "immagini.h"
#include "valvole_demo.h"

#include <FreeImage.h>

#include <QDir>
#include <QGuiApplication>
#include <QString>

#include <cstdio>

using namespace valvole_demo;

namespace {

bool errore(const QString& testo)
{
    std::fprintf(stderr, "korvel_demo_gen: %s\n", testo.toLocal8Bit().constData());
    return false;
}

bool genera(const QString& programma)
{
    const QDir cartella(programma);
    const QString dati = cartella.filePath(QStringLiteral("DatiValvole"));
    const QString curve = dati + QStringLiteral("/Curve");
    const QString foto = dati + QStringLiteral("/Immagini");
    const QString piedinature = dati + QStringLiteral("/Piedinature");
    for (const QString& c : {curve, foto, piedinature, dati + QStringLiteral("/Manuale")}) {
        if (!QDir().mkpath(c))
            return errore(QStringLiteral("impossibile creare ") + c);
    }

    const std::vector<QRgb> pal_curve = disegni::tavolozza_curve();
    const std::vector<QRgb> pal_pin = disegni::tavolozza_piedinatura();
    for (const Valvola& v : tabella()) {
        const QString base = QString::fromStdString(nome_base(v));
        if (!immagini::salva_gif(disegni::disegna_curve(v), pal_curve,
                                 curve + QLatin1Char('/') + QString::fromStdString(file_curva(v))))
            return errore(QStringLiteral("curve di ") + base);
        if (!immagini::salva_jpeg(disegni::disegna_foto(v), 90,
                                  foto + QLatin1Char('/') + QString::fromStdString(file_foto(v))))
            return errore(QStringLiteral("foto di ") + base);
        if (!immagini::salva_gif(disegni::disegna_piedinatura(v), pal_pin,
                                 piedinature + QLatin1Char('/') + QString::fromStdString(file_piedinatura(v))))
            return errore(QStringLiteral("piedinatura di ") + base);
    }
    if (!immagini::salva_gif(disegni::disegna_assente(), pal_curve,
                             cartella.filePath(QStringLiteral("ASSENTE_img.gif"))))
        return errore(QStringLiteral("ASSENTE_img.gif"));

    for (const char* nome : {"SAVE13.bmp", "OPEN13.bmp", "PRINT13.bmp", "EXIT13.bmp", "NEW13.bmp", "KOR_VEL.bmp",
                             "HELP13.bmp", "ABOUT13.bmp"}) {
        const QString n = QString::fromLatin1(nome);
        if (!immagini::salva_bmp(disegni::disegna_icona(n), cartella.filePath(n)))
            return errore(n);
    }
    for (char tipo : {'G', 'P', 'U', 'D'}) {
        const QString n = QStringLiteral("Schema_") + QLatin1Char(tipo) + QStringLiteral(".jpg");
        if (!immagini::salva_jpeg(disegni::disegna_schema(tipo), 90, cartella.filePath(n)))
            return errore(n);
    }

    QString motivo;
    if (!scrivi_basedati(dati + QStringLiteral("/DBValvole.mdb"), motivo))
        return errore(QStringLiteral("DBValvole.mdb: ") + motivo);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: korvel_demo_gen <program folder>\n");
        return 2;
    }
    // Build machines have no display; fonts come from fontconfig either way.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    FreeImage_Initialise(FALSE);
    const bool ok = genera(QString::fromLocal8Bit(argv[1]));
    FreeImage_DeInitialise();
    return ok ? 0 : 1;
}
