#include "graphics/errors.h"

#include <QString>

#include <gtest/gtest.h>

using namespace kel;

TEST(StrToInt, AcceptsWholeNumbersAsTheEditsTypeThem)
{
    EXPECT_EQ(strToInt(QStringLiteral("0")), 0);
    EXPECT_EQ(strToInt(QStringLiteral("255")), 255);
    EXPECT_EQ(strToInt(QStringLiteral("-12")), -12);
    EXPECT_EQ(strToInt(QStringLiteral("+7")), 7);
    EXPECT_EQ(strToInt(QStringLiteral("  42")), 42);
    EXPECT_EQ(strToInt(QStringLiteral("$FF")), 255);
    EXPECT_EQ(strToInt(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(strToInt(QStringLiteral("-2147483648")), -2147483647 - 1);
}

TEST(StrToInt, RejectsOtherTextWithTheFrenchMessage)
{
    for (const char* text : {"", " ", "12a", "1 2", "abc", "-", "2147483648", "3.5", "12 "}) {
        try {
            strToInt(QString::fromUtf8(text));
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConvertError& e) {
            EXPECT_EQ(e.text(), QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(QString::fromUtf8(text)));
        }
    }
}

TEST(Errors, CategoriesAreDistinctAndCarryTheirText)
{
    try {
        throw InvalidGraphic(QStringLiteral("Format d'image inconnu"));
    } catch (const RangeError&) {
        ADD_FAILURE() << "caught as a range error";
    } catch (const Error& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Format d'image inconnu"));
    }
}
