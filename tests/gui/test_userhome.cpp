// The main window of an installed program (its folder cannot be written): the first
// start opens the user's copy of the read-me tree, settings, history and templates are
// kept in the user's configuration folder, the program folder is never written, and
// the next start reads the settings back.

#include "app/ui/mainwindow.h"
#include "base/appsettings.h"
#include "base/globals.h"
#include "base/programfiles.h"
#include "settings/templatestore.h"
#include "support/recordingui.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QPlainTextEdit>

#include <memory>

namespace {

struct InstalledStart {
    TestDir dir;
    RecordingUi ui;
    QString exePath = dir.makeExeDir();
    QString exeDir = dir.file(QStringLiteral("exe"));
    QString config = dir.file(QStringLiteral("config/orvane"));
    QString data = dir.file(QStringLiteral("data/orvane"));
    QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    QByteArray oldData = qgetenv("XDG_DATA_HOME");
    std::unique_ptr<TOrvaneF> w;

    InstalledStart()
    {
        dir.createSjisFile(QStringLiteral("exe/ReadMe.Orvan"), QStringLiteral("はじめに.TXT\r\n"));
        dir.createSjisFile(QStringLiteral("exe/はじめに.TXT"), QStringLiteral("ようこそ\r\n"));
        dir.createFile(QStringLiteral("exe/Res/様式Memo日報.TXT"), "shipped\r\n");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.file(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.file(QStringLiteral("data"))));
        for (const QString &folder : {exeDir + QStringLiteral("/Res"), exeDir})
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~InstalledStart()
    {
        w.reset();
        for (const QString &folder : {exeDir, exeDir + QStringLiteral("/Res")})
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_CONFIG_HOME", oldConfig);
        qputenv("XDG_DATA_HOME", oldData);
    }
    TOrvaneF &start()
    {
        w = std::make_unique<TOrvaneF>(exePath, QStringList{});
        w->FormActivate();
        return *w;
    }
    QStringList programFolderFiles() const
    {
        QStringList files;
        QDirIterator it(exeDir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(it.next());
        files.sort();
        return files;
    }
};

} // namespace

TEST(InstalledProgram, FilesGoToTheUsersFoldersAndComeBackNextTime)
{
    InstalledStart s;
    const QStringList shipped = s.programFolderFiles();
    TOrvaneF &w = s.start();
    EXPECT_EQ(ProgramFiles::home(), ProgramFiles::Home::User);

    const QString readMe = s.data + QStringLiteral("/ReadMe/ReadMe.Orvan");
    EXPECT_EQ(TreeFileName, readMe);
    EXPECT_TRUE(w.Memo1->toPlainText().contains(QStringLiteral("ようこそ")));
    EXPECT_EQ(IniFileName, s.config + QStringLiteral("/ORVANE.Ini"));
    EXPECT_TRUE(QFile::exists(s.config + QStringLiteral("/ORVANE.Ini")));
    EXPECT_EQ(s.dir.read(QStringLiteral("config/orvane/Orvan履歴.Ini")), sjis(readMe + QStringLiteral("\r\n")));
    EXPECT_EQ(s.ui.count(QStringLiteral("report")), 0);

    // An edit of the read-me tree is saved into the user's copy.
    w.Memo1->setPlainText(QStringLiteral("私のメモ"));
    // A template registered now is the user's; the shipped one is still listed.
    s.ui.templateAnswers.enqueue(QStringLiteral("議事録"));
    w.MenuNTAddClick();
    EXPECT_EQ(w.statusText(2), QStringLiteral("様式 議事録 を登録しました"));
    EXPECT_EQ(s.dir.read(QStringLiteral("config/orvane/Res/様式Memo議事録.TXT")), sjis(QStringLiteral("私のメモ")));
    TmpListSet();
    EXPECT_EQ(TemplateList, (QStringList{QStringLiteral("なし"), QStringLiteral("議事録"), QStringLiteral("日報")}));
    // The shipped template cannot be taken away from the program folder.
    s.ui.templateAnswers.enqueue(QStringLiteral("日報"));
    w.MenuNTDelClick();
    EXPECT_EQ(w.statusText(2), QStringLiteral("様式 日報 を削除できませんでした"));

    Cfg.UserName = QStringLiteral("山田");
    w.close();
    EXPECT_EQ(s.dir.read(QStringLiteral("data/orvane/ReadMe/はじめに.TXT")), sjis(QStringLiteral("私のメモ")));
    EXPECT_EQ(s.dir.read(QStringLiteral("exe/はじめに.TXT")), sjis(QStringLiteral("ようこそ\r\n")));
    EXPECT_EQ(s.programFolderFiles(), shipped);

    Cfg = AppSettings{};
    TOrvaneF &again = s.start();
    EXPECT_EQ(Cfg.UserName, QStringLiteral("山田"));
    EXPECT_TRUE(Cfg.FirstStartSW);
    EXPECT_EQ(TreeFileName, readMe);
    EXPECT_EQ(again.Memo1->toPlainText(), QStringLiteral("私のメモ"));
    EXPECT_EQ(s.programFolderFiles(), shipped);
}
