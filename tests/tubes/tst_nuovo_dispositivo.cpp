// The new-tube window offscreen, driven as a user works it: pictures chosen
// through the scripted file dialog, calibration points clicked on the
// picture and picked from the pop-up menu, ratings typed into the input box,
// the save checked in the real database file and the data folders.

#include "curva_12au7.h"
#include "mani_nuovo_dispositivo.h"
#include "support/cartella_prova.h"
#include "support/processo.h"

#include "archive/cartelle.h"
#include "chart/marker.h"
#include "common/libreria_immagini.h"
#include "chart/tela.h"
#include "platform/piattaforma_scriptata.h"
#include "tubes/nuova_valvola.h"
#include "tubes/ui/nuovo_dispositivo.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

struct Finestra {
    CartellaProva c;
    PiattaformaScriptata p;
    LibreriaImmagini libreria;
    std::unique_ptr<Nuovo_Dispositivo> w;

    Finestra()
    {
        c.crea_tabella();
        imposta_cartelle(c.programma());
        w = std::make_unique<Nuovo_Dispositivo>(p, libreria);
        w->show();
    }

    QString file(const QString& nome) const { return c.dir.filePath(nome); }

    // A picture file written by the test; GIF and TIFF, which Qt does not
    // write, through ImageMagick.
    QString scrivi(const QString& nome, const QImage& img, const char* formato) const
    {
        return scrivi_in(file(nome), img, formato);
    }
    static QString scrivi_in(const QString& percorso, const QImage& img, const QByteArray& formato)
    {
        if (formato == "GIF" || formato == "TIFF") {
            const QString png = percorso + QStringLiteral(".tmp.png");
            img.save(png, "PNG");
            esegui(QStringLiteral("convert"), {png, QString::fromLatin1(formato) + ':' + percorso});
            QFile::remove(png);
        } else {
            img.save(percorso, formato.constData());
        }
        return percorso;
    }

    void scegli(int indice, const QString& percorso)
    {
        p.rispondi_file(percorso);
        w->carica[std::size_t(indice)]->trigger();
    }

    void evento(QEvent::Type tipo, QPointF pos, Qt::MouseButton pulsante, Qt::MouseButtons tenuti)
    {
        evento_mouse(w->Picture1_, tipo, pos, pulsante, tenuti);
    }

    void clic_e_scegli(QPointF pos, const QString& voce) { ::clic_e_scegli(*w, pos, voce); }

    void caratteristica(int riga, const std::optional<QString>& testo)
    {
        p.rispondi_input(testo);
        QTableWidget* g = w->grid_caratteristiche;
        const QRect r = g->visualItemRect(g->item(riga, 0));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    }

    // Fields typed by the user.
    static void scrivi_campo(QLineEdit* e, const QString& testo)
    {
        e->clear();
        // A control character cannot be typed; it can still be pasted.
        if (std::any_of(testo.begin(), testo.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
            e->setText(testo);
        else
            QTest::keyClicks(e, testo);
    }

    // A complete entry over a small picture, ready to be saved.
    void voce_completa(const QString& usa, const QString& euro = {})
    {
        scegli(0, scrivi(QStringLiteral("curva.png"), curva_12au7::disegna(518, 418), "PNG"));
        scrivi_campo(w->nome_valvola[0], usa);
        scrivi_campo(w->nome_valvola[1], euro);
        clic_e_scegli({56, 380}, QStringLiteral("Set Origine"));
        clic_e_scegli({56, 40}, QStringLiteral("Set Corrente massima"));
        clic_e_scegli({496, 380}, QStringLiteral("Set Tensione Massima"));
        scrivi_campo(w->max_current_i, QStringLiteral("20"));
        scrivi_campo(w->max_voltage_V, QStringLiteral("500"));
    }

    int righe() const
    {
        int n = -1;
        c.con_basedati([&](QSqlDatabase& db) {
            QSqlQuery q(QStringLiteral("select count(*) from TabellaValvole"), db);
            n = q.next() ? q.value(0).toInt() : -1;
            return true;
        });
        return n;
    }

    // The last record as Python's sqlite3 reads it, column name to value.
    QJsonObject ultimo_record() const
    {
        const Esito e = python(QStringLiteral("import sqlite3,sys,json\n"
                                              "c=sqlite3.connect(sys.argv[1])\n"
                                              "cur=c.execute('select * from TabellaValvole order by ID desc limit 1')\n"
                                              "r=cur.fetchone()\n"
                                              "print(json.dumps(dict(zip([d[0] for d in cur.description], r))))\n"),
                               {c.basedati()});
        return QJsonDocument::fromJson(e.uscita.toUtf8()).object();
    }
};

QImage piena(int w, int h, QColor colore)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colore);
    return img;
}

QImage area_curva(const Tela& t)
{
    return t.immagine().copy(0, 0, 518, 418);
}

