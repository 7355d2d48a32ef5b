#pragma once
#include <QString>
#include <QStringList>

#include "platform/report/PageModel.h"

class QWidget;

// The report engine: runs a report layout against the tables of a data file, to a preview
// window, the printer or a PDF file.
//
//   report::Report stampa(AmbienteLavoro().CartellaAvvio);
//   stampa.setDataFile(percorsoArchivioStampa);        // data file 0
//   stampa.setReportFileName("Stp_elefat.rpt");        // the layout
//   stampa.setWindowTitle("STAMPA ...");               // preview title, PDF title
//   stampa.setDestination(report::Screen);             // 0 screen, 1 printer
//   stampa.run();                                      // synchronous; db::DbError on failure
//
// A run takes five settings, which callers set in the order above.
// A run reads the layout and every table of the data file into memory and closes the file
// before anything is drawn, so the caller may delete the data file as soon as run()
// returns. A missing or unreadable layout or data file, or a layout that names a table or
// column the data file lacks, raises db::DbError (see ReportError.h) and shows nothing.
namespace report {

enum Destination { Screen = 0, Printer = 1, Pdf = 2 };

class Report {
public:
    // Relative names of the data file and of the layout are taken from `startFolder`.
    explicit Report(QString startFolder = {});

    void setStartFolder(const QString& folder) { startFolder_ = folder; }
    void setDataFile(const QString& path) { dataFile_ = path; }
    void setReportFileName(const QString& name) { reportFileName_ = name; }
    void setWindowTitle(const QString& title) { windowTitle_ = title; }
    // 0 screen (a modal preview), 1 the default printer with no dialog, 2 a PDF file.
    void setDestination(int destination) { destination_ = destination; }
    // The file written by the PDF destination (relative to the start folder).
    void setPdfFile(const QString& path) { pdfFile_ = path; }
    // The window the preview belongs to.
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    // Runs the report and returns when it has been shown (the preview closed), printed or
    // written. db::DbError on failure.
    void run();

    // The pages of the last run.
    const Document& document() const { return document_; }

    // The layout file a run would use: `name` in the start folder, else among the layouts
    // shipped with the program; empty when there is none. A layout in the start folder
    // overrides the shipped one of the same name. Names ignore case.
    QString findLayout(const QString& name) const;

    const QString& dataFile() const { return dataFile_; }
    const QString& reportFileName() const { return reportFileName_; }
    const QString& windowTitle() const { return windowTitle_; }
    int destination() const { return destination_; }

private:
    QString resolved(const QString& path) const;

    QString startFolder_;
    QString dataFile_;
    QString reportFileName_;
    QString windowTitle_;
    int destination_ = Screen;
    QString pdfFile_;
    QWidget* parent_ = nullptr;
    Document document_;
};

// The folders of the layouts shipped with the program: "layouts" beside the executable.
QStringList shippedLayoutFolders();

}  // namespace report
