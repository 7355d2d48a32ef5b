#pragma once
#include <QImage>
#include <QPageLayout>
#include <QString>

#include "platform/report/PageModel.h"

class QPainter;
class QPagedPaintDevice;
class QWidget;

// Painting the page model on the devices a report goes to. Coordinates are scaled from
// points to the device's own resolution; fonts keep their point sizes.
namespace report {

// The sheet of `document` with no margins: the page model places everything itself.
QPageLayout pageLayoutOf(const Document& document);

// Paints `page` with `painter`, whose device's origin is the sheet's top-left corner.
void paintPage(QPainter& painter, const Page& page);

// Paints every page of `document` on `device`, starting a new sheet for each page after
// the first. `painter` must be active on `device`.
void paintDocument(QPainter& painter, QPagedPaintDevice& device, const Document& document);

// The document as a PDF file at `path` (fonts embedded), titled `title`. db::DbError when
// the file cannot be written.
void writePdf(const Document& document, const QString& path, const QString& title);

// The document on the default printer, without a dialog. db::DbError when there is no
// printer or it refuses the pages.
void printDocument(const Document& document, const QString& title);

// The document in a modal print preview titled `title`, from which the user may also print.
// Returns when the preview is closed.
void previewDocument(const Document& document, const QString& title, QWidget* parent = nullptr);

// One page as a picture at `dpi` dots per inch, on white.
QImage pageImage(const Document& document, int page, int dpi = 100);

}  // namespace report