// The three calibration points of a picture with its origin at (40, 400),
// 500 V at column 480 and 100 mA at row 20.
void tarata(nuova_valvola::Voce& v)
{
    v.max_current_X = "40";
    v.max_current_y = "20";
    v.max_current_i = "100";
    v.max_voltage_X = "480";
    v.max_voltage_Y = "400";
    v.max_voltage_V = "500";
    v.origin_X = "40";
    v.origin_Y = "400";
}

} // namespace

class TestNuovoDispositivo : public QObject {
    Q_OBJECT

private slots:
    void aspetto_della_finestra()
    {
        Finestra f;
        QCOMPARE(f.w->windowTitle(), QStringLiteral("Caricamento nuova Valvola"));
        QCOMPARE(f.w->Combo_modo->count(), 7);
        QCOMPARE(f.w->Combo_modo->currentText(), QStringLiteral("GENERICO"));
        QCOMPARE(f.w->grid_caratteristiche->rowCount(), 10);
        QCOMPARE(f.w->grid_caratteristiche->item(6, 0)->text(), QStringLiteral("Potenza MAX Anodica"));
        QCOMPARE(f.w->grid_caratteristiche->item(6, 2)->text(), QStringLiteral("W"));
        QStringList voci;
        for (QAction* a : f.w->menu_operazioni->actions())
            voci << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(voci,
                 QStringList({"Set Corrente massima", "Set Origine", "Set Tensione Massima", "-",
                              "Traccia Potenza massima", "-", "Sposta manualmente", "-", "Aggancia alla griglia"}));
        // Snapping to the grid is on from the start.
        QVERIFY(f.w->aggancia_griglia->isCheckable());
        QVERIFY(f.w->aggancia_griglia->isChecked());
        // Every control a user reaches has a name (a label that shows a
        // file name, still empty, its caption as description), and every
        // field's label points at it.
        for (QWidget* c : f.w->findChildren<QWidget*>()) {
            if (c->focusPolicy() == Qt::NoFocus || !c->isVisibleTo(f.w.get()) || qobject_cast<QMenu*>(c))
                continue;
            if (c->parentWidget() && qobject_cast<QAbstractScrollArea*>(c->parentWidget()))
                continue; // scroll area viewports
            if (c->objectName().startsWith(QStringLiteral("qt_")))
                continue;
            const QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
            QVERIFY2(a && (!a->text(QAccessible::Name).isEmpty() ||
                           (qobject_cast<QLabel*>(c) && !a->text(QAccessible::Description).isEmpty())),
                     qPrintable(c->metaObject()->className() + (" " + c->objectName())));
        }
        int con_compagno = 0;
        for (QLabel* l : f.w->findChildren<QLabel*>())
            if (l->buddy())
                ++con_compagno;
        QVERIFY(con_compagno >= 20);
    }

    void nomi_di_file_data()
    {
        QTest::addColumn<QString>("usa");
        QTest::addColumn<QString>("euro");
        QTest::addColumn<int>("modo");
        QTest::addColumn<QStringList>("nomi");
        QTest::newRow("nessuna sigla") << ""
                                       << "" << 1 << QStringList{"", "", ""};
        QTest::newRow("solo EURO") << ""
                                   << "EL84" << 0 << QStringList{"EL84crv.gif", "EL84.jpg", "EL84pin.gif"};
        QTest::newRow("triodo") << "300B"
                                << "" << 1 << QStringList{"300Btrio.gif", "300B.jpg", "300Bpin.gif"};
        QTest::newRow("USA prima") << "6L6"
                                   << "KT66" << 2 << QStringList{"6L6pent.gif", "6L6.jpg", "6L6pin.gif"};
        QTest::newRow("ultralineare") << "EL34"
                                      << "" << 3 << QStringList{"EL34ultr.gif", "EL34.jpg", "EL34pin.gif"};
        QTest::newRow("diodo") << "5U4"
                               << "" << 4 << QStringList{"5U4crv.gif", "5U4.jpg", "5U4pin.gif"};
        QTest::newRow("coppia") << "X"
                                << "" << 5 << QStringList{"Xcrv.gif", "X.jpg", "Xpin.gif"};
        QTest::newRow("tripletta") << "X"
                                   << "" << 6 << QStringList{"Xcrv.gif", "X.jpg", "Xpin.gif"};
    }
    void nomi_di_file()
    {
        QFETCH(QString, usa);
        QFETCH(QString, euro);
        QFETCH(int, modo);
        QFETCH(QStringList, nomi);
        Finestra f;
        f.w->Combo_modo->setCurrentIndex(modo);
        QTest::keyClicks(f.w->nome_valvola[1], euro);
        QTest::keyClicks(f.w->nome_valvola[0], usa);
        QCOMPARE(QStringList(
                     {f.w->nomefile_curva->text(), f.w->nomefile_immagine->text(), f.w->nomefile_piedinatura->text()}),
                 nomi);
    }

