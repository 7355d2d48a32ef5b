#include "support/ModalHelper.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <gtest/gtest.h>

ModalHelper::ModalHelper(int timeoutMs) : timeoutMs_(timeoutMs) {
    connect(&timer_, &QTimer::timeout, this, &ModalHelper::poll);
    timer_.start(20);
}

ModalHelper::~ModalHelper() {
    timer_.stop();
    if (!actions_.empty())
        ADD_FAILURE() << actions_.size() << " expected modal window(s) never opened";
}

void ModalHelper::onNextModal(std::function<void(QWidget*)> action) {
    actions_.push_back(std::move(action));
}

bool ModalHelper::eventFilter(QObject* watched, QEvent* event) {
    // A window shown again (a dialog kept for the run) is a new modal for the next action.
    if (event->type() == QEvent::Hide && watched == handled_) {
        watched->removeEventFilter(this);
        handled_ = nullptr;
    }
    return false;
}

void ModalHelper::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (modal != watched_) {
        watched_ = modal;
        watchedSince_ = now;
    }
    if (!modal)
        return;
    if (modal != handled_ && !actions_.empty()) {
        handled_ = modal;
        modal->installEventFilter(this);
        watchedSince_ = now;
        // Run apart from this timer, which does not fire again while its own slot runs: the
        // action may open a further modal window that the next action must reach.
        QTimer::singleShot(0, this, [action = std::move(actions_.front()),
                                     window = QPointer<QWidget>(modal)] {
            if (window)
                action(window);
        });
        actions_.pop_front();
        return;
    }
    if (now - watchedSince_ > timeoutMs_) {
        ADD_FAILURE() << "Modal window \"" << modal->windowTitle().toStdString()
                      << "\" left open; closing it";
        watchedSince_ = now;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
}
