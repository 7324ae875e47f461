#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QAction;
class QLabel;
class QPdfDocument;
class QPdfView;
class QToolBar;

// The document viewer "Documentazione": shows one PDF file (the user manual,
// or a report handed over by its caption) with the pages one below the other,
// zoom and fit to width. Opened non-modally by the main window and modally by
// the new-tube window.
class KOR_MANUALE : public QDialog {
    Q_OBJECT
public:
    static QString titolo_manuale(); // "Documentazione"

    KOR_MANUALE(const QString& file, const QString& titolo, QWidget* parent = nullptr);
    ~KOR_MANUALE() override;

    QString file() const { return file_; }
    // Pages of the loaded document; 0 when the file could not be read.
    int pagine() const;
    // The page at the top of the view, from 0.
    int pagina_corrente() const;
    // Zoom of the view; fit-to-width and whole-page recompute it on resize.
    double zoom() const;
    bool adatta_larghezza() const;

    // A fixed zoom (1 = 72 dpi pages at screen size), within the viewer's bounds.
    void imposta_zoom_fisso(double fattore);
    void zoom_avanti();
    void zoom_indietro();
    void imposta_adatta_larghezza();
    void imposta_pagina_intera();
    void vai_a_pagina(int pagina);

    QToolBar* barra = nullptr;
    QAction *pagina_precedente = nullptr, *pagina_successiva = nullptr;
    QAction *ingrandisci = nullptr, *riduci = nullptr;
    QAction *larghezza_pagina = nullptr, *pagina_intera = nullptr;
    QLabel* indicatore_pagina = nullptr;
    // Shown instead of the pages when the file cannot be read.
    QLabel* messaggio = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void aggiorna_indicatore();
    // Runs a change of zoom and brings the page that was on top back there.
    void mantieni_pagina(const std::function<void()>& cambia_zoom);

    QString file_;
    QPdfDocument* documento_ = nullptr;
    QPdfView* vista_pdf_ = nullptr;
};
