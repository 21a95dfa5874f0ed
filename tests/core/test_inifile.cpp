// The INI module: reading and writing the way the Windows profile routines do, on
// Shift-JIS files, keeping every line it does not change.

#include "base/inifile.h"
#include "base/sjiscodec.h"
#include "support/testdir.h"
#include "support/unprivileged.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {

QByteArray crlf(const char *text)
{
    return QByteArray(text).replace("\n", "\r\n");
}

struct ReadCase {
    const char *what;
    QByteArray file;
    QString section;
    QString key;
    QString expected; // "<default>" when the key must read as missing
};

} // namespace

TEST(IniFileRead, ProfileRules)
{
    const QString dflt = QStringLiteral("<default>");
    const QList<ReadCase> cases = {
        {"plain", crlf("[s]\nk=v\n"), "s", "k", "v"},
        {"names ignore case", crlf("[Sec]\nKey=v\n"), "sEC", "kEY", "v"},
        {"full-width names ignore case", sjis(QStringLiteral("[ＳＥＣ]\r\nＫｅｙ=v\r\n")), QStringLiteral("ｓｅｃ"),
         QStringLiteral("ｋＥＹ"), "v"},
        {"blanks around key and value", crlf("[s]\n  \t k  =  v w \t\n"), "s", "k", "v w"},
        {"blanks around section", crlf("   [  s ]  \nk=v\n"), "s", "k", "v"},
        {"requested names trimmed", crlf("[s]\nk=v\n"), " s ", " k ", "v"},
        {"double quotes stripped", crlf("[s]\nk=\"a b\"\n"), "s", "k", "a b"},
        {"single quotes stripped", crlf("[s]\nk='a'\n"), "s", "k", "a"},
        {"only one pair stripped", crlf("[s]\nk=\"\"a\"\"\n"), "s", "k", "\"a\""},
        {"unmatched quote kept", crlf("[s]\nk=\"a'\n"), "s", "k", "\"a'"},
        {"lone quote kept", crlf("[s]\nk=\"\n"), "s", "k", "\""},
        {"value split at first =", crlf("[s]\nk=a=b\n"), "s", "k", "a=b"},
        {"empty value is not missing", crlf("[s]\nk=\n"), "s", "k", ""},
        {"first duplicate key wins", crlf("[s]\nk=1\nK=2\n"), "s", "k", "1"},
        {"first duplicate section wins", crlf("[s]\na=1\n[S]\nb=2\n"), "s", "b", dflt},
        {"section name runs to the last ]", crlf("[a]b]\nk=v\n"), "a]b", "k", "v"},
        {"; starts a comment", crlf("[s]\n;k=v\n"), "s", ";k", dflt},
        {"# is no comment", crlf("[s]\n#k=v\n"), "s", "#k", "v"},
        {"line without = is no key", crlf("[s]\nk\n"), "s", "k", dflt},
        {"key of another section", crlf("[a]\nk=1\n[b]\nx=2\n"), "b", "k", dflt},
        {"key before any section", crlf("k=1\n[s]\n"), "s", "k", dflt},
        {"LF only", QByteArray("[s]\nk=v\n"), "s", "k", "v"},
        {"CR only", QByteArray("[s]\rk=v\r"), "s", "k", "v"},
        {"no final line break", QByteArray("[s]\r\nk=v"), "s", "k", "v"},
        {"end-of-file mark after the value", QByteArray("[S]\r\nK=value\x1A"), "S", "K", "value"},
        {"end-of-file mark before the key", QByteArray("[S]\r\n\x1AK=value\r\n"), "S", "K", "value"},
        // Second bytes that look like "[", "]" and "\\": ー is 81 5B, ゾ 83 5D, ソ 83 5C. "[ゾー" has
        // no closing bracket once decoded, so it opens no section and k stays in [ソ].
        {"second bytes are not brackets", sjis(QStringLiteral("[ソ]\r\n[ゾー\r\nk=ー]ソ\r\n")), QStringLiteral("ソ"),
         "k", QStringLiteral("ー]ソ")},
        {"Japanese section and key", sjis(QStringLiteral("[Tree環境SET]\r\nFontName=ＭＳ 明朝\r\n")),
         QStringLiteral("Tree環境SET"), "FontName", QStringLiteral("ＭＳ 明朝")},
        {"half-width katakana key", sjis(QStringLiteral("[Tree]\r\n編集ﾉｰﾄﾞ復帰SW=1\r\n")), "Tree",
         QStringLiteral("編集ﾉｰﾄﾞ復帰SW"), "1"},
    };
    for (const ReadCase &c : cases) {
        TestDir dir;
        dir.createFile("a.ini", c.file);
        const IniFile ini(dir.file("a.ini"));
        EXPECT_EQ(ini.readString(c.section, c.key, dflt), c.expected) << c.what;
    }
}

