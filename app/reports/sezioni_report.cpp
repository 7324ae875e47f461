#include "reports/sezioni_report.h"

#include "finale/letture_finale.h"
#include "model/curve_modello.h"
#include "model/testi_modello.h"
#include "response/letture.h"

#include <QCoreApplication>
#include <QPainter>

namespace {

// The model's curves as the model window draws them over the picture.
const QColor colore_modello(0, 90, 255);

// The heights the pages print the pictures at: the model over the curves
// as large as the first page's diagram, the three plots one under another.
constexpr double altezza_diagramma_cm = 8.0;
constexpr double altezza_grafico_cm = 4.1;

// The texts' context, declared so that lupdate files them under the
// same context the lookup uses.
struct Testi {
    Q_DECLARE_TR_FUNCTIONS(Report)
};

SezioneReport sezione_modello(const IngressiSezioni& in, const modello::ModelloSalvato& m)
{
    using modello::testo_numero;
    const modello::ParametriModello& p = m.parametri;
    const bool pentodo = p.tipo == modello::TipoModello::pentodo_koren;
    SezioneReport s;
    s.titolo = Testi::tr("Modello della valvola");

    TabellaSezione parametri;
    parametri.titolo = Testi::tr("Parametri");
    parametri.righe = {
        {Testi::tr("Tipo"),
         pentodo ? QCoreApplication::translate("FinestraModello", "Pentodo (Koren)")
                 : QCoreApplication::translate("FinestraModello", "Triodo (Koren)")},
        {QStringLiteral("mu="), testo_numero(p.mu)},
        {QStringLiteral("Ex="), testo_numero(p.ex)},
        {QStringLiteral("Kg1="), testo_numero(p.kg1)},
        {QStringLiteral("Kp="), testo_numero(p.kp)},
        {QStringLiteral("Kvb="), testo_numero(p.kvb)},
    };
    if (pentodo)
        parametri.righe.push_back({QStringLiteral("Vg2 (V)="), testo_numero(p.vg2)});
    else
        parametri.righe.push_back({QStringLiteral("Vct="), testo_numero(p.vct, 3)});
    s.tabelle.push_back(parametri);

    TabellaSezione origine;
    origine.titolo = Testi::tr("Origine");
    // The source is the database's own text, as the model window stores it.
    origine.righe.push_back({Testi::tr("Fonte"), m.fonte});
    // A published set was never measured against this picture: no residual.
    if (m.punti > 0) {
        origine.righe.push_back(
            {Testi::tr("Scarto medio (px)="), testo_numero(m.scarto_medio, 3)});
        origine.righe.push_back(
            {Testi::tr("Scarto massimo (px)="), testo_numero(m.scarto_massimo, 3)});
        origine.righe.push_back({Testi::tr("Punti adattati"), QString::number(m.punti)});
    } else {
        origine.righe.push_back(
            {Testi::tr("Scarto"), Testi::tr("non misurato")});
    }
    if (!m.data.isEmpty())
        origine.righe.push_back({Testi::tr("Data"), m.data});
    s.tabelle.push_back(origine);

    const QImage sopra = immagine_modello(in.curva, in.taratura, m, in.dimensione_diagramma);
    if (!sopra.isNull())
        s.figure.push_back({Testi::tr("Curve caratteristiche con il modello"),
                            QStringLiteral("Modello.png"), sopra, altezza_diagramma_cm});
    s.nota = Testi::tr("Kg1 nella forma Ip = (E1^Ex / Kg1)(1 + sgn E1).");
    return s;
}

SezioneReport sezione_risposta(const IngressiSezioni& in, const modello::ModelloSalvato& m,
                               const risposta::TestiStadio& t)
{
    SezioneReport s;
    s.titolo = Testi::tr("Risposta dello stadio");

    TabellaSezione stadio;
    stadio.titolo = QCoreApplication::translate("GraficoRisposta", "Stadio");
    const auto riga = [](const char* etichetta, const QString& valore) {
        return RigaSezione{QCoreApplication::translate("GraficoRisposta", etichetta), valore};
    };
    stadio.righe = {
        riga("B+ (V)=", t.b_piu),
        riga("Ra (Ohm)=", t.ra),
        riga("Vg riposo (V)=", t.vg_riposo),
        riga("Rk (Ohm)=", t.rk),
        riga("Carico successivo (Ohm)=",
             t.carico.trimmed().isEmpty() ? Testi::tr("nessuno") : t.carico),
        riga("Catodo bypassato",
             t.catodo_bypassato ? Testi::tr("sì") : Testi::tr("no")),
        riga("Ampiezza ingresso (Vp)=", t.ampiezza),
    };
    s.tabelle.push_back(stadio);

    // The window's own computation: the inputs read as it reads them and
    // the stage solved by the same core.
    QString motivo;
    const std::optional<risposta::Stadio> letto = risposta::leggi_stadio(t, &motivo);
    risposta::Risposta r;
    if (letto)
        r = risposta::calcola(risposta::da_modello(m.parametri), *letto);
    else
        r.motivo = motivo;

    if (r.valida) {
        TabellaSezione risultati;
        risultati.titolo = QCoreApplication::translate("GraficoRisposta", "Risultati");
        for (const risposta::Lettura& l : risposta::letture(r))
            risultati.righe.push_back({l.etichetta, l.valore});
        s.tabelle.push_back(risultati);
        if (in.grafici_risposta) {
            const std::vector<QImage> grafici = in.grafici_risposta(m.parametri, t);
            const char* const didascalie[] = {QT_TRANSLATE_NOOP("GraficoRisposta", "Curva di trasferimento"),
                                              QT_TRANSLATE_NOOP("GraficoRisposta", "Tensione di placca in un periodo"),
                                              QT_TRANSLATE_NOOP("GraficoRisposta", "Armoniche (dB rispetto a H1)")};
            const char* const nomi[] = {"Trasferimento.png", "Placca.png", "Armoniche.png"};
            for (std::size_t i = 0; i < grafici.size() && i < std::size(nomi); ++i)
                if (!grafici[i].isNull())
                    s.figure.push_back({QCoreApplication::translate("GraficoRisposta", didascalie[i]),
                                        QString::fromLatin1(nomi[i]), grafici[i], altezza_grafico_cm});
        }
    }
    s.nota = risposta::testo_stato(r);
    return s;
}

SezioneReport sezione_finale(const IngressiSezioni& in, const modello::ModelloSalvato& m,
                             const finale::IngressiFinale& ingressi)
{
    SezioneReport s;
    s.titolo = Testi::tr("Stadio finale");
    const bool pentodo = m.parametri.tipo == modello::TipoModello::pentodo_koren;
    TabellaSezione scelte;
    scelte.titolo = Testi::tr("Ingressi");
    for (const finale::LetturaFinale& l : finale::testi_ingressi(ingressi, pentodo))
        scelte.righe.push_back({l.etichetta, l.valore});
    s.tabelle.push_back(scelte);

    // The window's own computation on the same model and rating.
    const finale::RisultatoFinale r = finale::calcola(m.parametri, ingressi, in.pmax_w);
    if (r.valido) {
        TabellaSezione risultati;
        risultati.titolo = Testi::tr("Risultati");
        for (const finale::LetturaFinale& l : finale::letture(r, ingressi))
            risultati.righe.push_back({l.etichetta, l.valore});
        s.tabelle.push_back(risultati);
        if (in.grafici_finale) {
            const char* const nomi[] = {"Finale1.png", "Finale2.png", "Finale3.png"};
            const std::vector<FiguraSezione> grafici = in.grafici_finale(m.parametri, ingressi, in.pmax_w);
            for (std::size_t i = 0; i < grafici.size() && i < std::size(nomi); ++i)
                if (!grafici[i].immagine.isNull()) {
                    FiguraSezione f = grafici[i];
                    f.nome_file = QString::fromLatin1(nomi[i]);
                    f.altezza_cm = altezza_grafico_cm;
                    s.figure.push_back(f);
                }
        }
    } else {
        s.nota = r.motivo;
    }
    return s;
}

} // namespace

QImage immagine_modello(const QImage& curva, const Taratura& taratura, const modello::ModelloSalvato& m,
                        QSize dimensione)
{
    if (!dimensione.isValid() || dimensione.isEmpty())
        dimensione = curva.size();
    if (!dimensione.isValid() || dimensione.isEmpty())
        return {};
    QImage img(dimensione, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.drawImage(QPoint(0, 0), curva);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colore_modello, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QVector<QPointF>& c : curve_modello::curve(m.parametri, m.griglie, taratura))
        p.drawPolyline(c.constData(), int(c.size()));
    return img;
}

std::vector<SezioneReport> sezioni_report(const IngressiSezioni& in)
{
    std::vector<SezioneReport> sezioni;
    if (!in.modello)
        return sezioni;
    sezioni.push_back(sezione_modello(in, *in.modello));
    if (in.risposta)
        sezioni.push_back(sezione_risposta(in, *in.modello, *in.risposta));
    if (in.finale)
        sezioni.push_back(sezione_finale(in, *in.modello, *in.finale));
    return sezioni;
}
