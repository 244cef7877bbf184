#include "graphics/errors.h"
#include "platform/command_runner.h"
#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <new>

using namespace kel;
using kel::test::ScriptedDialogs;

TEST(CommandRunner, RunsTheCommandAndReportsSuccess)
{
    ScriptedDialogs dialogs;
    int ran = 0;
    EXPECT_TRUE(CommandRunner(dialogs).run([&] { ++ran; }));
    EXPECT_EQ(ran, 1);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST(CommandRunner, ShowsAnEscapingFailureInTheErrorBoxAndGoesOn)
{
    ScriptedDialogs dialogs;
    CommandRunner runner(dialogs);
    int stateReached = 0;
    EXPECT_FALSE(runner.run([&] {
        stateReached = 1;
        strToInt(QStringLiteral("abc"));
        stateReached = 2;
    }));
    EXPECT_EQ(stateReached, 1); // the state the command had reached stays
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors[0], QStringLiteral("'abc' n'est pas une valeur entière correcte"));

    EXPECT_FALSE(runner.run([] { throw std::bad_alloc(); }));
    EXPECT_FALSE(runner.run([] { throw 42; }));
    EXPECT_EQ(dialogs.errors.size(), 3);
    EXPECT_TRUE(runner.run([] {}));
}
