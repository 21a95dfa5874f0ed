// Date and time texts: four-digit year, two digits for every other field, 24-hour clock.

#include "nodeops/functionu.h"

#include <gtest/gtest.h>

TEST(FunctionUDates, Forms)
{
    const QDateTime t(QDate(2024, 1, 5), QTime(21, 3, 7));
    EXPECT_EQ(DateYMD(t), "20240105");
    EXPECT_EQ(DateYMDSlash(t), "2024/01/05");
    EXPECT_EQ(DateYMDJ(t), QStringLiteral("2024年01月05日"));
    EXPECT_EQ(TimeHMS(t), "210307");
    EXPECT_EQ(TimeHMJ(t), QStringLiteral("21時03分"));

    const QDateTime early(QDate(987, 12, 31), QTime(0, 0, 0));
    EXPECT_EQ(DateYMD(early), "09871231");
    EXPECT_EQ(TimeHMS(early), "000000");
}

TEST(FunctionUDates, NowByDefault)
{
    const QDate before = QDate::currentDate();
    const QString today = DateYMD();
    const QDate after = QDate::currentDate();
    EXPECT_TRUE(today == before.toString("yyyyMMdd") || today == after.toString("yyyyMMdd"));
    EXPECT_EQ(TimeHMS().size(), 6);
}
