// Writing a view back to its file: the rule that decides (ContentGuard::decide), the
// save that carries it out on disk, and the text form of memos (GuardedText).

#include "base/sjiscodec.h"
#include "support/recordingui.h"
#include "support/testdir.h"
#include "tree/contentguard.h"
#include "tree/guardedtext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using Action = ContentGuard::Action;
using Outcome = ContentGuard::Outcome;

const QByteArray kOriginal = "first\r\n";
const QByteArray kTheirs = "changed by another program\r\n";
const QByteArray kMine = "typed by the user\r\n";

ContentGuard loadedGuard()
{
    ContentGuard g;
    g.load(QStringLiteral("/nowhere/memo.txt"), kOriginal);
    return g;
}

ContentGuard::View view(bool edited, const QByteArray &bytes, bool encodable = true)
{
    ContentGuard::View v;
    v.edited = edited;
    v.encodable = encodable;
    v.bytes = encodable ? bytes : QByteArray();
    v.keepBytes = bytes;
    return v;
}

ContentGuard::Disk disk(const QByteArray &bytes)
{
    ContentGuard::Disk d;
    d.exists = true;
    d.bytes = bytes;
    return d;
}

ContentGuard::Disk noFile()
{
    return ContentGuard::Disk{};
}

TEST(ContentGuard, DecidesFromOriginalDiskAndView)
{
    struct Case {
        const char *what;
        ContentGuard::View view;
        ContentGuard::Disk disk;
        Action action;
        QByteArray written;
    };
    ContentGuard::Disk unreadable = disk({});
    unreadable.readable = false;
    const Case cases[] = {
        // Untouched view that says the file exactly: rewritten on every leave, same bytes.
        {"unedited, exact", view(false, kOriginal), disk(kOriginal), Action::Write, kOriginal},
        // Untouched view that cannot say the file exactly (lone LF, NUL, stray bytes): left alone.
        {"unedited, inexact", view(false, "first\r\n\r\n"), disk(kOriginal), Action::Nothing, {}},
        {"unedited, unencodable", view(false, kOriginal, false), disk(kOriginal), Action::Nothing, {}},
        // Another program changed the file: the untouched view takes the new content.
        {"unedited, file changed", view(false, kOriginal), disk(kTheirs), Action::TakeDisk, {}},
        // Deleted behind the program's back: created again with what was read.
        {"unedited, file deleted", view(false, "other"), noFile(), Action::Write, kOriginal},
        {"edited", view(true, kMine), disk(kOriginal), Action::Write, kMine},
        {"edited, file deleted", view(true, kMine), noFile(), Action::Write, kMine},
        {"edited, file changed", view(true, kMine), disk(kTheirs), Action::Ask, {}},
        // Both changed to the same thing: nothing to ask.
        {"edited, file changed alike", view(true, kMine), disk(kMine), Action::Write, kMine},
        {"edited, unencodable", view(true, kMine, false), disk(kOriginal), Action::Refuse, {}},
        {"edited, unencodable, file changed", view(true, kMine, false), disk(kTheirs), Action::Ask, {}},
        {"file unreadable", view(true, kMine), unreadable, Action::Unreadable, {}},
    };
    const ContentGuard g = loadedGuard();
    for (const Case &c : cases) {
        const ContentGuard::Decision d = g.decide(c.view, c.disk);
        EXPECT_EQ(int(d.action), int(c.action)) << c.what;
        EXPECT_EQ(d.bytes, c.written) << c.what;
    }
    // A view filled from no file never writes.
    EXPECT_EQ(int(ContentGuard().decide(view(true, kMine), noFile()).action), int(Action::Nothing));
}

class ContentGuardSave : public ::testing::Test
{
protected:
    TestDir dir;
    RecordingUi ui;
    QString path = dir.file(QStringLiteral("memo.txt"));
    ContentGuard guard;

    void SetUp() override
    {
        dir.createFile(QStringLiteral("memo.txt"), kOriginal);
        guard.load(path, kOriginal);
    }

