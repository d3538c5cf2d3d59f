#include <gtest/gtest.h>

#include "entry/NumberText.h"

namespace {

TEST(NumberText, OnlyEmptyOrWholeNumbersOneToThirtySevenAreStored) {
    for (const char* text : {"1", "37", " 7 ", "07", "１２"}) {
        const EnteredNumber n = ParseEnteredNumber(QString::fromUtf8(text));
        EXPECT_TRUE(n.accepted) << text;
        EXPECT_TRUE(n.value.has_value()) << text;
    }
    EXPECT_EQ(ParseEnteredNumber("１２").value, 12);
    const EnteredNumber cleared = ParseEnteredNumber("  ");
    EXPECT_TRUE(cleared.accepted);
    EXPECT_FALSE(cleared.value.has_value());
    for (const char* text : {"0", "38", "1.5", "-3", "+5", "abc", "3a", "99999999999999999999"}) {
        EXPECT_FALSE(ParseEnteredNumber(QString::fromUtf8(text)).accepted) << text;
    }
}

TEST(NumberText, TheCloseCheckRefusesPointsAndNumbersOutsideOneToThirtySeven) {
    for (const char* text : {"", "1", "37", " 12 "}) {
        EXPECT_FALSE(IsWrongForClose(QString::fromUtf8(text))) << text;
    }
    for (const char* text : {"0", "38", "1.5", "10.", "-1", "abc", "１．０"}) {
        EXPECT_TRUE(IsWrongForClose(QString::fromUtf8(text))) << text;
    }
}

}  // namespace
