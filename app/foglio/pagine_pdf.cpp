#include "foglio/pagine_pdf.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

#if KORVEL_HAVE_QTPDF
#include <QPdfDocument>
#include <QPdfDocumentRenderOptions>
#else
// Without Qt PDF the document pointer stays empty; its deleter still needs a
// complete type.
class QPdfDocument {};
#endif

#include <algorithm>
#include <cmath>

namespace pagine_pdf {

namespace {
// The texts' context, declared so that lupdate files them under the same
// context the lookup uses.
struct Testi {
    Q_DECLARE_TR_FUNCTIONS(PaginePdf)
};
} // namespace

#if KORVEL_HAVE_QTPDF
namespace {

// Above this, a page is kept in grey levels: one byte a pixel instead of four.
constexpr qint64 pixel_a_colori = 40'000'000;
// Large pages are rendered in bands of this many rows.
constexpr int righe_banda = 1024;

} // namespace
#endif

bool e_pdf(const QString& percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    // The header may follow some junk; readers accept it within the first
    // kilobyte.
    return f.read(1024).contains("%PDF-");
}

QSize dimensioni_resa(QSizeF punti, int dpi, qint64 massimi)
{
    if (!(punti.width() > 0) || !(punti.height() > 0))
        return {};
    double w = punti.width() / 72.0 * dpi;
    double h = punti.height() / 72.0 * dpi;
    if (w * h > double(massimi)) {
        const double f = std::sqrt(double(massimi) / (w * h));
        w *= f;
        h *= f;
    }
    return QSize(std::max(1, int(std::floor(w))), std::max(1, int(std::floor(h))));
}

#if KORVEL_HAVE_QTPDF

Documento::Documento(const QString& percorso) : documento_(std::make_unique<QPdfDocument>())
{
    const QString nome = QFileInfo(percorso).fileName();
    switch (documento_->load(percorso)) {
    case QPdfDocument::Error::None:
        if (documento_->pageCount() <= 0)
            errore_ = Testi::tr("Il file PDF %1 non contiene pagine.").arg(nome);
        break;
    case QPdfDocument::Error::IncorrectPassword:
    case QPdfDocument::Error::UnsupportedSecurityScheme:
        errore_ = Testi::tr("Il file PDF %1 è protetto da password: non è possibile leggerlo.").arg(nome);
        break;
    case QPdfDocument::Error::FileNotFound: errore_ = Testi::tr("Impossibile aprire il file %1.").arg(nome); break;
    default: errore_ = Testi::tr("Il file %1 è danneggiato o non è un PDF leggibile.").arg(nome); break;
    }
}

Documento::~Documento() = default;

int Documento::pagine() const
{
    return errore_.isEmpty() ? documento_->pageCount() : 0;
}

QSizeF Documento::dimensioni_punti(int pagina) const
{
    if (pagina < 0 || pagina >= pagine())
        return {};
    return documento_->pagePointSize(pagina);
}

QImage Documento::rendi(int pagina, QSize dimensioni, bool grigia) const
{
    if (dimensioni.isEmpty())
        return {};
    QImage r(dimensioni, grigia ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    if (r.isNull())
        return {};
    r.fill(Qt::white);
    // Band by band, so a large page never needs its full size in colour.
    for (int y = 0; y < dimensioni.height(); y += righe_banda) {
        const int altezza = std::min(righe_banda, dimensioni.height() - y);
        QPdfDocumentRenderOptions opzioni;
        opzioni.setScaledSize(dimensioni);
        opzioni.setScaledClipRect(QRect(0, y, dimensioni.width(), altezza));
        QImage banda = documento_->render(pagina, QSize(dimensioni.width(), altezza), opzioni);
        if (banda.isNull())
            return {};
        // The page's paper is white, whatever the renderer left transparent.
        QImage carta(banda.size(), QImage::Format_RGB32);
        carta.fill(Qt::white);
        {
            QPainter p(&carta);
            p.drawImage(0, 0, banda);
        }
        if (grigia)
            carta = carta.convertToFormat(QImage::Format_Grayscale8);
        for (int riga = 0; riga < altezza; ++riga)
            std::copy_n(carta.constScanLine(riga), std::min(carta.bytesPerLine(), r.bytesPerLine()),
                        r.scanLine(y + riga));
    }
    return r;
}

QImage Documento::pagina(int pagina) const
{
    if (pagina < 0 || pagina >= pagine())
        return {};
    const QSize d = dimensioni_resa(dimensioni_punti(pagina));
    return rendi(pagina, d, qint64(d.width()) * d.height() > pixel_a_colori);
}

QImage Documento::miniatura(int pagina, int lato) const
{
    if (pagina < 0 || pagina >= pagine() || lato <= 0)
        return {};
    const QSize d = dimensioni_punti(pagina).scaled(lato, lato, Qt::KeepAspectRatio).toSize();
    return rendi(pagina, d.expandedTo(QSize(1, 1)), false);
}

#else

Documento::Documento(const QString&) : errore_(Testi::tr("Questa versione del programma non legge i file PDF.")) {}

Documento::~Documento() = default;

int Documento::pagine() const
{
    return 0;
}

QSizeF Documento::dimensioni_punti(int) const
{
    return {};
}

QImage Documento::rendi(int, QSize, bool) const
{
    return {};
}

QImage Documento::pagina(int) const
{
    return {};
}

QImage Documento::miniatura(int, int) const
{
    return {};
}

#endif

} // namespace pagine_pdf