    // Files in the folder other than memo.txt.
    QStringList others() const
    {
        QStringList names = QDir(dir.path()).entryList(QDir::Files);
        names.removeAll(QStringLiteral("memo.txt"));
        return names;
    }
};

TEST_F(ContentGuardSave, ConflictKeepingTheEditsKeepsTheOtherVersionBeside)
{
    dir.createFile(QStringLiteral("memo.txt"), kTheirs);
    ui.keepEditsAnswers.enqueue(true);
    const ContentGuard::Result r = guard.save(view(true, kMine), QStringLiteral("memo.txt"));
    EXPECT_EQ(int(r.outcome), int(Outcome::Written));
    EXPECT_EQ(dir.read(QStringLiteral("memo.txt")), kMine);
    ASSERT_EQ(others().size(), 1);
    EXPECT_EQ(QFileInfo(r.keptBeside).fileName(), others().first());
    EXPECT_EQ(dir.read(others().first()), kTheirs);
    EXPECT_EQ(ui.texts(QStringLiteral("conflict")), QStringList{path});
    // The file now holds the view: the next leave is an ordinary one.
    EXPECT_EQ(int(guard.decide(view(false, kMine), ContentGuard::Disk::read(path)).action), int(Action::Write));
}

TEST_F(ContentGuardSave, ConflictByDefaultLeavesTheFileAndKeepsTheEditsBeside)
{
    dir.createFile(QStringLiteral("memo.txt"), kTheirs);
    const ContentGuard::Result r = guard.save(view(true, kMine), QStringLiteral("memo.txt"));
    EXPECT_EQ(int(r.outcome), int(Outcome::ViewReplaced));
    EXPECT_EQ(r.viewBytes, kTheirs);
    EXPECT_EQ(dir.read(QStringLiteral("memo.txt")), kTheirs);
    ASSERT_EQ(others().size(), 1);
    EXPECT_EQ(dir.read(others().first()), kMine);
}

TEST_F(ContentGuardSave, UnencodableEditsInAConflictAreKeptBesideInTheirFullForm)
{
    dir.createFile(QStringLiteral("memo.txt"), kTheirs);
    const QByteArray utf8 = QStringLiteral("한국어\r\n").toUtf8();
    EXPECT_EQ(int(guard.save(view(true, utf8, false), QStringLiteral("memo.txt")).outcome),
              int(Outcome::ViewReplaced));
    ASSERT_EQ(others().size(), 1);
    EXPECT_EQ(dir.read(others().first()), utf8);

    // Choosing to keep such edits in the file is refused; the file stays as it is.
    ContentGuard again;
    again.load(path, kOriginal);
    ui.keepEditsAnswers.enqueue(true);
    EXPECT_EQ(int(again.save(view(true, utf8, false), QStringLiteral("memo.txt")).outcome), int(Outcome::Refused));
    EXPECT_EQ(dir.read(QStringLiteral("memo.txt")), kTheirs);
    EXPECT_EQ(ui.count(QStringLiteral("report")), 1);
}

TEST_F(ContentGuardSave, RefusalAndFailureReportAndKeepTheBaseline)
{
    ContentGuard::View unencodable = view(true, "x", false);
    unencodable.unencodable = QStringLiteral("한");
    const ContentGuard::Result refused = guard.save(unencodable, QStringLiteral("メモ.txt"));
    EXPECT_EQ(int(refused.outcome), int(Outcome::Refused));
    EXPECT_FALSE(refused.viewMayBeLeft());
    ASSERT_EQ(ui.count(QStringLiteral("report")), 1);
    EXPECT_TRUE(ui.texts(QStringLiteral("report")).first().contains(QStringLiteral("メモ.txt")));
    EXPECT_TRUE(ui.texts(QStringLiteral("report")).first().contains(QStringLiteral("한")));
    EXPECT_EQ(dir.read(QStringLiteral("memo.txt")), kOriginal);

    // The folder of the file turns into a plain file: the write cannot succeed.
    ContentGuard inGone;
    const QString sub = dir.file(QStringLiteral("sub"));
    dir.createFile(QStringLiteral("sub/m.txt"), kOriginal);
    inGone.load(sub + QStringLiteral("/m.txt"), kOriginal);
    QDir(sub).removeRecursively();
    dir.createFile(QStringLiteral("sub"), "not a folder");
    const ContentGuard::Result failed = inGone.save(view(true, kMine), QStringLiteral("m.txt"));
    EXPECT_EQ(int(failed.outcome), int(Outcome::Failed));
    EXPECT_FALSE(failed.viewMayBeLeft());
    ASSERT_EQ(ui.count(QStringLiteral("report")), 2);
    EXPECT_TRUE(ui.texts(QStringLiteral("report")).last().contains(QStringLiteral("m.txt")));
    EXPECT_EQ(inGone.original(), kOriginal);
}

