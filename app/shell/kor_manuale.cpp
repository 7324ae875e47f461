#include "shell/kor_manuale.h"

#include "common/ui/nome_accessibile.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

#ifdef KORVEL_HAVE_QTPDF
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#endif

QString KOR_MANUALE::titolo_manuale()
{
    return tr("Documentazione");
}

namespace {

constexpr double passo_zoom = 1.25;
constexpr double zoom_minimo = 0.25;
constexpr double zoom_massimo = 5.0;

QAction* azione(QToolBar* barra, const QString& nome, const QString& testo, const QString& suggerimento,
                const QKeySequence& tasto)
{
    QAction* a = barra->addAction(testo);
    a->setObjectName(nome);
    a->setToolTip(suggerimento);
    a->setShortcut(tasto);
    return a;
}

} // namespace

KOR_MANUALE::KOR_MANUALE(const QString& file, const QString& titolo, QWidget* parent) : QDialog(parent), file_(file)
{
    setObjectName(QStringLiteral("KOR_MANUALE"));
    setWindowTitle(titolo);
    setSizeGripEnabled(true);
    // Dialog flags would give a window without maximise button.
    setWindowFlags(Qt::Window);

    barra = new QToolBar;
    barra->setObjectName(QStringLiteral("barra"));
    barra->setAccessibleName(tr("Comandi del visualizzatore"));
    pagina_precedente = azione(barra, QStringLiteral("pagina_precedente"), QStringLiteral("◀"), tr("Pagina precedente"),
                               QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    indicatore_pagina = new QLabel;
    indicatore_pagina->setObjectName(QStringLiteral("indicatore_pagina"));
    lega_nome_al_testo(indicatore_pagina, tr("Pagina corrente"));
    indicatore_pagina->setMinimumWidth(110);
    indicatore_pagina->setAlignment(Qt::AlignCenter);
    barra->addWidget(indicatore_pagina);
    pagina_successiva = azione(barra, QStringLiteral("pagina_successiva"), QStringLiteral("▶"), tr("Pagina successiva"),
                               QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    barra->addSeparator();
    riduci = azione(barra, QStringLiteral("riduci"), QStringLiteral("−"), tr("Riduci"), QKeySequence::ZoomOut);
    ingrandisci =
        azione(barra, QStringLiteral("ingrandisci"), QStringLiteral("+"), tr("Ingrandisci"), QKeySequence::ZoomIn);
    larghezza_pagina = azione(barra, QStringLiteral("larghezza_pagina"), tr("Larghezza pagina"),
                              tr("Adatta alla larghezza della finestra"), QKeySequence(Qt::CTRL | Qt::Key_0));
    pagina_intera = azione(barra, QStringLiteral("pagina_intera"), tr("Pagina intera"), tr("Mostra una pagina intera"),
                           QKeySequence(Qt::CTRL | Qt::Key_1));
    larghezza_pagina->setCheckable(true);
    pagina_intera->setCheckable(true);
    for (QAction* a : barra->actions())
        a->setShortcutContext(Qt::WindowShortcut);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addWidget(barra);

#ifdef KORVEL_HAVE_QTPDF
    documento_ = new QPdfDocument(this);
    documento_->load(file_);
    vista_pdf_ = new QPdfView;
    vista_pdf_->setObjectName(QStringLiteral("vista_pdf"));
    vista_pdf_->setAccessibleName(titolo.isEmpty() ? titolo_manuale() : titolo);
    vista_pdf_->setDocument(documento_);
    vista_pdf_->setPageMode(QPdfView::PageMode::MultiPage);
    vista_pdf_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    vista_pdf_->setPageSpacing(12);
    vista_pdf_->viewport()->installEventFilter(this);
    // A file that cannot be read leaves the window open, saying so in place
    // of the pages.
    messaggio = new QLabel(tr("Impossibile aprire il documento:\n") + file_);
    messaggio->setObjectName(QStringLiteral("messaggio"));
    messaggio->setAlignment(Qt::AlignCenter);
    messaggio->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const bool leggibile = documento_->status() == QPdfDocument::Status::Ready;
    messaggio->setVisible(!leggibile);
    vista_pdf_->setVisible(leggibile);
    l->addWidget(messaggio, 1);
    l->addWidget(vista_pdf_, 1);
    connect(vista_pdf_->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this,
            &KOR_MANUALE::aggiorna_indicatore);
#else
    messaggio = new QLabel(tr("Visualizzatore PDF non disponibile.\n") + file_);
    messaggio->setObjectName(QStringLiteral("messaggio"));
    messaggio->setAlignment(Qt::AlignCenter);
    messaggio->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->addWidget(messaggio, 1);
#endif

    connect(pagina_precedente, &QAction::triggered, this, [this] { vai_a_pagina(pagina_corrente() - 1); });
    connect(pagina_successiva, &QAction::triggered, this, [this] { vai_a_pagina(pagina_corrente() + 1); });
    connect(ingrandisci, &QAction::triggered, this, &KOR_MANUALE::zoom_avanti);
    connect(riduci, &QAction::triggered, this, &KOR_MANUALE::zoom_indietro);
    connect(larghezza_pagina, &QAction::triggered, this, &KOR_MANUALE::imposta_adatta_larghezza);
    connect(pagina_intera, &QAction::triggered, this, &KOR_MANUALE::imposta_pagina_intera);
    larghezza_pagina->setChecked(true);
    aggiorna_indicatore();

    // An A4 page at a readable width, never larger than the screen.
    QSize dimensione(860, 1000);
    if (const QScreen* schermo = QApplication::primaryScreen()) {
        const QSize disponibile = schermo->availableSize();
        dimensione = dimensione.boundedTo(disponibile * 0.9);
    }
    resize(dimensione);
}

KOR_MANUALE::~KOR_MANUALE()
{
#ifdef KORVEL_HAVE_QTPDF
    // The document goes first among the children and tells the view as it
    // closes; by then this window must no longer listen.
    disconnect(vista_pdf_->pageNavigator(), nullptr, this, nullptr);
    vista_pdf_->setDocument(nullptr);
#endif
}

int KOR_MANUALE::pagine() const
{
#ifdef KORVEL_HAVE_QTPDF
    if (documento_->status() == QPdfDocument::Status::Ready)
        return documento_->pageCount();
#endif
    return 0;
}

int KOR_MANUALE::pagina_corrente() const
{
#ifdef KORVEL_HAVE_QTPDF
    return vista_pdf_->pageNavigator()->currentPage();
#else
    return 0;
#endif
}

double KOR_MANUALE::zoom() const
{
#ifdef KORVEL_HAVE_QTPDF
    return vista_pdf_->zoomFactor();
#else
    return 1.0;
#endif
}

bool KOR_MANUALE::adatta_larghezza() const
{
#ifdef KORVEL_HAVE_QTPDF
    return vista_pdf_->zoomMode() == QPdfView::ZoomMode::FitToWidth;
#else
    return false;
#endif
}

void KOR_MANUALE::mantieni_pagina(const std::function<void()>& cambia_zoom)
{
    // The view keeps its scroll position in pixels, which at another zoom
    // belong to another page: the page the reader was on is put back on top.
    const int pagina = pagina_corrente();
    cambia_zoom();
#ifdef KORVEL_HAVE_QTPDF
    // The navigator still names that page as current, and the view scrolls
    // only when the current page changes: by way of another page it does.
    const int n = pagine();
    if (n > 0) {
        const int p = std::clamp(pagina, 0, n - 1);
        QPdfPageNavigator* navigatore = vista_pdf_->pageNavigator();
        if (n > 1 && navigatore->currentPage() == p)
            navigatore->jump(p == 0 ? 1 : 0, QPointF(), 0);
        navigatore->jump(p, QPointF(), 0);
    }
#else
    (void)pagina;
#endif
    aggiorna_indicatore();
}

void KOR_MANUALE::imposta_zoom_fisso(double fattore)
{
#ifdef KORVEL_HAVE_QTPDF
    mantieni_pagina([this, fattore] {
        vista_pdf_->setZoomMode(QPdfView::ZoomMode::Custom);
        vista_pdf_->setZoomFactor(std::clamp(fattore, zoom_minimo, zoom_massimo));
    });
#else
    (void)fattore;
#endif
    larghezza_pagina->setChecked(false);
    pagina_intera->setChecked(false);
}

void KOR_MANUALE::zoom_avanti()
{
    imposta_zoom_fisso(zoom() * passo_zoom);
}

void KOR_MANUALE::zoom_indietro()
{
    imposta_zoom_fisso(zoom() / passo_zoom);
}

void KOR_MANUALE::imposta_adatta_larghezza()
{
#ifdef KORVEL_HAVE_QTPDF
    mantieni_pagina([this] { vista_pdf_->setZoomMode(QPdfView::ZoomMode::FitToWidth); });
#endif
    larghezza_pagina->setChecked(true);
    pagina_intera->setChecked(false);
}

void KOR_MANUALE::imposta_pagina_intera()
{
#ifdef KORVEL_HAVE_QTPDF
    mantieni_pagina([this] { vista_pdf_->setZoomMode(QPdfView::ZoomMode::FitInView); });
#endif
    larghezza_pagina->setChecked(false);
    pagina_intera->setChecked(true);
}

void KOR_MANUALE::vai_a_pagina(int pagina)
{
    const int n = pagine();
    if (n <= 0)
        return;
#ifdef KORVEL_HAVE_QTPDF
    vista_pdf_->pageNavigator()->jump(std::clamp(pagina, 0, n - 1), QPointF(), 0);
#else
    (void)pagina;
#endif
    aggiorna_indicatore();
}

void KOR_MANUALE::aggiorna_indicatore()
{
    const int n = pagine();
    indicatore_pagina->setText(n > 0 ? tr("Pagina %1 di %2").arg(pagina_corrente() + 1).arg(n) : QString());
    pagina_precedente->setEnabled(n > 0 && pagina_corrente() > 0);
    pagina_successiva->setEnabled(n > 0 && pagina_corrente() < n - 1);
    ingrandisci->setEnabled(n > 0);
    riduci->setEnabled(n > 0);
}

bool KOR_MANUALE::eventFilter(QObject* o, QEvent* e)
{
    // Ctrl with the wheel zooms, as in every document viewer.
    if (e->type() == QEvent::Wheel) {
        auto* w = static_cast<QWheelEvent*>(e);
        if (w->modifiers() & Qt::ControlModifier) {
            const int passi = w->angleDelta().y();
            if (passi > 0)
                zoom_avanti();
            else if (passi < 0)
                zoom_indietro();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}
