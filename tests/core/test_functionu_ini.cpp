// The INI routines of the utility library: one key per call, their refusals and codes.

#include "nodeops/functionu.h"
#include "support/recordingui.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <functional>

TEST(FunctionUIni, EmptySectionOrKeyIsRefusedWithItsMessage)
{
    // Each routine checks the section first, then the key; the file is never touched.
    TestDir dir;
    const QString ini = dir.file("a.ini");
    const QByteArray before("[s]\r\nk=old\r\n");
    dir.createFile("a.ini", before);
    struct Case {
        const char *routine;
        std::function<void(const QString &, const QString &)> call;
    };
    QString got;
    int gotInt = 0;
    const QList<Case> cases = {
        {"Fini_SGet", [&](const QString &s, const QString &k) { got = Fini_SGet(ini, s, k); }},
        {"Fini_SPut", [&](const QString &s, const QString &k) { Fini_SPut(ini, s, k, "new"); }},
        {"Fini_IGet", [&](const QString &s, const QString &k) { gotInt = Fini_IGet(ini, s, k); }},
        {"Fini_IPut", [&](const QString &s, const QString &k) { Fini_IPut(ini, s, k, 5); }},
        {"Fini_BPut", [&](const QString &s, const QString &k) { Fini_BPut(ini, s, k, true); }},
    };
    for (const Case &c : cases) {
        const QString name = QString::fromLatin1(c.routine);
        for (const auto &[section, key, message] :
             {std::tuple{QString(), QString(), QStringLiteral(" Section Null Error [")},
              std::tuple{QString(), QStringLiteral("k"), QStringLiteral(" Section Null Error [")},
              std::tuple{QStringLiteral("s"), QString(), QStringLiteral(" Key Null Error [")}}) {
            RecordingUi ui;
            got = QStringLiteral("unset");
            gotInt = 0;
            c.call(section, key);
            ASSERT_EQ(ui.events.size(), 1) << c.routine;
            EXPECT_EQ(ui.events[0].kind, "error") << c.routine;
            EXPECT_EQ(ui.events[0].text, name + message + ini + u']') << c.routine;
            EXPECT_EQ(dir.read("a.ini"), before) << c.routine;
            if (name == u"Fini_SGet") {
                EXPECT_EQ(got, "");
            }
            if (name == u"Fini_IGet") {
                EXPECT_EQ(gotInt, -1);
            }
        }
    }
}

TEST(FunctionUIni, ReadAndWriteOneKeyPerCall)
{
    TestDir dir;
    const QString ini = dir.file("Orvane.Ini");
    RecordingUi ui;
    EXPECT_EQ(Fini_SGet(ini, "Tree", "Name"), ""); // no file yet
    EXPECT_EQ(Fini_IGet(ini, "Tree", "Orvan履歴数"), -1);
    EXPECT_FALSE(dir.exists("Orvane.Ini"));

    EXPECT_TRUE(Fini_SPut(ini, "Tree", "Name", QStringLiteral("山田")));
    EXPECT_TRUE(Fini_IPut(ini, "Tree", QStringLiteral("Orvan履歴数"), 12));
    EXPECT_TRUE(Fini_BPut(ini, "Tree", "1PSW", true));
    EXPECT_TRUE(Fini_BPut(ini, QStringLiteral("印刷"), QStringLiteral("タイトル"), false));
    EXPECT_TRUE(Fini_IPut(ini, "Tree", QStringLiteral("orvan履歴数"), 7)); // same key, other case
    EXPECT_EQ(dir.read("Orvane.Ini"),
              sjis(QStringLiteral("[Tree]\r\nName=山田\r\nOrvan履歴数=7\r\n1PSW=1\r\n[印刷]\r\nタイトル=0\r\n")));

    EXPECT_EQ(Fini_SGet(ini, "tree", "name"), QStringLiteral("山田"));
    EXPECT_EQ(Fini_IGet(ini, "TREE", QStringLiteral("Orvan履歴数")), 7);
    EXPECT_EQ(Fini_IGet(ini, "Tree", "1PSW"), 1);
    EXPECT_EQ(Fini_IGet(ini, "Tree", "Name"), -1); // not a number
    EXPECT_TRUE(ui.events.isEmpty());
}

TEST(FunctionUIni, IntegerSyntax)
{
    TestDir dir;
    dir.createFile("a.ini", "[F]\r\nhex=0x10\r\ndollar=$1F\r\nneg=-3\r\nword=abc\r\nempty=\r\n");
    const QString ini = dir.file("a.ini");
    EXPECT_EQ(Fini_IGet(ini, "F", "hex"), 16);
    EXPECT_EQ(Fini_IGet(ini, "F", "dollar"), 31);
    EXPECT_EQ(Fini_IGet(ini, "F", "neg"), -3);
    EXPECT_EQ(Fini_IGet(ini, "F", "word"), -1);
    EXPECT_EQ(Fini_IGet(ini, "F", "empty"), -1);
    EXPECT_EQ(Fini_IGet(ini, "F", "missing"), -1);
}

TEST(FunctionUIni, WriteTheFileCannotTakeIsReported)
{
    TestDir dir;
    const QString ini = dir.file("a.ini");
    dir.createFile("a.ini", "[s]\r\nk=old\r\n");
    RecordingUi ui;
    EXPECT_FALSE(Fini_SPut(ini, "s", "k", QStringLiteral("😀")));
    EXPECT_FALSE(Fini_SPut(ini, "s", "k", QStringLiteral("a\r\n[x]")));
    ASSERT_EQ(ui.events.size(), 2);
    for (const RecordingUi::Event &e : ui.events) {
        EXPECT_EQ(e.kind, "error");
        EXPECT_TRUE(e.text.startsWith(QStringLiteral("Fini_SPut Write Error [") + ini + QStringLiteral("]\r")));
    }
    EXPECT_EQ(dir.read("a.ini"), "[s]\r\nk=old\r\n");

    // A folder in the way of the file.
    ui.clear();
    dir.createDir("d.ini");
    EXPECT_FALSE(Fini_IPut(dir.file("d.ini"), "s", "k", 1));
    ASSERT_EQ(ui.count("error"), 1);
    EXPECT_TRUE(ui.texts("error")[0].startsWith(QStringLiteral("Fini_IPut Write Error [")));
}