TEST_F(ContentGuardSave, WritesKeepThePermissions)
{
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    ASSERT_EQ(int(guard.save(view(true, kMine), QStringLiteral("memo.txt")).outcome), int(Outcome::Written));
    EXPECT_EQ(dir.read(QStringLiteral("memo.txt")), kMine);
    const QFileDevice::Permissions modeBits = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                              | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                              | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                              | QFileDevice::ReadOther | QFileDevice::WriteOther
                                              | QFileDevice::ExeOther;
    EXPECT_EQ(QFile::permissions(path) & modeBits,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
}

TEST(ContentGuardBeside, NamesAFreeFileBesideKeepingTheExtension)
{
    TestDir dir;
    const QDateTime when(QDate(2024, 3, 5), QTime(10, 15, 0));
    const QString memo = dir.file(QStringLiteral("memo.txt"));
    EXPECT_EQ(QFileInfo(ContentGuard::besidePath(memo, when)).fileName(),
              QStringLiteral("memo (競合 2024-03-05 101500).txt"));
    dir.createFile(QStringLiteral("memo (競合 2024-03-05 101500).txt"));
    EXPECT_EQ(QFileInfo(ContentGuard::besidePath(memo, when)).fileName(),
              QStringLiteral("memo (競合 2024-03-05 101500 2).txt"));
    EXPECT_EQ(QFileInfo(ContentGuard::besidePath(dir.file(QStringLiteral("README")), when)).fileName(),
              QStringLiteral("README (競合 2024-03-05 101500)"));
    EXPECT_EQ(QFileInfo(ContentGuard::besidePath(dir.file(QStringLiteral("a.jpg.TMEM")), when)).fileName(),
              QStringLiteral("a.jpg (競合 2024-03-05 101500).TMEM"));
}

TEST(GuardedTextForm, BytesBecomeViewTextAndBack)
{
    struct Case {
        const char *what;
        QByteArray bytes;
        QString text;
        GuardedText::Form form;
        bool exact; // the unedited text gives the very same bytes back
    };
    const Case cases[] = {
        {"CR LF, last line open", sjis(QStringLiteral("一行目\r\n二行目")), QStringLiteral("一行目\n二行目"),
         GuardedText::Form::ShiftJis, true},
        {"CR LF at the end", "a\r\nb\r\n", QStringLiteral("a\nb\n"), GuardedText::Form::ShiftJis, true},
        {"lone LF and CR", "a\nb\rc", QStringLiteral("a\nb\nc"), GuardedText::Form::ShiftJis, false},
        {"text ends at NUL", QByteArray("ab\0cd", 5), QStringLiteral("ab"), GuardedText::Form::ShiftJis, false},
        {"NEC-selected IBM", QByteArray::fromHex("ed40"), QStringLiteral("纊"), GuardedText::Form::ShiftJis, false},
        {"stray byte", QByteArray::fromHex("418042"), QStringLiteral("A\x1A" "B"), GuardedText::Form::ShiftJis,
         false},
        {"UTF-8", QStringLiteral("日本語\r\né").toUtf8(), QStringLiteral("日本語\né"), GuardedText::Form::Utf8, true},
        {"UTF-8 with BOM", QByteArray("\xEF\xBB\xBF") + QStringLiteral("あ").toUtf8(),
         QStringLiteral("\uFEFFあ"), GuardedText::Form::Utf8, true},
        {"ASCII", "plain", QStringLiteral("plain"), GuardedText::Form::ShiftJis, true},
    };
    for (const Case &c : cases) {
        GuardedText::Form form = GuardedText::Form::ShiftJis;
        EXPECT_EQ(GuardedText::textOf(c.bytes, &form), c.text) << c.what;
        EXPECT_EQ(int(form), int(c.form)) << c.what;
        const Sjis::Encoded back = GuardedText::bytesOf(c.text, form);
        EXPECT_EQ(back.ok && back.bytes == c.bytes, c.exact) << c.what;
    }
    const Sjis::Encoded refused = GuardedText::bytesOf(QStringLiteral("a한"), GuardedText::Form::ShiftJis);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.unencodable, QStringLiteral("한"));
}

