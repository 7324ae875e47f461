// The main window's auxiliary windows: About, the document viewer and the
// stage schematic of the loaded tube's mode.
#include "shell/korvel.h"

#include "archive/cartelle.h"
#include "common/lingua.h"
#include "shell/about.h"
#include "shell/kor_manuale.h"
#include "shell/modi_schema.h"
#include "shell/vedi_schema.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <functional>

namespace {

// A left click on a label that is enabled; a label has no click of its own.
class FiltroClick : public QObject {
public:
    FiltroClick(QWidget* etichetta, std::function<void()> azione)
        : QObject(etichetta), etichetta_(etichetta), azione_(std::move(azione))
    {
        etichetta->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == etichetta_ && e->type() == QEvent::MouseButtonRelease && etichetta_->isEnabled() &&
            static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton &&
            etichetta_->rect().contains(static_cast<QMouseEvent*>(e)->position().toPoint())) {
            azione_();
            return true;
        }
        return QObject::eventFilter(o, e);
    }

private:
    QWidget* etichetta_;
    std::function<void()> azione_;
};

} // namespace

void KORVEL::collega_finestre_ausiliarie()
{
    new FiltroClick(Image1, [this] { Image1_Click(); });
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setAccessibleName(tr("Schema dello stadio"));
}

void KORVEL::about_cmd_Click()
{
    About finestra(this);
    finestra.exec();
}

void KORVEL::help_cmd_Click()
{
    // A report handed over earlier must not come back: Help is the manual.
    cartelle().titolo_pdf_da_mostrare.clear();
    cartelle().pdf_da_mostrare.clear();
    mostra_visualizzatore_pdf();
}

void KORVEL::mostra_visualizzatore_pdf(bool modale)
{
    chiudi_visualizzatore_pdf();
    QCoreApplication::processEvents();

    const Cartelle& c = cartelle();
    const bool consegnato = !c.pdf_da_mostrare.isEmpty();
    const QString manuale = lingua_corrente() == Lingua::inglese ? c.file_manuale_inglese : c.file_manuale;
    const QString file = consegnato ? c.pdf_da_mostrare : manuale;
    const QString titolo = consegnato ? c.titolo_pdf_da_mostrare : KOR_MANUALE::titolo_manuale();
    if (modale) {
        KOR_MANUALE finestra(file, titolo, this);
        finestra.setWindowModality(Qt::ApplicationModal);
        finestra.exec();
        return;
    }
    auto* finestra = new KOR_MANUALE(file, titolo, this);
    finestra->setAttribute(Qt::WA_DeleteOnClose);
    visualizzatore_pdf_ = finestra;
    finestra->show();
}

KOR_MANUALE* KORVEL::visualizzatore_pdf() const
{
    return visualizzatore_pdf_;
}

Vedi_Schema* KORVEL::vedi_schema() const
{
    return vedi_schema_;
}

void KORVEL::chiudi_visualizzatore_pdf()
{
    delete visualizzatore_pdf_.data();
}

void KORVEL::Image1_Click()
{
    const SchemaModo s = schema_del_modo(nome_valvola[2]->text());
    chiudi_vedi_schema();
    // The picture lies in the program folder; the full path keeps it found
    // whatever the current folder has become.
    auto* finestra = new Vedi_Schema(s.modo_schema, cartelle().cartella_programma + s.file_schema, this);
    finestra->setAttribute(Qt::WA_DeleteOnClose);
    vedi_schema_ = finestra;
    finestra->show();
}

void KORVEL::chiudi_vedi_schema()
{
    delete vedi_schema_.data();
}