TEST(IniFileRead, MissingFileReadsEmpty)
{
    TestDir dir;
    const IniFile ini(dir.file("none.ini"));
    EXPECT_FALSE(ini.loaded());
    EXPECT_EQ(ini.readString("s", "k", "d"), "d");
    EXPECT_EQ(ini.readInteger("s", "k", 7), 7);
    EXPECT_TRUE(ini.sectionNames().isEmpty());
}

TEST(IniFileRead, ValuesAreCutTo2047Bytes)
{
    // 2046 ASCII bytes, then a character that ends at byte 2047 (one byte: half-width
    // katakana, the first and the last of them) or would end at byte 2048 (two bytes).
    struct Case { QString last; QString kept; };
    const Case cases[] = {
        {QStringLiteral("漢字"), QString()}, // never half a character
        {QStringLiteral("\uFF61x"), QStringLiteral("\uFF61")},
        {QStringLiteral("\uFF9Fx"), QStringLiteral("\uFF9F")},
        {QStringLiteral("ｱx"), QStringLiteral("ｱ")},
    };
    for (const Case &c : cases) {
        TestDir dir;
        dir.createFile("a.ini", sjis(QStringLiteral("[s]\r\nk=") + QString(2046, u'a') + c.last
                                     + QStringLiteral("\r\nj=") + QString(3000, u'b') + QStringLiteral("\r\n")));
        const IniFile ini(dir.file("a.ini"));
        EXPECT_EQ(ini.readString("s", "k"), QString(2046, u'a') + c.kept) << c.last.toStdString();
        EXPECT_EQ(ini.readString("s", "j"), QString(2047, u'b'));
    }
}