TEST(GuardedTextSave, TextThatCannotComeBackExactlyIsWrittenOnlyWhenEdited)
{
    TestDir dir;
    RecordingUi ui;
    const QByteArray bytes("one\ntwo\0tail", 12);
    dir.createFile(QStringLiteral("m.txt"), bytes);
    GuardedText text;
    ASSERT_TRUE(text.load(dir.file(QStringLiteral("m.txt"))));
    EXPECT_EQ(int(text.save(text.text(), QStringLiteral("m.txt")).outcome), int(Outcome::Unchanged));
    EXPECT_EQ(dir.read(QStringLiteral("m.txt")), bytes);

    EXPECT_EQ(int(text.save(QStringLiteral("one\ntwo!"), QStringLiteral("m.txt")).outcome), int(Outcome::Written));
    EXPECT_EQ(dir.read(QStringLiteral("m.txt")), QByteArray("one\r\ntwo!"));
    // Once written, the text is what the file holds: later leaves rewrite the same bytes.
    EXPECT_EQ(int(text.save(QStringLiteral("one\ntwo!"), QStringLiteral("m.txt")).outcome), int(Outcome::Written));
    EXPECT_EQ(dir.read(QStringLiteral("m.txt")), QByteArray("one\r\ntwo!"));
}

TEST(GuardedTextSave, Utf8FilesStayUtf8)
{
    TestDir dir;
    RecordingUi ui;
    dir.createFile(QStringLiteral("u.txt"), QStringLiteral("日本語").toUtf8());
    GuardedText text;
    ASSERT_TRUE(text.load(dir.file(QStringLiteral("u.txt"))));
    EXPECT_EQ(text.text(), QStringLiteral("日本語"));
    // UTF-8 holds what Shift-JIS cannot.
    ASSERT_EQ(int(text.save(QStringLiteral("日本語\n한국어"), QStringLiteral("u.txt")).outcome), int(Outcome::Written));
    EXPECT_EQ(dir.read(QStringLiteral("u.txt")), QStringLiteral("日本語\r\n한국어").toUtf8());
    EXPECT_EQ(ui.count(QStringLiteral("report")), 0);
}

TEST(GuardedTextSave, AnUntouchedViewTakesTheFilesNewContent)
{
    TestDir dir;
    RecordingUi ui;
    dir.createSjisFile(QStringLiteral("m.txt"), QStringLiteral("古い"));
    GuardedText text;
    ASSERT_TRUE(text.load(dir.file(QStringLiteral("m.txt"))));
    dir.createSjisFile(QStringLiteral("m.txt"), QStringLiteral("新しい\r\n内容"));
    EXPECT_EQ(int(text.save(QStringLiteral("古い"), QStringLiteral("m.txt")).outcome), int(Outcome::ViewReplaced));
    EXPECT_EQ(text.text(), QStringLiteral("新しい\n内容"));
    EXPECT_EQ(dir.read(QStringLiteral("m.txt")), sjis(QStringLiteral("新しい\r\n内容")));
    EXPECT_EQ(ui.events.size(), 0);
}

} // namespace
