#pragma once
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

// Drives windows opened with exec(), which blocks the test: while the helper lives, a timer
// watches QApplication::activeModalWidget() and hands each newly opened modal window to the
// next queued action. A modal window left open with nothing to act on it for `timeoutMs`
// fails the test and is closed, so a forgotten dialog cannot hang the run; actions still
// queued when the helper is destroyed fail the test too.
class ModalHelper final : public QObject {
public:
    explicit ModalHelper(int timeoutMs = 3000);
    ~ModalHelper() override;

    void onNextModal(std::function<void(QWidget*)> action);
    int pending() const { return int(actions_.size()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void poll();

    std::deque<std::function<void(QWidget*)>> actions_;
    QPointer<QWidget> handled_;   // the window handed to an action, while it stays open
    QPointer<QWidget> watched_;   // the modal window on top at the last look
    qint64 watchedSince_ = 0;
    int timeoutMs_;
    QTimer timer_;
};