TEST(IniFileRead, Integers)
{
    struct Case {
        const char *text;
        std::optional<int> value;
    };
    const QList<Case> cases = {
        {"0", 0},           {"42", 42},           {"-1", -1},          {"+7", 7},
        {" 12 ", 12},       {"0x10", 16},         {"0X1f", 31},        {"$10", 16},
        {"$ff", 255},       {"$FFFFFFFF", -1},    {"$7FFFFFFF", 2147483647}, {"-$10", -16},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"2147483648", std::nullopt},
        {"4294967297", std::nullopt}, {"$100000000", std::nullopt}, {"", std::nullopt},
        {"abc", std::nullopt}, {"12abc", std::nullopt}, {"1 2", std::nullopt}, {"0x", std::nullopt},
        {"$", std::nullopt},   {"-", std::nullopt},   {"１２", std::nullopt}, {"1.5", std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(IniFile::parseInteger(QString::fromUtf8(c.text)), c.value) << c.text;

    TestDir dir;
    dir.createFile("a.ini", crlf("[s]\nhex=0x10\nbad=x\nq=\"12\"\n"));
    const IniFile ini(dir.file("a.ini"));
    EXPECT_EQ(ini.readInteger("s", "hex", -1), 16);
    EXPECT_EQ(ini.readInteger("s", "bad", -1), -1);
    EXPECT_EQ(ini.readInteger("s", "q", -1), 12); // quotes go before the number is read
}

TEST(IniFileRead, Booleans)
{
    TestDir dir;
    dir.createFile("a.ini", crlf("[s]\none=1\nzero=0\ntwo=2\nneg=-1\nword=yes\nempty=\n"));
    const IniFile ini(dir.file("a.ini"));
    EXPECT_TRUE(ini.readBool("s", "one", false));
    EXPECT_FALSE(ini.readBool("s", "zero", true));
    EXPECT_TRUE(ini.readBool("s", "two", false));
    EXPECT_TRUE(ini.readBool("s", "neg", false));
    EXPECT_TRUE(ini.readBool("s", "word", true)); // not a number: the default
    EXPECT_FALSE(ini.readBool("s", "word", false));
    EXPECT_TRUE(ini.readBool("s", "empty", true));
    EXPECT_TRUE(ini.readBool("s", "missing", true));
}

TEST(IniFileRead, SectionsKeysAndLines)
{
    TestDir dir;
    dir.createFile("a.ini", crlf("top=1\n[section1]\nname1=val1\nname2=\nname3\n; note\n\nname4 = val4\n"
                                 "NAME1=dup\n[section2]\n[Section1]\nname5=x\n"));
    const IniFile ini(dir.file("a.ini"));
    EXPECT_EQ(ini.sectionNames(), QStringList({"section1", "section2"}));
    EXPECT_EQ(ini.keyNames("SECTION1"), QStringList({"name1", "name2", "name4"}));
    EXPECT_EQ(ini.sectionLines("section1"), QStringList({"name1=val1", "name2=", "name3", "name4=val4", "NAME1=dup"}));
    EXPECT_TRUE(ini.keyNames("section2").isEmpty());
    EXPECT_TRUE(ini.hasSection("Section2"));
    EXPECT_FALSE(ini.hasSection("section3"));
    EXPECT_TRUE(ini.hasKey("section1", "NAME2"));
    EXPECT_FALSE(ini.hasKey("section1", "name3"));
}

namespace {

struct Write {
    const char *section;
    const char *key;
    QString value;
};

struct WriteCase {
    const char *what;
    QByteArray before; // "" with `absent` for no file
    bool absent;
    QList<Write> writes;
    QByteArray after;
};

} // namespace

TEST(IniFileWrite, LayoutKept)
{
    const QList<WriteCase> cases = {
        {"first write creates the file", "", true, {{"App", "key", "string"}}, crlf("[App]\nkey=string\n")},
        {"keys in the order written", "", true,
         {{"s", "z", ""}, {"s", "a", ""}, {"s", "y", ""}}, crlf("[s]\nz=\na=\ny=\n")},
        {"new keys after the existing ones", crlf("[s]\nb=value\na=value\n"), false,
         {{"s", "z", ""}, {"s", "b", ""}, {"s", "y", ""}, {"s", "a", ""}}, crlf("[s]\nb=\na=\nz=\ny=\n")},
        {"new section at the end, no blank line", crlf("[App1]\nkey1=string1\n[App2]\nkey4=string4\n"), false,
         {{"App3", "key5", "string5"}}, crlf("[App1]\nkey1=string1\n[App2]\nkey4=string4\n[App3]\nkey5=string5\n")},
        {"replaced in place, key spelt as in the file, other lines untouched",
         crlf("; head\n[S]\n  KEY = old \n other=1\n\n[T]\nx=2\n"), false, {{"s", "key", "new"}},
         crlf("; head\n[S]\nKEY=new\n other=1\n\n[T]\nx=2\n")},
        {"new key before the section's trailing blank line", crlf("[a]\nk=1\n\n[b]\n"), false, {{"a", "j", "2"}},
         crlf("[a]\nk=1\nj=2\n\n[b]\n")},
        {"new key into an empty section", crlf("[a]\n[b]\nk=1\n"), false, {{"a", "j", "2"}},
         crlf("[a]\nj=2\n[b]\nk=1\n")},
        {"unchanged value leaves the line alone", crlf("[s]\nk = v\n"), false, {{"s", "K", "v"}},
         crlf("[s]\nk = v\n")},
        {"last line without a line break", QByteArray("[s]\r\nk=1"), false, {{"s", "j", "2"}},
         QByteArray("[s]\r\nk=1\r\nj=2\r\n")},
        {"replaced last line keeps having no break", QByteArray("[s]\r\nk=1"), false, {{"s", "k", "3"}},
         QByteArray("[s]\r\nk=3")},
        {"LF file keeps its LF lines", QByteArray("[s]\nk=1\n"), false, {{"s", "k", "2"}, {"s", "j", "3"}},
         QByteArray("[s]\nk=2\nj=3\r\n")},
        {"text before the first section kept, NUL included", QByteArray("Data \0 x\r\n", 10), false,
         {{"section1", "key1", "string1"}}, QByteArray("Data \0 x\r\n[section1]\r\nkey1=string1\r\n", 36)},
        {"value keeps its blanks when written (quoted, so reading keeps them)", "", true, {{"s", "k", " v "}},
         crlf("[s]\nk=\" v \"\n")},
        {"names are trimmed when written", "", true, {{"  sec  ", "  key ", "v"}}, crlf("[sec]\nkey=v\n")},
        {"Japanese in Shift-JIS", "", true, {{"Tree環境SET", "FontName", QStringLiteral("ＭＳ 明朝")}},
         sjis(QStringLiteral("[Tree環境SET]\r\nFontName=ＭＳ 明朝\r\n"))},
    };
    for (const WriteCase &c : cases) {
        TestDir dir;
        if (!c.absent)
            dir.createFile("a.ini", c.before);
        IniFile ini(dir.file("a.ini"));
        for (const Write &w : c.writes)
            ASSERT_TRUE(ini.writeString(QString::fromUtf8(w.section), QString::fromUtf8(w.key), w.value)) << c.what;
        QString error;
        ASSERT_TRUE(ini.save(&error)) << c.what << " " << error.toStdString();
        EXPECT_EQ(dir.read("a.ini"), c.after) << c.what;
    }
}

TEST(IniFileWrite, BytesThatDoNotRoundTripAreKept)
{
    // 0xED40 decodes to a character that encodes back as 0xFA5C: untouched lines must keep
    // their own bytes, and so must the key of a line whose value is replaced.
    TestDir dir;
    const QByteArray odd("\xED\x40");
    dir.createFile("a.ini", "[s]\r\nk" + odd + "=1\r\nnote=" + odd + "\r\n");
    IniFile ini(dir.file("a.ini"));
    const QString key = QStringLiteral("k") + Sjis::decode(odd);
    EXPECT_EQ(ini.readString("s", key), "1");
    ASSERT_TRUE(ini.writeString("s", key, "2"));
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(dir.read("a.ini"), "[s]\r\nk" + odd + "=2\r\nnote=" + odd + "\r\n");
}

TEST(IniFileWrite, RefusedWritesChangeNothing)
{
    struct Case {
        const char *what;
        QString section;
        QString key;
        QString value;
    };
    const QList<Case> cases = {
        {"empty section", "", "k", "v"},
        {"blank section", "  ", "k", "v"},
        {"empty key", "s", "", "v"},
        {"line break in value", "s", "k", "a\r\n[x]"},
        {"LF in value", "s", "k", "a\nb=c"},
        {"line break in key", "s", "a\nb", "v"},
        {"line break in section", "s\rx", "k", "v"},
        {"NUL in value", "s", "k", QString(QChar(0))},
        {"= in key", "s", "a=b", "v"},
        {"key that reads as a section", "s", "[x]", "v"},
        {"key that reads as a comment", "s", ";x", "v"},
        {"value Shift-JIS cannot hold", "s", "k", QStringLiteral("a😀")},
        {"key Shift-JIS cannot hold", "s", QStringLiteral("한"), "v"},
        {"value longer than 2047 bytes", "s", "k", QString(2048, u'x')},
        {"value of 1024 double-byte characters", "s", "k", QString(1024, QChar(0x3042))},
    };
    for (const Case &c : cases) {
        TestDir dir;
        const QByteArray before = crlf("[s]\nk=old\n");
        dir.createFile("a.ini", before);
        IniFile ini(dir.file("a.ini"));
        QString error;
        EXPECT_FALSE(ini.writeString(c.section, c.key, c.value, &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
        EXPECT_FALSE(ini.isModified()) << c.what;
        EXPECT_TRUE(ini.save()) << c.what;
        EXPECT_EQ(dir.read("a.ini"), before) << c.what;
    }
    // The look-alikes other programs use are stored as their CP932 forms.
    TestDir dir;
    IniFile ini(dir.file("a.ini"));
    EXPECT_TRUE(ini.writeString("s", "k", QStringLiteral("1\u301C2")));
    EXPECT_TRUE(ini.save());
    EXPECT_EQ(dir.read("a.ini"), sjis(QStringLiteral("[s]\r\nk=1～2\r\n")));
}

TEST(IniFileWrite, EveryAcceptedValueReadsBackAsGiven)
{
    struct Case {
        const char *what;
        QString value;
        QByteArray line; // the line written for it
    };
    const QList<Case> cases = {
        {"plain", "abc", "k=abc"},
        {"empty", "", "k="},
        {"blanks inside", "a b", "k=a b"},
        {"leading blank", " a", "k=\" a\""},
        {"trailing blank", "a ", "k=\"a \""},
        {"leading tab", "\ta", "k=\"\ta\""},
        {"only blanks", "   ", "k=\"   \""},
        {"enclosed in double quotes", "\"a\"", "k=\"\"a\"\""},
        {"enclosed in single quotes", "'a'", "k=\"'a'\""},
        {"one quote", "\"", "k=\""},
        {"quotes not enclosing", "\"a'", "k=\"a'"},
        {"2047 bytes", QString(2047, u'y'), "k=" + QByteArray(2047, 'y')},
    };
    for (const Case &c : cases) {
        TestDir dir;
        {
            IniFile ini(dir.file("a.ini"));
            QString error;
            ASSERT_TRUE(ini.writeString("s", "k", c.value, &error)) << c.what << error.toStdString();
            ASSERT_TRUE(ini.save()) << c.what;
        }
        EXPECT_EQ(dir.read("a.ini"), "[s]\r\n" + c.line + "\r\n") << c.what;
        EXPECT_EQ(IniFile(dir.file("a.ini")).readString("s", "k", "<default>"), c.value) << c.what;
        // Writing the same value again changes nothing.
        IniFile again(dir.file("a.ini"));
        ASSERT_TRUE(again.writeString("s", "k", c.value));
        EXPECT_FALSE(again.isModified()) << c.what;
    }
}

// A format that quotes its own values (a comma-text list) stores them as given; the
// reader takes the one enclosing pair off, as the profile routines do.
TEST(IniFileWrite, StoredFormIsWrittenAsGiven)
{
    struct Case {
        QString stored;
        QByteArray line;
        QString readBack;
    };
    const QList<Case> cases = {
        {"\"Acrobat 文書\"", Sjis::encode(QStringLiteral("k=\"Acrobat 文書\"")).bytes, QStringLiteral("Acrobat 文書")},
        {"\"\"", "k=\"\"", ""},
        {"plain", "k=plain", "plain"},
    };
    for (const Case &c : cases) {
        TestDir dir;
        {
            IniFile ini(dir.file("a.ini"));
            ASSERT_TRUE(ini.writeStored("s", "k", c.stored)) << c.stored.toStdString();
            ASSERT_TRUE(ini.save());
        }
        EXPECT_EQ(dir.read("a.ini"), "[s]\r\n" + c.line + "\r\n") << c.stored.toStdString();
        EXPECT_EQ(IniFile(dir.file("a.ini")).readString("s", "k"), c.readBack) << c.stored.toStdString();
    }
    // Blanks at either end would be trimmed away on reading: refused, nothing changed.
    TestDir dir;
    IniFile ini(dir.file("a.ini"));
    QString error;
    EXPECT_FALSE(ini.writeStored("s", "k", " \"a\"", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(ini.isModified());
}

TEST(IniFileWrite, ManyKeysOneSave)
{
    TestDir dir;
    IniFile ini(dir.file("a.ini"));
    for (int i = 0; i < 60; ++i)
        ASSERT_TRUE(ini.writeInteger(QStringLiteral("S%1").arg(i % 6), QStringLiteral("K%1").arg(i), i));
    EXPECT_FALSE(dir.exists("a.ini")); // nothing on disk before the save
    ASSERT_TRUE(ini.save());
    const IniFile back(dir.file("a.ini"));
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(back.readInteger(QStringLiteral("s%1").arg(i % 6), QStringLiteral("k%1").arg(i), -1), i);
    EXPECT_EQ(back.sectionNames().size(), 6);
    // Saving again without a change does not touch the file.
    const QDateTime stamp = QFileInfo(dir.file("a.ini")).lastModified();
    IniFile same(dir.file("a.ini"));
    EXPECT_TRUE(same.writeInteger("S0", "K0", 0));
    EXPECT_FALSE(same.isModified());
    EXPECT_TRUE(same.save());
    EXPECT_EQ(QFileInfo(dir.file("a.ini")).lastModified(), stamp);
}

TEST(IniFileWrite, IntegersAndBooleans)
{
    TestDir dir;
    IniFile ini(dir.file("a.ini"));
    ASSERT_TRUE(ini.writeInteger("s", "n", -12));
    ASSERT_TRUE(ini.writeBool("s", "t", true));
    ASSERT_TRUE(ini.writeBool("s", "f", false));
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(dir.read("a.ini"), crlf("[s]\nn=-12\nt=1\nf=0\n"));
}

TEST(IniFileWrite, EraseKeyAndSection)
{
    TestDir dir;
    dir.createFile("a.ini", crlf("[App1]\nkey1=string1\nkey2=string2\nKEY2=again\n[App2]\nkey4=string4\n[App3]\nkey5=x\n"));
    IniFile ini(dir.file("a.ini"));
    EXPECT_TRUE(ini.eraseKey("app1", "key2"));
    EXPECT_FALSE(ini.eraseKey("app1", "key2"));
    EXPECT_TRUE(ini.eraseSection("APP2"));
    EXPECT_FALSE(ini.eraseSection("App9"));
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(dir.read("a.ini"), crlf("[App1]\nkey1=string1\n[App3]\nkey5=x\n"));
}

TEST(IniFileWrite, AnEndOfFileMarkBeforeAKeyIsABlank)
{
    // ^Z (0x1A) is a blank around names: the key line is the key's, and gets the value.
    TestDir dir;
    dir.createFile("a.ini", QByteArray("[S]\r\n\x1AK=old\r\n"));
    IniFile ini(dir.file("a.ini"));
    ASSERT_TRUE(ini.writeString("S", "K", "new"));
    ASSERT_TRUE(ini.save());
    const QByteArray bytes = dir.read("a.ini");
    EXPECT_EQ(bytes.count("K="), 1) << bytes.constData();
    EXPECT_FALSE(bytes.contains("old")) << bytes.constData();
    EXPECT_EQ(IniFile(dir.file("a.ini")).readString("S", "K"), QStringLiteral("new"));
}

TEST(IniFileWrite, FailedSaveLeavesTheFileWhole)
{
    TestDir dir;
    dir.createDir("sub");
    IniFile ini(dir.file("sub")); // a folder where the file should be
    ASSERT_TRUE(ini.writeString("s", "k", "v"));
    QString error;
    EXPECT_FALSE(ini.save(&error));
    EXPECT_TRUE(error.contains(dir.file("sub")));
    EXPECT_TRUE(ini.isModified());

    IniFile missingFolder(dir.file("no/such/a.ini"));
    ASSERT_TRUE(missingFolder.writeString("s", "k", "v"));
    EXPECT_FALSE(missingFolder.save());
    EXPECT_FALSE(dir.exists("no"));
}

// A file that exists but cannot be read must not be replaced by the one key written:
// every other line would be lost. Root reads every file, so the test runs as a user
// who cannot, in a folder where that user could replace the file.
TEST(IniFileWrite, UnreadableFileIsNotReplaced)
{
    TestDir dir;
    dir.createFile("a.ini", "[s]\r\nother=1\r\n");
    giveToUnprivileged(dir.path());
    QFile::setPermissions(dir.file("a.ini"), QFile::WriteOwner);
    const QString failure = runUnprivileged([&]() -> QString {
        IniFile ini(dir.file("a.ini"));
        if (ini.loaded())
            return QStringLiteral("the unreadable file was read");
        if (!ini.writeString("s", "k", "v"))
            return QStringLiteral("the key was not taken");
        QString error;
        if (ini.save(&error))
            return QStringLiteral("the save went through");
        if (!error.contains(dir.file("a.ini")))
            return QStringLiteral("the error does not name the file: ") + error;
        return {};
    });
    EXPECT_EQ(failure, QString());
    QFile::setPermissions(dir.file("a.ini"), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(dir.read("a.ini"), QByteArray("[s]\r\nother=1\r\n"));
}
