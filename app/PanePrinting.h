#pragma once

// Printing the reading pane's page: print, print preview and page setup with
// one printer whose settings last for the run. Nothing here waits for a
// printer: the dialogs are modal with the event loop running, and without any
// printer installed the page still prints to PDF and previews.

#include <QObject>

#include <memory>

class QPrinter;
class QWebEngineView;
class QWidget;

class PanePrinting : public QObject {
    Q_OBJECT
public:
    PanePrinting(QWebEngineView* view, QWidget* owner);
    ~PanePrinting() override;

    // The print dialog, then the page to the chosen printer or PDF file.
    void print();
    // A preview of the page as it would print.
    void preview();
    // Paper, orientation and margins for the next print or preview.
    void pageSetup();

    QPrinter& printer() { return *m_printer; }
    // Prints with the current settings, no dialog: to the PDF file named in
    // the printer's settings, or to the printer.
    void printNow();
    bool busy() const { return m_busy; }

signals:
    void printed(bool ok);

private:
    // Paints the page onto a preview's printer; returns once it is painted.
    void paintPreview(QPrinter* printer);

    QWebEngineView* m_view;
    QWidget* m_owner;
    std::unique_ptr<QPrinter> m_printer;
    bool m_busy = false;
};