    // The read-outs use the chart's conversions on this window's points
    // and on the current and voltage typed in their fields.
    void letture_del_mouse_data()
    {
        QTest::addColumn<QPointF>("pos");
        QTest::addColumn<QString>("v");
        QTest::addColumn<QString>("i");
        QTest::newRow("meta") << QPointF(260, 210) << "250"
                              << "50";
        QTest::newRow("sotto 0,1 V") << QPointF(40.05, 400) << "0"
                                     << "0";
        QTest::newRow("fuori dagli assi") << QPointF(30, 410) << "0"
                                          << "0";
        QTest::newRow("sopra il riferimento") << QPointF(480, 1) << "500"
                                              << "105";
    }
    void letture_del_mouse()
    {
        QFETCH(QPointF, pos);
        QFETCH(QString, v);
        QFETCH(QString, i);
        Finestra f;
        // Typed coordinates, put in place with "Sposta manualmente".
        Finestra::scrivi_campo(f.w->origin_X, QStringLiteral("40"));
        Finestra::scrivi_campo(f.w->origin_Y, QStringLiteral("400"));
        Finestra::scrivi_campo(f.w->max_voltage_X, QStringLiteral("480"));
        Finestra::scrivi_campo(f.w->max_voltage_Y, QStringLiteral("400"));
        Finestra::scrivi_campo(f.w->max_current_X, QStringLiteral("40"));
        Finestra::scrivi_campo(f.w->max_current_y, QStringLiteral("20"));
        Finestra::scrivi_campo(f.w->max_voltage_V, QStringLiteral("500"));
        Finestra::scrivi_campo(f.w->max_current_i, QStringLiteral("100"));
        f.clic_e_scegli({300, 300}, QStringLiteral("Sposta manualmente"));
        f.evento(QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
        QCOMPARE(f.w->curr_v->text(), v);
        QCOMPARE(f.w->curr_i->text(), i);
        QCOMPARE(f.w->curr_X->text(), QString::number(pos.x()));
    }

    // Markers are XOR drawings: setting a point again moves its marker, and
    // a point typed but never drawn leaves nothing behind when moved.
    void un_solo_marker_per_punto()
    {
        Finestra f;
        f.scegli(0, f.scrivi(QStringLiteral("c.png"), curva_12au7::disegna(518, 418), "PNG"));
        const QImage base = f.w->tela().immagine().copy();
        f.clic_e_scegli({100, 300}, QStringLiteral("Set Origine"));
        // Away from the grid's intersections, which the clicks snap to.
        f.clic_e_scegli({66, 380}, QStringLiteral("Set Origine"));
        Tela attesa;
        attesa.imposta_immagine(base);
        disegna_marker(attesa, Marker::origine, 66, 380, 11);
        QCOMPARE(f.w->tela().immagine(), attesa.immagine());
        QCOMPARE(f.w->origin_X->text(), QStringLiteral("66"));

        // A new curve file clears the points but keeps the typed origin;
        // setting the origin again draws one marker, none at the corner.
        f.scegli(0, f.file(QStringLiteral("c.png")));
        QCOMPARE(f.w->origin_X->text(), QStringLiteral("66"));
        QVERIFY(f.w->max_current_X->text().isEmpty());
        QCOMPARE(f.w->tela().immagine(), base);
        f.clic_e_scegli({70, 370}, QStringLiteral("Set Origine"));
        attesa.imposta_immagine(base);
        disegna_marker(attesa, Marker::origine, 70, 370, 11);
        QCOMPARE(f.w->tela().immagine(), attesa.immagine());
    }

    // The input box shows the line's label and value; cancelling keeps the
    // value, confirming an empty text empties it.
    void modifica_di_una_caratteristica()
    {
        Finestra f;
        QTableWidgetItem* valore = f.w->grid_caratteristiche->item(4, 1);
        f.caratteristica(4, QStringLiteral("450"));
        QCOMPARE(valore->text(), QStringLiteral("450"));
        QCOMPARE(f.p.richieste().back().testo, QStringLiteral("Tensione MAX Anodica"));
        f.caratteristica(4, std::nullopt);
        QCOMPARE(valore->text(), QStringLiteral("450"));
        f.caratteristica(4, QString());
        QVERIFY(valore->text().isEmpty());
        QCOMPARE(f.w->grid_caratteristiche->rowCount(), 10);
    }

    // Typed coordinates: "Sposta manualmente" draws each point's marker
    // there, and moves it when the fields change; a point left at 0 stays.
    void punti_scritti_a_mano()
    {
        Finestra f;
        const QImage base = f.w->tela().immagine().copy();
        Finestra::scrivi_campo(f.w->origin_X, QStringLiteral("40"));
        Finestra::scrivi_campo(f.w->origin_Y, QStringLiteral("400"));
        Finestra::scrivi_campo(f.w->max_voltage_X, QStringLiteral("480"));
        Finestra::scrivi_campo(f.w->max_voltage_Y, QStringLiteral("400"));
        f.clic_e_scegli({300, 300}, QStringLiteral("Sposta manualmente"));
        Tela attesa;
        attesa.imposta_immagine(base);
        disegna_marker(attesa, Marker::origine, 40, 400, 11);
        disegna_marker(attesa, Marker::tensione, 480, 400, 11);
        QCOMPARE(f.w->tela().immagine(), attesa.immagine());
        QCOMPARE(f.w->punti().vmax_x, 480.0f);

        Finestra::scrivi_campo(f.w->origin_X, QStringLiteral("50"));
        f.clic_e_scegli({300, 300}, QStringLiteral("Sposta manualmente"));
        attesa.imposta_immagine(base);
        disegna_marker(attesa, Marker::origine, 50, 400, 11);
        disegna_marker(attesa, Marker::tensione, 480, 400, 11);
        QCOMPARE(f.w->tela().immagine(), attesa.immagine());
    }

    // A photo in a format the toolkit cannot read is still shown, its
    // frame taking the photo's proportions.
    void foto_tiff()
    {
        Finestra f;
        const QString tif = f.scrivi("foto.tif", piena(90, 60, Qt::darkGreen), "TIFF");
        f.scegli(1, tif);
        QCOMPARE(f.w->orig_Immagine->text(), tif);
        QVERIFY(!f.w->immagine_tubo->pixmap().isNull());
        QCOMPARE(f.w->immagine_tubo->width(), f.w->immagine_tubo->height() * 3 / 2);
    }

    // The whole entry as a user makes it, from a large PNG scan.
    void inserimento_completo()
    {
        Finestra f;
        const QString scansione = f.scrivi(QStringLiteral("12au7 scan.png"), curva_12au7::disegna(900, 700), "PNG");
        const QString foto = f.scrivi(QStringLiteral("foto.png"), piena(60, 120, Qt::darkGray), "PNG");
        const QString piedini = f.scrivi(QStringLiteral("zoccolo.gif"), piena(80, 80, Qt::blue), "GIF");
        f.scegli(0, scansione);
        // The file dialog, then the crop window (unanswered: the whole picture).
        QCOMPARE(f.p.richieste().size(), 2);
        QCOMPARE(f.p.richieste().front().dialogo.titolo, QStringLiteral("File Curve"));
        QCOMPARE(f.p.richieste().front().dialogo.filtri,
                 QStringLiteral("Immagini e PDF (*.gif *.jpg *.jpeg *.png *.bmp *.tif *.tiff *.pdf)|"
                                "*.gif;*.jpg;*.jpeg;*.png;*.bmp;*.tif;*.tiff;*.pdf|gif (*.gif)|*.gif|"
                                "jpg (*.jpg *.jpeg)|*.jpg;*.jpeg|png (*.png)|*.png|bmp (*.bmp)|*.bmp|"
                                "tiff (*.tif *.tiff)|*.tif;*.tiff|pdf (*.pdf)|*.pdf|Generico (*.*)|*.*|"));
        QCOMPARE(f.p.richieste().back().titolo, QStringLiteral("Ritaglia Grafico"));
        QCOMPARE(f.w->orig_curve->text(), scansione);
        QCOMPARE(f.w->orig_curve->palette().color(QPalette::Window), QColor(0, 255, 0));
        const QString redim = f.w->file_curva_ridimensionata();
        QVERIFY(!redim.startsWith(f.c.programma()));
        QCOMPARE(QImageReader(redim).format(), QByteArray("gif"));
        QCOMPARE(QImage(redim).size(), QSize(518, 418));
        QVERIFY(QImage(redim).colorCount() <= 256);

        f.scegli(1, foto);
        f.scegli(2, piedini);
        QCOMPARE(f.w->immagine_tubo->width(), f.w->immagine_tubo->height() / 2);
        QTest::keyClicks(f.w->nome_valvola[0], QStringLiteral("12AU7"));
        QTest::keyClicks(f.w->nome_valvola[1], QStringLiteral("ECC82"));
        f.w->Combo_modo->setCurrentIndex(1);
        QCOMPARE(f.w->nomefile_curva->text(), QStringLiteral("12AU7trio.gif"));

        f.clic_e_scegli({56, 380}, QStringLiteral("Set Origine"));
        f.clic_e_scegli({56, 40}, QStringLiteral("Set Corrente massima"));
        f.clic_e_scegli({496, 380}, QStringLiteral("Set Tensione Massima"));
        QCOMPARE(f.w->max_voltage_X->text(), QStringLiteral("496"));
        QTest::keyClicks(f.w->max_current_i, QStringLiteral("20"));
        QTest::keyClicks(f.w->max_voltage_V, QStringLiteral("500"));
        QTest::keyClicks(f.w->potenza_anodica, QStringLiteral("2750"));
        const QStringList valori = {"6,3", "300", "12.6", "150", "330", "20", "2,75", "0", "", ""};
        for (int r = 0; r < 8; ++r)
            f.caratteristica(r, valori[r]);
        QCOMPARE(f.p.richieste().back().titolo, QStringLiteral("Inserimento parametri"));
        QCOMPARE(f.p.richieste().back().testo, QStringLiteral("Tensione MAX Schermo"));

        // Over a curve the read-outs give the model's values.
        const double va = 250;
        const double ia = curva_12au7::corrente(va, -8);
        f.evento(QEvent::MouseMove, {276, curva_12au7::riga(ia)}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(f.w->curr_v->text(), QStringLiteral("250"));
        QVERIFY(std::fabs(f.w->curr_i->text().toDouble() - ia) < 0.06);

        // The hyperbola is traced over the picture and removed by the same
        // entry.
        const QImage calibrata = f.w->tela().immagine().copy();
        f.clic_e_scegli({300, 200}, QStringLiteral("Traccia Potenza massima"));
        QVERIFY(f.w->tela().immagine() != calibrata);
        // At 250 V, 11 mA: the curve crosses column 276 near row 193.
        const QRgb sopra = f.w->tela().immagine().pixel(276, int(curva_12au7::riga(2750.0 / 250)));
        QVERIFY(sopra != calibrata.pixel(276, int(curva_12au7::riga(2750.0 / 250))));
        f.clic_e_scegli({300, 200}, QStringLiteral("Traccia Potenza massima"));
        QCOMPARE(f.w->tela().immagine(), calibrata);

        f.p.azzera();
        f.w->salva_DB->trigger();
        QCOMPARE(f.p.messaggi(), QStringList{QStringLiteral("Valvola inserita nel DB")});
        QVERIFY(f.w->isVisible());
        QCOMPARE(f.w->nome_valvola[0]->text(), QStringLiteral("12AU7"));

        const QJsonObject r = f.ultimo_record();
        const QJsonObject atteso{{"SiglaUSA", "12AU7"},
                                 {"SiglaEURO", "ECC82"},
                                 {"CURVA", "12AU7trio.gif"},
                                 {"MODO", "TRIODO"},
                                 {"PIEDINATURA", "12AU7pin.gif"},
                                 {"FOTO", "12AU7.jpg"},
                                 {"VMAX_X", 496},
                                 {"VMAX_Y", 380},
                                 {"VMAX_V", 500},
                                 {"ORG_X", 56},
                                 {"ORG_Y", 380},
                                 {"PMAX", 2750},
                                 {"IMAX_X", 56},
                                 {"IMAX_Y", 40},
                                 {"IMAX_I", 20},
                                 {"FIL1_V", "6.3"},
                                 {"FIL1_I", "300"},
                                 {"FIL2_V", "12.6"},
                                 {"FIL2_I", "150"},
                                 {"PLA_V", "330"},
                                 {"PLA_I", "20"},
                                 {"PLA_W", "2.75"},
                                 {"SCRE_V", "0"},
                                 {"SCRE_I", ""},
                                 {"SCRE_W", ""},
                                 {"VMAX_V_ESATTO", 500.0},
                                 {"IMAX_I_ESATTO", 20.0}};
        for (auto it = atteso.begin(); it != atteso.end(); ++it)
            QVERIFY2(r.value(it.key()) == it.value(), qPrintable(it.key()));
        QCOMPARE(r.size(), 28);

        const Cartelle& c = cartelle();
        QFile salvata(c.cartella_curve + "12AU7trio.gif");
        QVERIFY(salvata.open(QIODevice::ReadOnly));
        QFile ridotta(redim);
        QVERIFY(ridotta.open(QIODevice::ReadOnly));
        QCOMPARE(salvata.readAll(), ridotta.readAll());
        // The PNG photo is stored as the JPEG its name says; the GIF pin-out
        // as it was.
        QCOMPARE(QImageReader(c.cartella_immagini + "12AU7.jpg").format(), QByteArray("jpeg"));
        QCOMPARE(QImage(c.cartella_immagini + "12AU7.jpg").size(), QSize(60, 120));
        QFile pin_salvato(c.cartella_piedinature + "12AU7pin.gif");
        QFile pin_scelto(piedini);
        QVERIFY(pin_salvato.open(QIODevice::ReadOnly) && pin_scelto.open(QIODevice::ReadOnly));
        QCOMPARE(pin_salvato.readAll(), pin_scelto.readAll());

        // The rescaled picture goes with the window.
        f.w->uscita->trigger();
        QVERIFY(!QFile::exists(redim));
        QVERIFY(QDir(f.c.programma()).entryList({"CurvaRedim.gif"}).isEmpty());
    }

    void controlli_prima_del_salvataggio_data()
    {
        QTest::addColumn<QStringList>("campi"); // field=value pairs changed from a full entry
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("nessun nome") << QStringList{"usa=", "euro="} << "Nome Valvola assente";
        QTest::newRow("nessuna curva") << QStringList{"curva="} << "Curva Assente";
        QTest::newRow("corrente 0") << QStringList{"I=0"} << "Corrente Massima Assente";
        QTest::newRow("punto I a 0,0") << QStringList{"IX=0", "IY=0"} << "Corrente Massima Assente";
        QTest::newRow("tensione vuota") << QStringList{"V="} << "Tensione Massima Assente";
        QTest::newRow("punto V a 0,0") << QStringList{"VX=", "VY=0"} << "Tensione Massima Assente";
        QTest::newRow("origine a 0,0") << QStringList{"OX=0", "OY=0"} << "Origine Assente";
        QTest::newRow("precedenza") << QStringList{"I=", "V=", "OX=0", "OY=0"} << "Corrente Massima Assente";
        QTest::newRow("solo EURO") << QStringList{"usa="} << "Valvola inserita nel DB";
        QTest::newRow("I con x 0") << QStringList{"IX=0", "IY=35"} << "Valvola inserita nel DB";
        QTest::newRow("origine negativa") << QStringList{"OX=-3", "OY=0"} << "Valvola inserita nel DB";
    }
    void controlli_prima_del_salvataggio()
    {
        QFETCH(QStringList, campi);
        QFETCH(QString, messaggio);
        nuova_valvola::Voce v;
        v.sigla_usa = "6V6";
        v.sigla_euro = "EL90";
        v.nomi = nuova_valvola::nomi_file("6V6", 0);
        v.orig_curve = "/x/curva.gif";
        tarata(v);
        const QHash<QString, QString*> dove = {
            {"usa", &v.sigla_usa},    {"euro", &v.sigla_euro},  {"curva", &v.orig_curve}, {"I", &v.max_current_i},
            {"IX", &v.max_current_X}, {"IY", &v.max_current_y}, {"V", &v.max_voltage_V},  {"VX", &v.max_voltage_X},
            {"VY", &v.max_voltage_Y}, {"OX", &v.origin_X},      {"OY", &v.origin_Y}};
        for (const QString& c : campi)
            *dove.value(c.section('=', 0, 0)) = c.section('=', 1);
        const QString trovato = nuova_valvola::controlla(v);
        QCOMPARE(trovato.isEmpty() ? QStringLiteral("Valvola inserita nel DB") : trovato, messaggio);
    }

    // The same checks reach the user through the window, and stop the save
    // before anything is written.
    void controllo_fallito_non_scrive_nulla()
    {
        Finestra f;
        f.voce_completa(QStringLiteral("6V6"));
        Finestra::scrivi_campo(f.w->origin_X, QStringLiteral("0"));
        Finestra::scrivi_campo(f.w->origin_Y, QStringLiteral("0"));
        f.p.azzera();
        f.w->salva_DB->trigger();
        QCOMPARE(f.p.messaggi(), QStringList{QStringLiteral("Origine Assente")});
        QCOMPARE(f.righe(), 0);
        QVERIFY(QDir(cartelle().cartella_curve).isEmpty());
    }

    void record_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QVariant>("salvato"); // invalid: the insert fails
        QTest::newRow("virgola nei valori") << "FIL1_V"
                                            << "6,3" << QVariant("6.3");
        QTest::newRow("testo libero") << "PLA_W"
                                      << "circa 40, max" << QVariant("circa 40. max");
        QTest::newRow("vuoto") << "SCRE_V"
                               << "" << QVariant("");
        QTest::newRow("pixel a mezzo, al pari") << "ORG_X"
                                                << "40.5" << QVariant(40);
        QTest::newRow("pixel a mezzo, al pari sopra") << "ORG_X"
                                                      << "41.5" << QVariant(42);
        QTest::newRow("pixel non numerico") << "ORG_X"
                                            << "40a" << QVariant();
        QTest::newRow("pixel oltre 16 bit") << "VMAX_X"
                                            << "40000" << QVariant();
        QTest::newRow("pixel vuoto") << "IMAX_X"
                                     << "" << QVariant();
        QTest::newRow("potenza decimale") << "PMAX"
                                          << "2750.5" << QVariant(2750);
        QTest::newRow("potenza vuota") << "PMAX"
                                       << "" << QVariant(0);
        QTest::newRow("potenza con testo") << "PMAX"
                                           << "12W" << QVariant(12);
        QTest::newRow("virgola nel nome resta") << "SiglaUSA"
                                                << "6,3X" << QVariant("6,3X");
        QTest::newRow("apice nel nome") << "SiglaUSA"
                                        << "6SN7'GT" << QVariant("6SN7'GT");
        QTest::newRow("statement nel nome")
            << "SiglaEURO"
            << "x'); drop table TabellaValvole; --" << QVariant("x'); drop table TabellaValvole; --");
    }
    void record()
    {
        QFETCH(QString, campo);
        QFETCH(QString, testo);
        QFETCH(QVariant, salvato);
        CartellaProva c;
        c.crea_tabella();
        nuova_valvola::Voce v;
        v.sigla_usa = "300B";
        v.modo = "TRIODO";
        v.nomi = nuova_valvola::nomi_file("300B", 1);
        tarata(v);
        v.potenza_anodica = "40000";
        v.valori = {"5", "1200", "0", "", "450", "100", "40", "", "", ""};
        const QHash<QString, QString*> dove = {
            {"FIL1_V", &v.valori[0]},     {"PLA_W", &v.valori[6]},      {"SCRE_V", &v.valori[7]},
            {"ORG_X", &v.origin_X},       {"VMAX_X", &v.max_voltage_X}, {"IMAX_X", &v.max_current_X},
            {"PMAX", &v.potenza_anodica}, {"SiglaUSA", &v.sigla_usa},   {"SiglaEURO", &v.sigla_euro}};
        *dove.value(campo) = testo;
        const bool ok = nuova_valvola::inserisci(c.basedati(), v);
        QCOMPARE(ok, salvato.isValid());
        const Esito e =
            python(QStringLiteral("import sqlite3,sys,json\n"
                                  "c=sqlite3.connect(sys.argv[1])\n"
                                  "cur=c.execute('select * from TabellaValvole')\n"
                                  "print(json.dumps([dict(zip([d[0] for d in cur.description], r)) for r in cur]))\n"),
                   {c.basedati()});
        const QJsonArray righe = QJsonDocument::fromJson(e.uscita.toUtf8()).array();
        QCOMPARE(righe.size(), ok ? 1 : 0);
        if (!ok)
            return;
        const QJsonObject r = righe[0].toObject();
        QCOMPARE(r.value(campo).toVariant(), salvato);
        if (campo != "SiglaUSA") {
            // The record of the example statement, with the one change.
            QCOMPARE(r.value("SiglaUSA").toString(), QStringLiteral("300B"));
            QCOMPARE(r.value("CURVA").toString(), QStringLiteral("300Btrio.gif"));
            QCOMPARE(r.value("PIEDINATURA").toString(), QStringLiteral("300Bpin.gif"));
            QCOMPARE(r.value("FOTO").toString(), QStringLiteral("300B.jpg"));
            QVERIFY(r.value("SiglaEURO").isString()); // '' rather than Null
            QCOMPARE(r.value("IMAX_Y").toInt(), 20);
            QCOMPARE(r.value("VMAX_V").toInt(), 500);
            QCOMPARE(r.value("FIL2_V").toString(), QStringLiteral("0"));
        }
    }

    void sigla_pericolosa_data()
    {
        QTest::addColumn<QString>("usa");
        QTest::addColumn<QString>("euro");
        QTest::newRow("barra") << "../../x"
                               << "";
        QTest::newRow("barra rovescia") << "a\\b"
                                        << "";
        QTest::newRow("punto") << "."
                               << "";
        QTest::newRow("due punti") << ""
                                   << "..";
        QTest::newRow("controllo") << QString("6V6") + QChar(9) << "";
    }
    void sigla_pericolosa()
    {
        QFETCH(QString, usa);
        QFETCH(QString, euro);
        Finestra f;
        f.voce_completa(usa, euro);
        f.p.azzera();
        f.w->salva_DB->trigger();
        QCOMPARE(f.p.messaggi(), QStringList{nuova_valvola::testo_nome_non_valido});
        QCOMPARE(f.righe(), 0);
        QVERIFY(QDir(cartelle().cartella_curve).isEmpty());
        QCOMPARE(QDir(f.c.programma()).entryList(QDir::Files), QStringList{"curva.png"});
    }

    void immagine_esistente_chiede_conferma()
    {
        Finestra f;
        const QString curva = cartelle().cartella_curve + "6V6crv.gif";
        Finestra::scrivi_in(curva, piena(10, 10, Qt::red), "GIF");
        QFile prima_f(curva);
        QVERIFY(prima_f.open(QIODevice::ReadOnly));
        const QByteArray prima = prima_f.readAll();
        prima_f.close();
        f.voce_completa("6V6");

        f.p.azzera();
        f.p.rispondi_si_no(false);
        f.w->salva_DB->trigger();
        QCOMPARE(f.p.richieste().size(), 1);
        QCOMPARE(f.p.richieste()[0].tipo, PiattaformaScriptata::Tipo::Domanda);
        QVERIFY(f.p.richieste()[0].testo.contains(curva));
        QCOMPARE(f.righe(), 0);
        QVERIFY(prima_f.open(QIODevice::ReadOnly));
        QCOMPARE(prima_f.readAll(), prima);
        prima_f.close();

        f.p.azzera();
        f.p.rispondi_si_no(true);
        f.w->salva_DB->trigger();
        QCOMPARE(f.p.messaggi(), QStringList{"Valvola inserita nel DB"});
        QCOMPARE(f.righe(), 1);
        QVERIFY(prima_f.open(QIODevice::ReadOnly));
        QCOMPARE(QImage::fromData(prima_f.readAll()).size(), QSize(518, 418));
    }

    // A copy that cannot be made stops the save before the insert.
    void copia_fallita_non_inserisce_data()
    {
        QTest::addColumn<QString>("guasto");
        QTest::newRow("cartella curve assente") << "curve";
        QTest::newRow("foto sparita") << "foto";
    }
    void copia_fallita_non_inserisce()
    {
        QFETCH(QString, guasto);
        Finestra f;
        f.voce_completa("6V6");
        const QString foto = f.scrivi("foto.jpg", piena(40, 60, Qt::gray), "JPEG");
        f.scegli(1, foto);
        if (guasto == "curve")
            QVERIFY(QDir(cartelle().cartella_curve).removeRecursively());
        else
            QVERIFY(QFile::remove(foto));
        f.p.azzera();
        f.w->salva_DB->trigger();
        QCOMPARE(f.p.messaggi(), QStringList{"Errore inserimento Valvola nel DB"});
        QCOMPARE(f.righe(), 0);
        QVERIFY(!QFile::exists(cartelle().cartella_curve + "6V6crv.gif"));
    }

    void formati_della_curva_data()
    {
        QTest::addColumn<QString>("formato");
        QTest::newRow("JPEG") << "JPEG";
        QTest::newRow("GIF") << "GIF";
        QTest::newRow("BMP") << "BMP";
        QTest::newRow("PNG con nome gif") << "PNG";
    }
    void formati_della_curva()
    {
        QFETCH(QString, formato);
        Finestra f;
        // Named .gif whatever its content, as the dialog's first filter asks.
        const QString scan = f.scrivi("scan.gif", curva_12au7::disegna(700, 560), formato.toLatin1());
        f.scegli(0, scan);
        QCOMPARE(f.w->orig_curve->text(), scan);
        const QImage ridotta(f.w->file_curva_ridimensionata());
        QCOMPARE(ridotta.size(), QSize(518, 418));
        // The origin corner of the axes is dark on the loaded picture.
        QVERIFY(qGray(f.w->tela().immagine().pixel(56, 300)) < 160);
        QVERIFY(qGray(f.w->tela().immagine().pixel(300, 20)) > 200);
    }

    void curva_tiff()
    {
        Finestra f;
        const QString png = f.scrivi("scan.png", curva_12au7::disegna(700, 560), "PNG");
        const QString tif = f.scrivi("scan.tif", QImage(png), "TIFF");
        f.scegli(0, tif);
        QCOMPARE(QImage(f.w->file_curva_ridimensionata()).size(), QSize(518, 418));
        QCOMPARE(f.w->orig_curve->text(), tif);
    }

    // A damaged picture is not loaded and, saved or not, stores nothing.
    void immagine_rovinata_data()
    {
        QTest::addColumn<QString>("formato");
        QTest::addColumn<int>("byte"); // bytes kept of the file
        QTest::newRow("PNG troncato") << "PNG" << 2000;
        QTest::newRow("JPEG troncato") << "JPEG" << 1500;
        QTest::newRow("GIF troncato") << "GIF" << 400;
        QTest::newRow("solo intestazione PNG") << "PNG" << 40;
        QTest::newRow("file vuoto") << "PNG" << 0;
    }
    void immagine_rovinata()
    {
        QFETCH(QString, formato);
        QFETCH(int, byte);
        Finestra f;
        // A good picture first: the bad one must not leave it to be saved.
        f.voce_completa("6V6");
        const QString intera = f.scrivi("rotta.img", curva_12au7::disegna(700, 560), formato.toLatin1());
        QFile file(intera);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(byte));
        file.close();
        f.scegli(0, intera);
        QVERIFY(f.w->orig_curve->text().isEmpty());
        QVERIFY(!QFile::exists(f.w->file_curva_ridimensionata()));
        QCOMPARE(area_curva(f.w->tela()), area_curva(Tela()));
        f.scegli(1, intera);
        QVERIFY(f.w->orig_Immagine->text().isEmpty());
        f.clic_e_scegli({56, 380}, QStringLiteral("Set Origine"));
        f.p.azzera();
        f.w->salva_DB->trigger();
        QCOMPARE(f.p.messaggi(), QStringList{"Curva Assente"});
        QCOMPARE(f.righe(), 0);
    }

