// The demo data as the program meets it: the tube database, the pictures it
// names, and the curves read back through the chart calibration against the
// tube models they were drawn from.

#include "chart/calibrazione.h"
#include "chart/stato_grafico.h"
#include "tubes/schema_valvole.h"

#include "model/modello_valvola.h"
#include "valvole_demo.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <map>
#include <optional>

namespace {

const QString cartella_programma = QStringLiteral(KORVEL_DIST_DIR);
const QString cartella_dati = cartella_programma + QStringLiteral("/DatiValvole");

using Record = std::map<QString, QVariant>;

// All records of the generated database, in key order, opened read-only so a
// test can never change the data the program is run with.
std::vector<Record> leggi_tabella(QStringList* colonne = nullptr)
{
    std::vector<Record> righe;
    const QString nome = QStringLiteral("test_dati_demo");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
        db.setDatabaseName(cartella_dati + QStringLiteral("/DBValvole.mdb"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("select * from TabellaValvole order by ID"))) {
                const QSqlRecord r = q.record();
                if (colonne)
                    for (int i = 0; i < r.count(); ++i)
                        colonne->append(r.fieldName(i));
                while (q.next()) {
                    Record riga;
                    for (int i = 0; i < r.count(); ++i)
                        riga[r.fieldName(i)] = q.value(i);
                    righe.push_back(riga);
                }
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(nome);
    return righe;
}

QString testo(const Record& r, const char* colonna)
{
    return r.at(QString::fromLatin1(colonna)).toString();
}
int intero(const Record& r, const char* colonna)
{
    return r.at(QString::fromLatin1(colonna)).toInt();
}

// The chart calibration exactly as the tube loader fills it from a record.
StatoGrafico calibrazione(const Record& r)
{
    StatoGrafico s;
    s.imax_x = float(intero(r, "IMAX_X"));
    s.imax_y = float(intero(r, "IMAX_Y"));
    s.imax_i = intero(r, "IMAX_I");
    s.vmax_x = float(intero(r, "VMAX_X"));
    s.vmax_y = float(intero(r, "VMAX_Y"));
    s.vmax_v = intero(r, "VMAX_V");
    s.org_x = float(intero(r, "ORG_X"));
    s.org_y = float(intero(r, "ORG_Y"));
    return s;
}

const valvole_demo::Valvola* valvola_del_record(const Record& r)
{
    for (const auto& v : valvole_demo::tabella())
        if (QString::fromStdString(valvole_demo::nome_base(v)) ==
            (testo(r, "SiglaUSA").isEmpty() ? testo(r, "SiglaEURO") : testo(r, "SiglaUSA")))
            return &v;
    return nullptr;
}

QRgb rgb(valvole_demo::Rgb c)
{
    return qRgb(c.r, c.g, c.b);
}

// Row of the pixel of colour `colore` in column x nearest to row yf, within
// `raggio` rows.
std::optional<int> riga_del_colore(const QImage& img, int x, double yf, QRgb colore, int raggio)
{
    std::optional<int> migliore;
    for (int y = int(std::floor(yf)) - raggio; y <= int(std::ceil(yf)) + raggio; ++y) {
        if (y < 0 || y >= img.height() || (img.pixel(x, y) | 0xff000000u) != (colore | 0xff000000u))
            continue;
        if (!migliore || std::fabs(y - yf) < std::fabs(*migliore - yf))
            migliore = y;
    }
    return migliore;
}

QImage apri(const QString& file, const QByteArray& formato)
{
    QImageReader lettore(file, formato);
    return lettore.read().convertToFormat(QImage::Format_RGB32);
}

// Runs the generator into `cartella`; returns its exit code (-1 if it did not
// end normally).
int esegui_generatore(const QString& cartella)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QStringLiteral(KORVEL_DEMO_GEN), {cartella});
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    return p.exitCode();
}

} // namespace

