#include "platform/report/Rendering.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <vector>

#include "platform/report/ReportError.h"

namespace report {

QPageLayout pageLayoutOf(const Document& document) {
    return QPageLayout(QPageSize(document.paperMm, QPageSize::Millimeter),
                       document.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

void paintPage(QPainter& painter, const Page& page) {
    const double kx = painter.device()->logicalDpiX() / 72.0;
    const double ky = painter.device()->logicalDpiY() / 72.0;
    auto scaled = [&](const QRectF& r) { return QRectF(r.x() * kx, r.y() * ky, r.width() * kx, r.height() * ky); };
    auto pen = [&](double width) {
        QPen p(Qt::black, std::max(width * kx, 1.0));
        p.setCapStyle(Qt::FlatCap);
        return p;
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const BoxItem& b : page.boxes) {
        painter.setPen(b.width > 0 ? pen(b.width) : QPen(Qt::NoPen));
        painter.setBrush(b.fill.isValid() ? QBrush(b.fill) : QBrush(Qt::NoBrush));
        painter.drawRect(scaled(b.rect));
    }
    painter.setBrush(Qt::NoBrush);
    for (const LineItem& l : page.lines) {
        painter.setPen(pen(l.width));
        painter.drawLine(QPointF(l.from.x() * kx, l.from.y() * ky), QPointF(l.to.x() * kx, l.to.y() * ky));
    }
    painter.setPen(Qt::black);
    // Each text is drawn from the place the page model gave it, with no layout of its own;
    // the page's few fonts are made once.
    std::vector<std::pair<FontSpec, QFont>> fonts;
    const FontSpec* current = nullptr;
    for (const TextItem& t : page.texts) {
        if (t.text.isEmpty()) continue;
        if (!current || !(*current == t.font)) {
            auto f = std::find_if(fonts.begin(), fonts.end(), [&](const auto& e) { return e.first == t.font; });
            if (f == fonts.end()) f = fonts.insert(fonts.end(), {t.font, toQFont(t.font)});
            painter.setFont(f->second);
            current = &t.font;
        }
        const QPointF at(t.origin.x() * kx, t.origin.y() * ky);
        const bool plain = std::none_of(t.text.begin(), t.text.end(),
                                        [](QChar c) { return c == u'\n' || c == u'\r' || c == u'\t'; });
        painter.drawText(at, plain ? t.text : shownText(t.text));
    }
    painter.restore();
}

void paintDocument(QPainter& painter, QPagedPaintDevice& device, const Document& document) {
    for (size_t i = 0; i < document.pages.size(); ++i) {
        if (i > 0) device.newPage();
        paintPage(painter, document.pages[i]);
    }
}

void writePdf(const Document& document, const QString& path, const QString& title) {
    QPdfWriter writer(path);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Fascole"));
    writer.setPageLayout(pageLayoutOf(document));
    QPainter painter;
    if (!painter.begin(&writer))
        throw err::error(err::PrintFailed, QStringLiteral("Impossibile scrivere il file '%1'.").arg(path));
    paintDocument(painter, writer, document);
    if (!painter.end())
        throw err::error(err::PrintFailed, QStringLiteral("Impossibile scrivere il file '%1'.").arg(path));
}

namespace {

void setUp(QPrinter& printer, const Document& document, const QString& title) {
    printer.setDocName(title);
    printer.setFullPage(true);
    printer.setPageLayout(pageLayoutOf(document));
}

}  // namespace

void printDocument(const Document& document, const QString& title) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) throw err::error(err::NoPrinter, QStringLiteral("Nessuna stampante predefinita."));
    QPrinter printer(info, QPrinter::HighResolution);
    setUp(printer, document, title);
    QPainter painter;
    if (!painter.begin(&printer))
        throw err::error(err::PrintFailed, QStringLiteral("La stampante '%1' non accetta la stampa.").arg(info.printerName()));
    paintDocument(painter, printer, document);
    if (!painter.end())
        throw err::error(err::PrintFailed, QStringLiteral("La stampante '%1' non accetta la stampa.").arg(info.printerName()));
}

void previewDocument(const Document& document, const QString& title, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer, document, title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName("AnteprimaStampa");
    dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        QPainter painter(target);
        paintDocument(painter, *target, document);
    });
    dialog.exec();
}

QImage pageImage(const Document& document, int page, int dpi) {
    const double k = dpi / 72.0;
    QImage image(qRound(document.size.width() * k), qRound(document.size.height() * k), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, document.pages.at(size_t(page)));
    return image;
}

}  // namespace report