    // A few bytes that claim a picture of 60000 x 60000 pixels.
    void immagine_enorme()
    {
        Finestra f;
        const QString png = f.file("enorme.png");
        const Esito e =
            python(QStringLiteral("import struct,zlib,sys\n"
                                  "def ch(t,d): return struct.pack('>I',len(d))+t+d+struct.pack('>I',zlib.crc32(t+d))\n"
                                  "ihdr=struct.pack('>IIBBBBB',60000,60000,8,2,0,0,0)\n"
                                  "idat=zlib.compress(b'\\0'*100000)\n"
                                  "open(sys.argv[1],'wb').write(b'\\x89PNG\\r\\n\\x1a\\n'+ch(b'IHDR',ihdr)+ch(b'IDAT',"
                                  "idat)+ch(b'IEND',b''))\n"),
                   {png});
        QCOMPARE(e.codice, 0);
        f.scegli(0, png);
        QVERIFY(f.w->orig_curve->text().isEmpty());
        QVERIFY(!QFile::exists(f.w->file_curva_ridimensionata()));
        f.scegli(1, png);
        QVERIFY(f.w->orig_Immagine->text().isEmpty());
    }

    void help_e_about()
    {
        CartellaProva c;
        imposta_cartelle(c.programma());
        cartelle().pdf_da_mostrare = "/tmp/x.pdf";
        PiattaformaScriptata p;
        LibreriaImmagini libreria;
        QStringList aperte;
        Nuovo_Dispositivo w(p, libreria,
                            {[&] { aperte << "manuale:" + cartelle().pdf_da_mostrare; }, [&] { aperte << "about"; }});
        w.help_cmd->trigger();
        w.about_cmd->trigger();
        QCOMPARE(aperte, QStringList({"manuale:", "about"}));
    }
};

QTEST_MAIN(TestNuovoDispositivo)
#include "tst_nuovo_dispositivo.moc"
