#pragma once
// The raw counterpart of a report written as a PDF: the same texts, lines and boxes drawn at
// the same places by a bare QPdfWriter, each text at its baseline with one drawText call, the
// positions worked out beforehand. What a report's PDF costs beyond the drawing itself is the
// difference between the two.
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <vector>

#include "platform/report/PageModel.h"
#include "platform/report/Rendering.h"

namespace bench {

class PdfNudo {
public:
    explicit PdfNudo(const report::Document& doc) : layout_(report::pageLayoutOf(doc)) {
        QImage punti(1, 1, QImage::Format_RGB32);  // 72 dots per inch: one dot a point
        punti.setDotsPerMeterX(2835);
        punti.setDotsPerMeterY(2835);
        for (const report::Page& p : doc.pages) {
            Pagina pagina;
            for (const report::TextItem& t : p.texts) {
                if (t.text.isEmpty()) continue;
                size_t f = 0;
                while (f < specs_.size() && !(specs_[f] == t.font)) ++f;
                if (f == specs_.size()) {
                    specs_.push_back(t.font);
                    fonts_.push_back(report::toQFont(t.font));
                }
                const QFontMetricsF fm(fonts_[f], &punti);
                const double libero = t.rect.width() - fm.horizontalAdvance(t.text);
                const double dx = t.align & Qt::AlignRight ? libero : t.align & Qt::AlignHCenter ? libero / 2 : 0;
                pagina.testi.push_back({f, QPointF(t.rect.left() + dx, t.rect.top() + fm.ascent()), t.text});
            }
            pagina.linee = p.lines;
            pagina.riquadri = p.boxes;
            pagine_.push_back(std::move(pagina));
        }
    }

    void scrivi(const QString& percorso) const {
        QPdfWriter writer(percorso);
        writer.setPageLayout(layout_);
        QPainter painter(&writer);
        const double k = writer.logicalDpiX() / 72.0;
        painter.setRenderHint(QPainter::Antialiasing);
        for (size_t i = 0; i < pagine_.size(); ++i) {
            if (i > 0) writer.newPage();
            const Pagina& p = pagine_[i];
            for (const report::BoxItem& b : p.riquadri) {
                painter.setPen(b.width > 0 ? QPen(Qt::black, b.width * k) : QPen(Qt::NoPen));
                painter.setBrush(b.fill.isValid() ? QBrush(b.fill) : QBrush(Qt::NoBrush));
                painter.drawRect(QRectF(b.rect.topLeft() * k, b.rect.size() * k));
            }
            painter.setBrush(Qt::NoBrush);
            for (const report::LineItem& l : p.linee) {
                painter.setPen(QPen(Qt::black, l.width * k));
                painter.drawLine(l.from * k, l.to * k);
            }
            painter.setPen(Qt::black);
            size_t corrente = fonts_.size();
            for (const Testo& t : p.testi) {
                if (t.font != corrente) painter.setFont(fonts_[corrente = t.font]);
                painter.drawText(t.punto * k, t.testo);
            }
        }
    }

private:
    struct Testo {
        size_t font;
        QPointF punto;  // the baseline's start, points
        QString testo;
    };
    struct Pagina {
        std::vector<Testo> testi;
        std::vector<report::LineItem> linee;
        std::vector<report::BoxItem> riquadri;
    };
    QPageLayout layout_;
    std::vector<report::FontSpec> specs_;
    std::vector<QFont> fonts_;
    std::vector<Pagina> pagine_;
};

}  // namespace bench
