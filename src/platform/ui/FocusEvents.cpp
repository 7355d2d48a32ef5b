#include "platform/ui/FocusEvents.h"

#include "platform/ui/FormUtil.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

namespace ui {
namespace {

bool takesFocusColours(QObject* object) {
    if (auto* combo = qobject_cast<QComboBox*>(object))
        return combo->isEditable();
    return qobject_cast<QLineEdit*>(object) || qobject_cast<QTextEdit*>(object) ||
           qobject_cast<QPlainTextEdit*>(object);
}

void setBase(QWidget* widget, std::uint32_t colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, bgr(colour));
    widget->setPalette(palette);
}

class FocusColours final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && takesFocusColours(watched)) {
            setBase(static_cast<QWidget*>(watched), BgrCyan);
        } else if (event->type() == QEvent::FocusOut && takesFocusColours(watched) &&
                   isUserLeaving(*static_cast<QFocusEvent*>(event))) {
            setBase(static_cast<QWidget*>(watched), BgrWhite);
        }
        return false;
    }
};

// Remembers whether the user is in the field, so that focus coming back from a popup or
// another window does not count as entering it again.
class FocusWatcher final : public QObject {
public:
    static constexpr const char* Name = "ui::FocusWatcher";

    FocusWatcher(QWidget& widget, std::function<void()> gotFocus, std::function<void()> lostFocus)
        : QObject(&widget), gotFocus_(std::move(gotFocus)), lostFocus_(std::move(lostFocus)) {
        setObjectName(Name);
        widget.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::FocusIn:
            if (!inside_) {
                inside_ = true;
                if (gotFocus_)
                    gotFocus_();
            }
            break;
        case QEvent::FocusOut:
            if (inside_ && isUserLeaving(*static_cast<QFocusEvent*>(event))) {
                inside_ = false;
                if (lostFocus_)
                    lostFocus_();
            }
            break;
        case QEvent::Hide:
            // A closed window is entered afresh when it is shown again.
            inside_ = false;
            break;
        default:
            break;
        }
        return false;
    }

private:
    std::function<void()> gotFocus_;
    std::function<void()> lostFocus_;
    bool inside_ = false;
};

}  // namespace

bool isUserLeaving(const QFocusEvent& focusOut) {
    const Qt::FocusReason reason = focusOut.reason();
    // An opening popup may also take the focus into itself with another reason.
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
           !QApplication::activePopupWidget();
}

void installFocusColours() {
    static QPointer<FocusColours> filter;
    if (filter || !qApp)
        return;
    filter = new FocusColours(qApp);
    qApp->installEventFilter(filter);
}

void onFocusChange(QWidget& widget, std::function<void()> gotFocus, std::function<void()> lostFocus) {
    new FocusWatcher(widget, std::move(gotFocus), std::move(lostFocus));
}

void dropFocusHandlers(QWidget& root) {
    const auto watchers = root.findChildren<QObject*>(QLatin1String(FocusWatcher::Name));
    for (QObject* watcher : watchers) delete watcher;
}

}  // namespace ui
