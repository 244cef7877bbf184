#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

using namespace kel;
using kel::test::ScriptedDialogs;

TEST(ScriptedDialogs, AnswersInOrderAndRecordsWhatWasAsked)
{
    ScriptedDialogs dialogs;
    dialogs.answerFile(QStringLiteral("/tmp/a.png"), 3);
    dialogs.answer(Answer::Yes);
    dialogs.cancelColour();
    dialogs.answerFolder(QStringLiteral("/tmp"));

    FileDialogRequest request;
    request.title = QStringLiteral(" Ouvrir une image ");
    request.folder = QStringLiteral("/home");
    request.filters = {QStringLiteral("Bitmap (*.bmp)"), QStringLiteral("PNG (*.png)")};
    const auto file = dialogs.openPicture(request);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->fileName, QStringLiteral("/tmp/a.png"));
    EXPECT_EQ(file->filterIndex, 3);
    EXPECT_EQ(dialogs.message(MessageKind::Confirmation, QStringLiteral("Sûr ?")), Answer::Yes);
    EXPECT_FALSE(dialogs.chooseColour(clRed));
    EXPECT_EQ(dialogs.browseFolder(QStringLiteral("Dossier"), QStringLiteral("/")), QStringLiteral("/tmp"));
    EXPECT_TRUE(dialogs.allAnswersUsed());

    ASSERT_EQ(dialogs.asked.size(), 4u);
    EXPECT_EQ(dialogs.asked[0].call, QStringLiteral("openPicture"));
    EXPECT_EQ(dialogs.asked[0].title, QStringLiteral(" Ouvrir une image "));
    EXPECT_EQ(dialogs.asked[0].request.folder, QStringLiteral("/home"));
    EXPECT_EQ(dialogs.asked[0].request.filters.size(), 2);
    EXPECT_EQ(dialogs.asked[1].title, QStringLiteral("Sûr ?"));
    EXPECT_EQ(dialogs.asked[1].kind, MessageKind::Confirmation);
}

TEST(ScriptedDialogs, AnUnexpectedQuestionFailsTheTestAndCountsAsNo)
{
    ScriptedDialogs dialogs;
    Answer answer = Answer::Yes;
    EXPECT_NONFATAL_FAILURE(answer = dialogs.message(MessageKind::Confirmation, QStringLiteral("?")),
                            "unexpected dialog");
    EXPECT_EQ(answer, Answer::No);
}

TEST(ScriptedDialogs, AnswerOfTheWrongKindFails)
{
    ScriptedDialogs dialogs;
    dialogs.answer(Answer::Yes);
    std::optional<FileChoice> choice;
    EXPECT_NONFATAL_FAILURE(choice = dialogs.openPicture({}), "another kind of answer");
    EXPECT_FALSE(choice);
}
