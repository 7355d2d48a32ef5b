#pragma once
#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QWidget>
#include <functional>

// A left click on a field, which the old controls reported as the field's Click. A combo's
// list reports nothing that tells the user's pick from the box's own matching of the text
// when it is left, so the press that opens the list stands for it. Lives as long as the field.
class ClicCampo final : public QObject {
public:
    ClicCampo(QWidget& campo, std::function<void()> azione) : QObject(&campo), azione_(std::move(azione)) {
        campo.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton)
            azione_();
        return false;
    }

private:
    std::function<void()> azione_;
};
