#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

namespace {

const char* kindName(ScriptedMessages::Kind kind) {
    switch (kind) {
    case ScriptedMessages::Kind::Message: return "message";
    case ScriptedMessages::Kind::Input: return "input box";
    case ScriptedMessages::Kind::File: return "file chooser";
    case ScriptedMessages::Kind::Folder: return "folder chooser";
    }
    return "question";
}

std::string describe(const ScriptedMessages::Question& question) {
    return std::string(kindName(question.kind)) + " \"" + question.text.toStdString() +
           "\" titled \"" + question.title.toStdString() + "\"";
}

}  // namespace

ScriptedMessages::ScriptedMessages() : previous_(ui::MessageService::installed()) {
    ui::MessageService::install(this);
}

ScriptedMessages::~ScriptedMessages() {
    ui::MessageService::install(previous_);
    for (const Expected& expected : expected_) {
        ADD_FAILURE() << "Expected " << kindName(expected.kind) << " never asked"
                      << (expected.text ? " (text \"" + expected.text->toStdString() + "\")" : "")
                      << (expected.title ? " (title \"" + expected.title->toStdString() + "\")" : "");
    }
}

ScriptedMessages& ScriptedMessages::expectMessage(ui::Answer answer, std::optional<QString> text,
                                                  std::optional<QString> title) {
    expected_.push_back({Kind::Message, answer, std::nullopt, std::move(text), std::move(title)});
    return *this;
}

ScriptedMessages& ScriptedMessages::expectInput(std::optional<QString> answer,
                                                std::optional<QString> prompt) {
    expected_.push_back({Kind::Input, ui::Answer::Ok, std::move(answer), std::move(prompt), {}});
    return *this;
}

ScriptedMessages& ScriptedMessages::expectFile(std::optional<QString> answer,
                                               std::optional<QString> title) {
    expected_.push_back({Kind::File, ui::Answer::Ok, std::move(answer), {}, std::move(title)});
    return *this;
}

ScriptedMessages& ScriptedMessages::expectFolder(std::optional<QString> answer,
                                                 std::optional<QString> title) {
    expected_.push_back({Kind::Folder, ui::Answer::Ok, std::move(answer), {}, std::move(title)});
    return *this;
}

QStringList ScriptedMessages::messageTexts() const {
    QStringList texts;
    for (const Question& question : asked_) {
        if (question.kind == Kind::Message)
            texts << question.text;
    }
    return texts;
}

std::optional<ScriptedMessages::Expected> ScriptedMessages::take(const Question& question) {
    asked_.push_back(question);
    if (expected_.empty() || expected_.front().kind != question.kind) {
        ADD_FAILURE() << "Unexpected " << describe(question)
                      << (expected_.empty() ? std::string(" (nothing more expected)")
                                            : std::string(" (next expected: ") +
                                                  kindName(expected_.front().kind) + ")");
        return std::nullopt;
    }
    Expected expected = expected_.front();
    expected_.pop_front();
    if (expected.text && *expected.text != question.text) {
        ADD_FAILURE() << "Asked " << describe(question) << " where the text \""
                      << expected.text->toStdString() << "\" was expected";
    }
    if (expected.title && *expected.title != question.title) {
        ADD_FAILURE() << "Asked " << describe(question) << " where the title \""
                      << expected.title->toStdString() << "\" was expected";
    }
    return expected;
}

ui::Answer ScriptedMessages::message(const ui::MessageRequest& request) {
    Question question;
    question.kind = Kind::Message;
    question.text = request.text;
    question.title = request.title;
    question.buttons = request.buttons;
    question.icon = request.icon;
    question.defaultButton = request.defaultButton;
    const auto expected = take(question);
    return expected ? expected->answer : ui::Answer::Cancel;
}

std::optional<QString> ScriptedMessages::input(const QString& prompt, const QString& title,
                                               const QString& defaultText) {
    Question question;
    question.kind = Kind::Input;
    question.text = prompt;
    question.title = title;
    question.defaultText = defaultText;
    const auto expected = take(question);
    return expected ? expected->reply : std::nullopt;
}

std::optional<QString> ScriptedMessages::chooseFile(const ui::FileRequest& request) {
    Question question;
    question.kind = Kind::File;
    question.title = request.title;
    question.file = request;
    const auto expected = take(question);
    return expected ? expected->reply : std::nullopt;
}

std::optional<QString> ScriptedMessages::chooseFolder(const QString& title,
                                                      const QString& initialPath) {
    Question question;
    question.kind = Kind::Folder;
    question.title = title;
    question.initialPath = initialPath;
    const auto expected = take(question);
    return expected ? expected->reply : std::nullopt;
}
