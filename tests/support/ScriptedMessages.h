#pragma once
#include "platform/system/MessageService.h"
#include "support/QtPrinters.h"

#include <deque>
#include <vector>

// Stands in for every message box, input box and chooser while it lives: records each question
// and answers it from the queue of expected answers, in order. A question nobody expected (the
// queue is empty or holds another kind next) fails the running test and is answered Cancel or
// nothing; expectations still queued when it is destroyed fail the test too.
class ScriptedMessages final : public ui::MessageService {
public:
    enum class Kind { Message, Input, File, Folder };

    // One question as it was asked. `text` is the message or the input prompt; for the
    // choosers it is empty and `title` holds the dialog's title.
    struct Question {
        Kind kind = Kind::Message;
        QString text;
        QString title;
        ui::Buttons buttons = ui::Buttons::Ok;
        ui::Icon icon = ui::Icon::None;
        int defaultButton = 0;
        QString defaultText;   // input boxes
        ui::FileRequest file;  // file choosers
        QString initialPath;   // folder choosers
    };

    ScriptedMessages();
    ~ScriptedMessages() override;
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    // Each expectation may name the text (message text, input prompt) or the title (choosers)
    // the question must carry; a different one fails the test but is answered all the same.
    ScriptedMessages& expectMessage(ui::Answer answer, std::optional<QString> text = {},
                                    std::optional<QString> title = {});
    ScriptedMessages& expectInput(std::optional<QString> answer, std::optional<QString> prompt = {});
    ScriptedMessages& expectFile(std::optional<QString> answer, std::optional<QString> title = {});
    ScriptedMessages& expectFolder(std::optional<QString> answer, std::optional<QString> title = {});

    const std::vector<Question>& asked() const { return asked_; }
    // The texts of the messages asked, in order: the usual thing a test compares.
    QStringList messageTexts() const;
    int pending() const { return int(expected_.size()); }

    ui::Answer message(const ui::MessageRequest& request) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    std::optional<QString> chooseFile(const ui::FileRequest& request) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& initialPath) override;

private:
    struct Expected {
        Kind kind;
        ui::Answer answer = ui::Answer::Ok;
        std::optional<QString> reply;
        std::optional<QString> text;
        std::optional<QString> title;
    };

    // Records the question and takes the next expectation when it is of the same kind.
    std::optional<Expected> take(const Question& question);

    ui::MessageService* previous_;
    std::deque<Expected> expected_;
    std::vector<Question> asked_;
};
