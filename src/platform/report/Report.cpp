#include "platform/report/Report.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/report/DataSet.h"
#include "platform/report/Layout.h"
#include "platform/report/Rendering.h"
#include "platform/report/ReportError.h"
#include "platform/system/Paths.h"

namespace report {

namespace {

// `name` in `folder`, matched without regard to case: the program names its files in any case
// and the office's copies may be named in another.
QString fileIn(const QString& folder, const QString& name) {
    QDir dir(folder);
    if (folder.isEmpty() || !dir.exists()) return {};
    const QFileInfo exact(dir.filePath(name));
    if (exact.isFile()) return exact.absoluteFilePath();
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files))
        if (entry.fileName().compare(name, Qt::CaseInsensitive) == 0) return entry.absoluteFilePath();
    return {};
}

}  // namespace

QStringList shippedLayoutFolders() {
    return {QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("layouts"))};
}

Report::Report(QString startFolder) : startFolder_(std::move(startFolder)) {}

QString Report::resolved(const QString& path) const {
    const QString local = sys::LocalPath(path);
    if (QDir::isAbsolutePath(local) || startFolder_.isEmpty()) return local;
    return QDir(sys::LocalPath(startFolder_)).filePath(local);
}

QString Report::findLayout(const QString& name) const {
    const QString local = sys::LocalPath(name);
    if (QDir::isAbsolutePath(local)) return QFileInfo(local).isFile() ? local : QString();
    if (!startFolder_.isEmpty()) {
        const QFileInfo asked(QDir(sys::LocalPath(startFolder_)).filePath(local));
        const QString found = fileIn(asked.absolutePath(), asked.fileName());
        if (!found.isEmpty()) return found;
    }
    for (const QString& folder : shippedLayoutFolders()) {
        const QFileInfo asked(QDir(folder).filePath(local));
        const QString found = fileIn(asked.absolutePath(), asked.fileName());
        if (!found.isEmpty()) return found;
    }
    return {};
}

void Report::run() {
    document_ = {};
    if (reportFileName_.trimmed().isEmpty())
        throw err::error(err::LayoutNotFound, QStringLiteral("Nessun modello di stampa indicato."));
    const QString layoutPath = findLayout(reportFileName_);
    if (layoutPath.isEmpty())
        throw err::error(err::LayoutNotFound,
                         QStringLiteral("Impossibile trovare il modello di stampa '%1'.").arg(reportFileName_));
    const Layout layout = loadLayout(layoutPath);
    if (dataFile_.trimmed().isEmpty())
        throw err::error(err::DataFileNotFound, QStringLiteral("Nessun file dati indicato per la stampa."));
    // Read and closed here: the caller may delete the data file as soon as the run returns.
    const DataSet data = loadDataSet(resolved(dataFile_));
    document_ = buildDocument(layout, data);
    const Document& document = document_;

    switch (destination_) {
    case Screen: previewDocument(document, windowTitle_, parent_); break;
    case Printer: printDocument(document, windowTitle_); break;
    case Pdf:
        if (pdfFile_.trimmed().isEmpty())
            throw err::error(err::PrintFailed, QStringLiteral("Nessun file indicato per la stampa su PDF."));
        writePdf(document, resolved(pdfFile_), windowTitle_);
        break;
    default:
        throw err::error(err::PrintFailed, QStringLiteral("Destinazione di stampa %1 sconosciuta.").arg(destination_));
    }
}

}  // namespace report
