#pragma once
// A window painted as the event loop would paint it on its next turn, and the paint events of
// widgets counted while it paints.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace bench {

// Whether the events already posted (a grid's notice of its cells, the views' delayed layouts)
// are delivered before the update request.
enum class EventiInAttesa { Lasciati, Consegnati };

// What the window was asked to repaint, painted now: the parts of the window marked dirty, and
// those only. The window is first let show on the screen, or nothing of it is painted.
inline void dipingi(QWidget& finestra, EventiInAttesa eventi = EventiInAttesa::Lasciati) {
    if (!finestra.windowHandle() || !finestra.windowHandle()->isExposed())
        (void)QTest::qWaitForWindowExposed(&finestra);
    if (eventi == EventiInAttesa::Consegnati) QCoreApplication::processEvents();
    QEvent aggiorna(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(&finestra, &aggiorna);
}

// Paint events of a widget (and, when asked, of every widget inside it) while it counts.
struct ContaDipinti : QObject {
    enum Portata { SoloEsso, ConIFigli };
    explicit ContaDipinti(QWidget& w, Portata portata = SoloEsso) {
        w.installEventFilter(this);
        if (portata == ConIFigli)
            for (QWidget* figlio : w.findChildren<QWidget*>()) figlio->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++n;
        return false;
    }
    int n = 0;
};

}  // namespace bench
