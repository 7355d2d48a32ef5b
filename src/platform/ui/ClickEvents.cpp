#include "platform/ui/ClickEvents.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace ui {
namespace {

class ClickWatcher final : public QObject {
public:
    ClickWatcher(QWidget& widget, QEvent::Type type, std::function<void()> action)
        : QObject(&widget), type_(type), action_(std::move(action)) {
        widget.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) action_();
        return false;
    }

private:
    QEvent::Type type_;
    std::function<void()> action_;
};

}  // namespace

void onClick(QWidget& widget, std::function<void()> action) {
    new ClickWatcher(widget, QEvent::MouseButtonPress, std::move(action));
}

void onDoubleClick(QWidget& widget, std::function<void()> action) {
    new ClickWatcher(widget, QEvent::MouseButtonDblClick, std::move(action));
}

}  // namespace ui
