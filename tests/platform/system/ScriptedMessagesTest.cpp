#include "support/ScriptedMessages.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using ui::Answer;
using ui::Buttons;
using ui::Icon;
using ui::MessageService;

TEST(ScriptedMessages, AnswersInOrderAndRecordsEveryQuestion) {
    ScriptedMessages messages;
    messages.expectMessage(Answer::No, QStringLiteral("Cancellare?"))
        .expectInput(QStringLiteral("0042"), QStringLiteral("Numero"))
        .expectFile(QStringLiteral("/tmp/a.mdb"), QStringLiteral("Scegliere"))
        .expectFolder(std::nullopt);

    EXPECT_EQ(MessageService::show("Cancellare?", "CANCELLAZIONE", Buttons::YesNo, Icon::Question, 1),
              Answer::No);
    EXPECT_EQ(MessageService::current().input("Numero", "NUMERO", "1"), QStringLiteral("0042"));
    ui::FileRequest request;
    request.title = QStringLiteral("Scegliere");
    EXPECT_EQ(MessageService::current().chooseFile(request), QStringLiteral("/tmp/a.mdb"));
    EXPECT_EQ(MessageService::current().chooseFolder("Cartella", "/tmp"), std::nullopt);

    ASSERT_EQ(messages.asked().size(), 4u);
    const auto& box = messages.asked()[0];
    EXPECT_EQ(box.kind, ScriptedMessages::Kind::Message);
    EXPECT_EQ(box.title, QStringLiteral("CANCELLAZIONE"));
    EXPECT_EQ(box.buttons, Buttons::YesNo);
    EXPECT_EQ(box.icon, Icon::Question);
    EXPECT_EQ(box.defaultButton, 1);
    EXPECT_EQ(messages.asked()[1].defaultText, QStringLiteral("1"));
    EXPECT_EQ(messages.asked()[3].initialPath, QStringLiteral("/tmp"));
    EXPECT_EQ(messages.messageTexts(), QStringList{QStringLiteral("Cancellare?")});
    EXPECT_EQ(messages.pending(), 0);
}

TEST(ScriptedMessages, UnexpectedQuestionFailsAndIsCancelled) {
    ScriptedMessages messages;
    Answer answer = Answer::Ok;
    EXPECT_NONFATAL_FAILURE(answer = MessageService::show("Archivio mancante"), "Archivio mancante");
    EXPECT_EQ(answer, Answer::Cancel);
    EXPECT_EQ(messages.asked().size(), 1u);
}

TEST(ScriptedMessages, QuestionOfAnotherKindFailsAndLeavesTheExpectationQueued) {
    ScriptedMessages messages;
    messages.expectMessage(Answer::Yes);
    std::optional<QString> typed = QStringLiteral("x");
    EXPECT_NONFATAL_FAILURE(typed = MessageService::current().input("Codice", "", ""),
                            "next expected: message");
    EXPECT_EQ(typed, std::nullopt);
    EXPECT_EQ(MessageService::show("Confermi?"), Answer::Yes);
}

TEST(ScriptedMessages, DifferentTextFailsButIsAnswered) {
    ScriptedMessages messages;
    messages.expectMessage(Answer::Ok, QStringLiteral("Dati salvati"));
    Answer answer = Answer::Cancel;
    EXPECT_NONFATAL_FAILURE(answer = MessageService::show("Dati persi"), "Dati salvati");
    EXPECT_EQ(answer, Answer::Ok);
}

TEST(ScriptedMessages, UnansweredExpectationFailsWhenDestroyed) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessages messages;
            messages.expectMessage(Answer::Ok, QStringLiteral("Mai chiesto"));
        },
        "Mai chiesto");
}

TEST(ScriptedMessages, RestoresTheServiceItReplaced) {
    MessageService& before = MessageService::current();
    {
        ScriptedMessages inner;
        EXPECT_EQ(&MessageService::current(), &inner);
    }
    EXPECT_EQ(&MessageService::current(), &before);
}

TEST(ScriptedMessages, AQuestionInATestThatScriptsNoneFailsInsteadOfWaiting) {
    EXPECT_NONFATAL_FAILURE(MessageService::show("Nessuno risponde"), "Nessuno risponde");
}