class TestDatiDemo : public QObject {
    Q_OBJECT

private slots:
    // The table the program reads: the 26 listed columns in order, then the
    // exact calibration values (Null here: the demo calibration is whole),
    // one record per demo tube, values of the kinds and units the loader
    // expects.
    void tabella_e_record()
    {
        QStringList colonne;
        const std::vector<Record> righe = leggi_tabella(&colonne);
        QCOMPARE(colonne, schema_valvole::colonne() +
                              QStringList({schema_valvole::colonna_imax_esatta, schema_valvole::colonna_vmax_esatta}));
        QCOMPARE(colonne.size(), 28);
        QVERIFY(righe.size() >= 8);
        QCOMPARE(righe.size(), valvole_demo::tabella().size());

        const QRegularExpression numero(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"));
        int id_precedente = 0;
        for (const Record& r : righe) {
            const QString sigla = testo(r, "SiglaUSA") + QLatin1Char('/') + testo(r, "SiglaEURO");
            QVERIFY2(intero(r, "ID") > id_precedente, qPrintable(sigla));
            id_precedente = intero(r, "ID");

            // File names: base name = American designation, else European;
            // the curve suffix follows the mode.
            const QString base = testo(r, "SiglaUSA").isEmpty() ? testo(r, "SiglaEURO") : testo(r, "SiglaUSA");
            QVERIFY(!base.isEmpty());
            const QString modo = testo(r, "MODO");
            QVERIFY2(modo == QLatin1String("TRIODO") || modo == QLatin1String("PENTODO"), qPrintable(sigla));
            QCOMPARE(testo(r, "CURVA"), base + (modo == QLatin1String("TRIODO") ? "trio.gif" : "pent.gif"));
            QCOMPARE(testo(r, "FOTO"), base + ".jpg");
            QCOMPARE(testo(r, "PIEDINATURA"), base + "pin.gif");

            // The reference points lie on the axes and inside the picture.
            QCOMPARE(intero(r, "IMAX_X"), intero(r, "ORG_X"));
            QCOMPARE(intero(r, "VMAX_Y"), intero(r, "ORG_Y"));
            QVERIFY(intero(r, "VMAX_X") > intero(r, "ORG_X") && intero(r, "VMAX_X") < valvole_demo::larghezza);
            QVERIFY(intero(r, "IMAX_Y") < intero(r, "ORG_Y") && intero(r, "ORG_Y") < valvole_demo::altezza);
            QVERIFY(intero(r, "IMAX_Y") >= 0 && intero(r, "ORG_X") >= 0);
            QVERIFY(intero(r, "VMAX_V") > 0 && intero(r, "IMAX_I") > 0);

            // Ratings are "." decimals; PMAX in mW is the plate dissipation
            // rating in W. The plate current is empty where the data sheet
            // gives no limit.
            for (const char* c : {"FIL1_V", "FIL1_I", "FIL2_V", "PLA_V", "PLA_W", "SCRE_V"})
                QVERIFY2(numero.match(testo(r, c)).hasMatch(), qPrintable(sigla + " " + c + "=" + testo(r, c)));
            QVERIFY2(testo(r, "PLA_I").isEmpty() || numero.match(testo(r, "PLA_I")).hasMatch(),
                     qPrintable(sigla + " PLA_I=" + testo(r, "PLA_I")));
            QCOMPARE(intero(r, "PMAX"), qRound(testo(r, "PLA_W").toDouble() * 1000));
            const bool pentodo = modo == QLatin1String("PENTODO");
            QCOMPARE(testo(r, "SCRE_V").toDouble() > 0, pentodo);
            if (pentodo)
                for (const char* c : {"SCRE_I", "SCRE_W"})
                    QVERIFY2(numero.match(testo(r, c)).hasMatch(), qPrintable(sigla + " " + c));
            if (testo(r, "FIL2_V") != QLatin1String("0"))
                QVERIFY2(numero.match(testo(r, "FIL2_I")).hasMatch(), qPrintable(sigla));
        }
    }

    // Every picture a record names is in its folder, in the format its name
    // says, and the curves have the size the chart shows.
    void immagini_dei_record()
    {
        const std::vector<Record> righe = leggi_tabella();
        QVERIFY(!righe.empty());
        for (const Record& r : righe) {
            const QString curva = cartella_dati + "/Curve/" + testo(r, "CURVA");
            const QImage c = apri(curva, "gif");
            QVERIFY2(!c.isNull(), qPrintable(curva));
            QCOMPARE(c.size(), QSize(518, 418));
            const QString foto = cartella_dati + "/Immagini/" + testo(r, "FOTO");
            QVERIFY2(!apri(foto, "jpeg").isNull(), qPrintable(foto));
            const QString pin = cartella_dati + "/Piedinature/" + testo(r, "PIEDINATURA");
            QVERIFY2(!apri(pin, "gif").isNull(), qPrintable(pin));
        }
        const QImage assente = apri(cartella_programma + "/ASSENTE_img.gif", "gif");
        QCOMPARE(assente.size(), QSize(518, 418));
        QVERIFY(QDir(cartella_dati + "/Manuale").exists());
    }

    // The calibration stored for each picture sits on the drawn axes: the
    // origin column and row are the axis lines, and the voltage and current
    // reference points are the last grid lines. A calibration one pixel off
    // the drawing fails here.
    void calibrazione_sugli_assi()
    {
        const QRgb assi = rgb(valvole_demo::colore_assi) | 0xff000000u;
        const QRgb sfondo = rgb(valvole_demo::colore_sfondo) | 0xff000000u;
        for (const Record& r : leggi_tabella()) {
            const QImage img = apri(cartella_dati + "/Curve/" + testo(r, "CURVA"), "gif");
            QVERIFY(!img.isNull());
            const int ox = intero(r, "ORG_X"), oy = intero(r, "ORG_Y");
            const int vx = intero(r, "VMAX_X"), iy = intero(r, "IMAX_Y");
            for (int y = iy; y <= oy; ++y) {
                QVERIFY2((img.pixel(ox, y) | 0xff000000u) == assi, qPrintable(testo(r, "CURVA")));
                QVERIFY2((img.pixel(vx, y) | 0xff000000u) != sfondo, qPrintable(testo(r, "CURVA")));
                QVERIFY((img.pixel(vx + 1, y) | 0xff000000u) == sfondo);
            }
            for (int x = ox; x <= vx; ++x) {
                QVERIFY2((img.pixel(x, oy) | 0xff000000u) == assi, qPrintable(testo(r, "CURVA")));
                QVERIFY2((img.pixel(x, iy) | 0xff000000u) != sfondo, qPrintable(testo(r, "CURVA")));
            }
        }
    }

    // The pixel where the model puts the -2 V curve of the 12AX7 at 250 V
    // reads back, through the stored calibration, as the model's current
    // within one pixel's worth. The parameters are the published 12AX7 set.
    void curva_12ax7_a_250_volt()
    {
        const std::vector<Record> righe = leggi_tabella();
        const Record* r = nullptr;
        for (const Record& x : righe)
            if (testo(x, "SiglaUSA") == QLatin1String("12AX7"))
                r = &x;
        QVERIFY(r);
        const StatoGrafico s = calibrazione(*r);

        const double va = 250.0, vg = -2.0;
        const double x = s.org_x + va / s.vmax_v * (s.vmax_x - s.org_x);
        QCOMPARE(x, std::round(x)); // 250 V falls on a whole pixel column
        QCOMPARE(calcolav(s, float(x)), va);

        const modello::ParametriModello ecc83{modello::TipoModello::triodo_koren, 100, 1.4, 1060, 600, 300};
        const double i_modello = modello::corrente_placca(ecc83, va, vg);
        QVERIFY(i_modello > 0.5 && i_modello < 1.5); // about 1 mA on the data sheet
        const double y_modello = s.org_y - i_modello / s.imax_i * (s.org_y - s.imax_y);

        const QImage img = apri(cartella_dati + "/Curve/" + testo(*r, "CURVA"), "gif");
        QVERIFY(!img.isNull());
        const valvole_demo::Valvola* v = valvola_del_record(*r);
        QVERIFY(v);
        const int k = int(std::lround(-vg / v->vg_passo));
        QCOMPARE(valvole_demo::tensione_griglia(*v, k), vg);
        const auto riga = riga_del_colore(img, int(x), y_modello, rgb(valvole_demo::colore_curva(k)), 3);
        QVERIFY2(riga, "no pixel of the -2 V curve near the model's row");

        const double un_pixel = s.imax_i / (s.org_y - s.imax_y);
        const double letto = calcolai(s, float(*riga));
        QVERIFY2(std::fabs(letto - i_modello) <= un_pixel,
                 qPrintable(QStringLiteral("read %1 mA, model %2 mA").arg(letto).arg(i_modello)));
    }

    // The same reading for every curve of every tube, at three plate
    // voltages, wherever the curve is inside the scale and clear of the
    // axis: the whole set is drawn from the models through its calibration.
    void ogni_curva_letta_dal_grafico()
    {
        int punti = 0;
        for (const Record& r : leggi_tabella()) {
            const valvole_demo::Valvola* v = valvola_del_record(r);
            QVERIFY2(v, qPrintable(testo(r, "CURVA")));
            const StatoGrafico s = calibrazione(r);
            const QImage img = apri(cartella_dati + "/Curve/" + testo(r, "CURVA"), "gif");
            QVERIFY(!img.isNull());
            const double un_pixel = s.imax_i / (s.org_y - s.imax_y);
            for (int k = 0; k < v->n_curve; ++k) {
                const double vg = valvole_demo::tensione_griglia(*v, k);
                for (const double frazione : {0.3, 0.6, 0.9}) {
                    const int x = int(s.org_x + frazione * (s.vmax_x - s.org_x));
                    const double va = calcolav(s, float(x));
                    const double i = valvole_demo::corrente(*v, va, vg);
                    const double y = s.org_y - i / s.imax_i * (s.org_y - s.imax_y);
                    if (y < s.imax_y + 1 || y > s.org_y - 6)
                        continue;
                    const auto riga = riga_del_colore(img, x, y, rgb(valvole_demo::colore_curva(k)), 1);
                    const QString dove = QStringLiteral("%1 Vg %2 V at %3 V").arg(testo(r, "CURVA")).arg(vg).arg(va);
                    QVERIFY2(riga, qPrintable(dove));
                    QVERIFY2(std::fabs(calcolai(s, float(*riga)) - i) <= un_pixel, qPrintable(dove));
                    ++punti;
                }
            }
        }
        QVERIFY(punti > 100);
    }

    // Two runs of the generator give the same bytes, file for file.
    void generatore_riproducibile()
    {
        QTemporaryDir a, b;
        QVERIFY(a.isValid() && b.isValid());
        QCOMPARE(esegui_generatore(a.path()), 0);
        QCOMPARE(esegui_generatore(b.path()), 0);
        QStringList file;
        QDirIterator it(a.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            file.append(QDir(a.path()).relativeFilePath(it.next()));
        QVERIFY(file.contains(QStringLiteral("DatiValvole/DBValvole.mdb")));
        QVERIFY(file.contains(QStringLiteral("ASSENTE_img.gif")));
        int contati = 0;
        QDirIterator itb(b.path(), QDir::Files, QDirIterator::Subdirectories);
        while (itb.hasNext()) {
            itb.next();
            ++contati;
        }
        QCOMPARE(contati, file.size());
        for (const QString& f : file) {
            QFile fa(a.filePath(f)), fb(b.filePath(f));
            QVERIFY(fa.open(QIODevice::ReadOnly));
            QVERIFY2(fb.open(QIODevice::ReadOnly), qPrintable(f));
            QVERIFY2(fa.readAll() == fb.readAll(), qPrintable(f));
        }
    }

    // A data folder that cannot be created is reported by the exit code, not
    // by a crash or a half-written success.
    void generatore_segnala_il_fallimento()
    {
        QTemporaryDir d;
        QVERIFY(d.isValid());
        QFile ostacolo(d.filePath(QStringLiteral("DatiValvole")));
        QVERIFY(ostacolo.open(QIODevice::WriteOnly));
        ostacolo.close();
        QCOMPARE(esegui_generatore(d.path()), 1);
        QVERIFY(!QFile::exists(d.filePath(QStringLiteral("ASSENTE_img.gif"))));
    }
};

QTEST_MAIN(TestDatiDemo)
#include "tst_dati_demo.moc"
