#pragma once
#include <QDate>
#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <vector>

#include "platform/report/DataSet.h"
#include "platform/report/Layout.h"

// The page model: what a report puts on each page, as positioned texts, lines and boxes in
// points (1/72 inch) from the top-left corner of the sheet. Built once from a layout and the
// data, then painted on whatever device shows or prints it.
namespace report {

constexpr double PointsPerMm = 72.0 / 25.4;

struct TextItem {
    QRectF rect;
    QString text;
    FontSpec font;
    Qt::Alignment align = Qt::AlignLeft;
    // Where the text starts on its baseline, aligned within `rect` as it is measured in
    // points: worked out once when the page model is built, so that painting it takes no
    // further measuring.
    QPointF origin;
};

// `text` as one line shows it: line breaks, carriage returns and tabs as blanks.
QString shownText(const QString& text);

struct LineItem {
    QPointF from, to;
    double width = 0;  // points
};

struct BoxItem {
    QRectF rect;
    double width = 0;  // border, points; 0 for none
    QColor fill;       // invalid for none
};

struct Page {
    std::vector<TextItem> texts;
    std::vector<LineItem> lines;
    std::vector<BoxItem> boxes;

    // The page's texts in reading order (top to bottom, then left to right), one line of
    // the page per line of the result, the texts of a line separated by " | ".
    QStringList textLines() const;
};

struct Document {
    QSizeF paperMm;         // the sheet in portrait, millimetres
    bool landscape = false;
    QSizeF size;            // the sheet as printed (oriented), points
    std::vector<Page> pages;
};

// The font a page-model text is drawn with: no shaping (each character its own glyph, so
// that the text extracts cleanly from a PDF) and no hinting (sizes scale exactly from the
// resolution the layout is measured at to the printer's).
QFont toQFont(const FontSpec& font);

// Lays the data out on pages as the layout says. db::DbError when the layout names a table
// or a column the data does not hold, so that a wrong layout never prints blank pages.
Document buildDocument(const Layout& layout, const DataSet& data, const QDate& today = QDate::currentDate());

}  // namespace report
