#include "app/PanePrinting.h"

#include <QEventLoop>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <QWebEngineView>

PanePrinting::PanePrinting(QWebEngineView* view, QWidget* owner)
    : QObject(owner), m_view(view), m_owner(owner),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    // With no printer installed the page goes to a PDF file.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        m_printer->setOutputFormat(QPrinter::PdfFormat);
    connect(m_view, &QWebEngineView::printFinished, this, [this](bool ok) {
        m_busy = false;
        emit printed(ok);
    });
    connect(m_view, &QWebEngineView::pdfPrintingFinished, this, [this](const QString&, bool ok) {
        m_busy = false;
        emit printed(ok);
    });
}

PanePrinting::~PanePrinting() = default;

void PanePrinting::print() {
    if (m_busy)
        return; // one job at a time: the printer object serves it until it ends
    QPrintDialog dialog(m_printer.get(), m_owner);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printNow();
}

void PanePrinting::printNow() {
    if (m_busy)
        return;
    m_busy = true;
    if (m_printer->outputFormat() == QPrinter::PdfFormat && !m_printer->outputFileName().isEmpty())
        m_view->printToPdf(m_printer->outputFileName(), m_printer->pageLayout());
    else
        m_view->print(m_printer.get());
}

void PanePrinting::preview() {
    if (m_busy)
        return;
    QPrintPreviewDialog dialog(m_printer.get(), m_owner);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, &PanePrinting::paintPreview);
    dialog.exec();
}

void PanePrinting::paintPreview(QPrinter* printer) {
    // The preview paints synchronously; the page prints asynchronously, so
    // wait for it with the event loop running.
    QEventLoop loop;
    bool done = false;
    const auto finished = connect(m_view, &QWebEngineView::printFinished, &loop, [&] {
        done = true;
        loop.quit();
    });
    m_busy = true;
    m_view->print(printer);
    // A renderer that never answers must not hang the window.
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    if (!done)
        loop.exec();
    disconnect(finished);
    m_busy = false;
}

void PanePrinting::pageSetup() {
    QPageSetupDialog dialog(m_printer.get(), m_owner);
    dialog.exec();
}
