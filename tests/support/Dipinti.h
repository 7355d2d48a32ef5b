#pragma once
// What the widgets of a window paint and how they move while a recorder lives, and the window
// painted as the event loop paints it over its next turns until it is idle: for the form tests
// that check what a change repaints, and for the painted benchmarks.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace dipinti {

// Records what `finestra` and every widget inside it (those made while it records too) go
// through while it lives and `attivo` holds: paint events and the pixels they paint (the area
// of each event's region, added up over the events, so that a pixel painted by a widget and
// again by the one on top of it counts twice, as it is painted twice), the widgets asked to
// lay themselves out (LayoutRequest events), the widgets moved or resized and, when asked,
// the region painted in the window's coordinates.
class Registro : public QObject {
public:
    enum Regione { SenzaRegione, ConRegione };
    explicit Registro(QWidget& finestra, Regione regione = SenzaRegione) : finestra_(finestra), regione_(regione) {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool attivo = true;
    long long eventi = 0;
    long long pixel = 0;
    // The object names (or classes) of the widgets asked to lay themselves out, of those moved
    // or resized.
    QStringList disposti;
    QStringList spostati;
    QRegion dipinta;       // ConRegione only

protected:
    bool eventFilter(QObject* oggetto, QEvent* e) override {
        if (!attivo || !oggetto->isWidgetType()) return false;
        const QEvent::Type tipo = e->type();
        if (tipo != QEvent::Paint && tipo != QEvent::LayoutRequest && tipo != QEvent::Move && tipo != QEvent::Resize)
            return false;
        auto* w = static_cast<QWidget*>(oggetto);
        if (w != &finestra_ && !finestra_.isAncestorOf(w)) return false;
        switch (tipo) {
        case QEvent::Paint: {
            const QRegion& r = static_cast<QPaintEvent*>(e)->region();
            ++eventi;
            for (const QRect& q : r) pixel += qint64(q.width()) * q.height();
            if (regione_ == ConRegione) dipinta += r.translated(w->mapTo(&finestra_, QPoint()));
            break;
        }
        case QEvent::LayoutRequest: disposti << nome(*w); break;
        default: spostati << nome(*w); break;
        }
        return false;
    }

private:
    static QString nome(const QWidget& w) {
        return w.objectName().isEmpty() ? QString::fromLatin1(w.metaObject()->className()) : w.objectName();
    }

    QWidget& finestra_;
    Regione regione_;
};

// The window painted as the event loop paints it over its next turns, until one of them runs
// no layout and paints nothing: each turn delivers the events posted (a layout that asks the
// one around it to run next, a grid's notice of its cells, the views' delayed layouts), then
// paints the parts of the window marked dirty, and those only. The window is first let show
// on the screen, or nothing of it is painted. False when it is still busy after 50 turns.
inline bool dipingi(QWidget& finestra) {
    if (!finestra.windowHandle() || !finestra.windowHandle()->isExposed())
        (void)QTest::qWaitForWindowExposed(&finestra);
    for (int giro = 0; giro < 50; ++giro) {
        Registro turno(finestra);
        QCoreApplication::processEvents();
        QEvent aggiorna(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(&finestra, &aggiorna);
        if (turno.eventi == 0 && turno.disposti.isEmpty()) return true;
    }
    return false;
}

}  // namespace dipinti
