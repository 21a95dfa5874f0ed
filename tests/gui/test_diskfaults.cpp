// Disk faults under every command that writes: each step of each kind the command takes
// (writing, flushing, renaming, copying, making a folder, deleting) is made to fail in
// turn with "no space", "permission denied" and "I/O error". Each time the user is told
// with a message naming the file, every file on disk is as it was before the command
// (the command leaves nothing half done), the tree on screen is the tree file, and text
// the user typed is still in its view.

#include "base/diskfile.h"
#include "base/filefaults.h"
#include "base/globals.h"
#include "export/ui/btxtoutf.h"
#include "nodeops/nodedialogmodel.h"
#include "settings/ui/memoextpage.h"
#include "settings/ui/oleiconpage.h"
#include "settings/templatestore.h"
#include "support/nodefiles.h"
#include "support/windowfixture.h"
#include "tree/nodekind.h"
#include "tree/treefile.h"
#include "tree/ui/nodetreewidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMap>
#include <QSet>
#include <QPlainTextEdit>
#include <QTreeWidgetItem>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>

namespace {

using FileFaults::Operation;

const Operation AllOperations[] = {Operation::Write,      Operation::Flush,  Operation::Rename,
                                   Operation::Copy,       Operation::MakeFolder, Operation::Delete};
const int AllErrors[] = {ENOSPC, EACCES, EIO};

const char *nameOf(Operation op)
{
    switch (op) {
    case Operation::Write: return "write";
    case Operation::Flush: return "flush";
    case Operation::Rename: return "rename";
    case Operation::Copy: return "copy";
    case Operation::MakeFolder: return "mkdir";
    case Operation::Delete: return "delete";
    }
    return "?";
}

// Every entry below the test folder with its bytes; folders as "<folder>". Hidden
// entries count: a temporary file left behind is a change too. The settings and history
// files, which the window writes on its own at many moments, count only when asked for.
QMap<QString, QByteArray> snapshot(const TestDir &dir, bool settingsToo)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(dir.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(dir.path()).relativeFilePath(path);
        if (!settingsToo && relative.startsWith(u"exe/") && relative.endsWith(u".Ini", Qt::CaseInsensitive))
            continue;
        QFile f(path);
        QByteArray bytes = it.fileInfo().isDir() ? QByteArray("<folder>")
                                                 : (f.open(QIODevice::ReadOnly) ? f.readAll() : "<unreadable>");
        // Files that name the test folder (the settings) compare across fixtures.
        out.insert(relative, bytes.replace(QFile::encodeName(dir.path()), "<dir>"));
    }
    return out;
}

// The tree on screen as the tree file would say it.
QList<QPair<int, QString>> screenTree(TOrvaneF &w)
{
    QList<QPair<int, QString>> out;
    for (int i = 0; i < w.nodeCount(); ++i)
        out.append({TOrvaneF::levelOf(w.nodeAt(i)), w.nodeAt(i)->text(0)});
    return out;
}

// The tree file the window has open.
QList<QPair<int, QString>> fileTree()
{
    QList<QPair<int, QString>> out;
    for (const TreeLine &line : parseTreeFile(DiskFile::read(TreeFileName).bytes).nodes)
        out.append({line.level, line.text});
    return out;
}

NodeDialogResult newNode(const QString &name, int kind, const QString &templatePath = {}, const QString &file = {})
{
    NodeDialogResult r;
    r.ok = true;
    r.name = name;
    r.kind = kind;
    r.templatePath = templatePath;
    r.file = file;
    return r;
}

// A tree of a folder holding a memo and a picture with its comment, an empty folder, and
// a memo at the top; a template in Res.
const QString TreeText = QStringLiteral("Docs\r\n\tmemo.TXT\r\n\tpic.bmp\r\nEmpty\r\ntop.TXT\r\n");

struct FaultTree : WindowFixture {
    FaultTree()
        : WindowFixture(TreeText, false)
    {
        dir.createFile(QStringLiteral("docs/Docs/memo.TXT"), "memo");
        dir.createFile(QStringLiteral("docs/Docs/pic.bmp"), bmpBytes());
        dir.createFile(QStringLiteral("docs/Docs/pic.bmp.TMEM"), "comment");
        dir.createDir(QStringLiteral("docs/Empty"));
        dir.createFile(QStringLiteral("docs/top.TXT"), "top");
        dir.createFile(QStringLiteral("exe/Res/様式Memo日報.TXT"), "daily");
        dir.createFile(QStringLiteral("outside/photo.bmp"), bmpBytes());
        dir.createFile(QStringLiteral("other/O.Orvan"), "x\r\n");
        // For the bulk export (its output files hold earlier output) and the folder
        // repair (a file in Docs without a node).
        dir.createFile(QStringLiteral("outside/OUT.TXT"), "earlier\r\n");
        dir.createFile(QStringLiteral("outside/TOC.TXT"), "earlier toc\r\n");
        dir.createFile(QStringLiteral("docs/Docs/extra.TXT"), "extra");
        TmpListSet();
        window->FormActivate();
        w().TreeView1->expandAll();
    }
    // Selects the node and types into its memo or comment; with `presave`, saves once
    // without a fault, so the disk holds the typed text before the command starts.
    void prepare(int index, const QString &typed, bool presave)
    {
        click(index);
        if (QPlainTextEdit *view = textView(); view && !typed.isEmpty()) {
            view->moveCursor(QTextCursor::End);
            view->insertPlainText(typed);
            if (presave)
                ASSERT_TRUE(w().TSaveNode(NodeName));
        }
        ui.clear();
    }
    QPlainTextEdit *textView()
    {
        if (NodeKind == KindMemo)
            return w().Memo1;
        if (NodeKind == KindImage)
            return w().MemoG;
        return nullptr;
    }
};

struct Command {
    const char *name;
    int node;        // the node selected first
    QString typed;   // text typed into its view first ("" none)
    std::function<void(FaultTree &)> run;
    bool settingsToo = false; // the settings files are the command's own (each of them whole)
    bool presave = true;      // false: the typed text is only in the view (the command saves it)
    // Files the command leaves when all went well that another step makes later when
    // missing (the comment side file of a picture made on its first showing).
    QStringList optional = {};
};

// The disk after the command ran without a fault.
QMap<QString, QByteArray> reference(const Command &c)
{
    FaultTree fx;
    fx.prepare(c.node, c.typed, c.presave);
    c.run(fx);
    fx.w().Timer1Timer();
    return snapshot(fx.dir, c.settingsToo);
}

// Runs the command once with the failure armed; returns whether the failure happened.
// The command either did all of its work (a step tried again got through) or none of it.
bool runWithFault(const Command &c, const QMap<QString, QByteArray> &done, Operation op, int error, int after,
                  QString *trace)
{
    FaultTree fx;
    fx.prepare(c.node, c.typed, c.presave);
    const QMap<QString, QByteArray> before = snapshot(fx.dir, c.settingsToo);
    const QString typedInView = fx.textView() ? fx.textView()->toPlainText() : QString();

    FileFaults::failNext(op, error, after);
    c.run(fx);
    const bool fired = !FileFaults::pending();
    FileFaults::clear();
    // A rename leaves the tree file to the one-second timer: let it run now.
    fx.w().Timer1Timer();

    *trace = QStringLiteral("%1, %2 step %3 fails with %4")
                 .arg(QString::fromLatin1(c.name), QString::fromLatin1(nameOf(op)))
                 .arg(after + 1)
                 .arg(QString::fromLocal8Bit(std::strerror(error)));
    const std::string where = trace->toStdString();
    EXPECT_EQ(screenTree(fx.w()), fileTree()) << where;
    if (!fired)
        return false;

    const QMap<QString, QByteArray> now = snapshot(fx.dir, c.settingsToo);
    QMap<QString, QByteArray> doneWithoutOptional = done;
    for (const QString &key : c.optional)
        if (!now.contains(key))
            doneWithoutOptional.remove(key);
    if (now == doneWithoutOptional)
        return true; // a step tried again got through, or a later one that is redone later failed
    auto differences = [&](const QMap<QString, QByteArray> &expected) {
        QStringList out;
        for (const QString &key : QSet<QString>(expected.keyBegin(), expected.keyEnd()) | QSet<QString>(now.keyBegin(), now.keyEnd()))
            if (expected.value(key, "<none>") != now.value(key, "<none>"))
                out.append(key);
        out.sort();
        return out.join(QStringLiteral(", ")).toStdString();
    };
    // The settings and the history are two files of their own: each is whole, the old or
    // the new version.
    bool eachWhole = c.settingsToo && now.keys() == before.keys();
    for (auto it = now.cbegin(); eachWhole && it != now.cend(); ++it)
        eachWhole = it.value() == before.value(it.key()) || it.value() == done.value(it.key());
    EXPECT_TRUE(now == before || eachWhole) << where << ": neither done nor untouched; differs from before in " << differences(before)
                               << "; from done in " << differences(done);

    bool named = false;
    for (const RecordingUi::Event &e : fx.ui.events)
        named = named || ((e.kind == u"report" || e.kind == u"message" || e.kind == u"error")
                          && e.text.contains(fx.dir.path()));
    EXPECT_TRUE(named) << where << "\n" << fx.ui.texts(QStringLiteral("report")).join(u'|').toStdString()
                       << fx.ui.texts(QStringLiteral("message")).join(u'|').toStdString();
    if (!typedInView.isEmpty() && fx.textView())
        EXPECT_EQ(fx.textView()->toPlainText(), typedInView) << where;
    return true;
}

// Every step of every kind, until the command takes no further step of that kind.
// Returns how many steps of each kind the command took.
QMap<QString, int> runTable(const Command &c)
{
    const QMap<QString, QByteArray> done = reference(c);
    QMap<QString, int> steps;
    for (const Operation op : AllOperations) {
        int after = 0;
        for (;; ++after) {
            // Every error at a kind's first step; later steps one error each, in turn.
            bool fired = false;
            for (int e = 0; e < 3; ++e) {
                const int error = after == 0 ? AllErrors[e] : AllErrors[(after + e) % 3];
                QString trace;
                fired = runWithFault(c, done, op, error, after, &trace);
                if (!fired || after > 0)
                    break;
            }
            if (!fired)
                break;
        }
        steps.insert(QString::fromLatin1(nameOf(op)), after);
    }
    return steps;
}

QString describe(const QMap<QString, int> &steps)
{
    QStringList parts;
    for (auto it = steps.cbegin(); it != steps.cend(); ++it)
        if (it.value() > 0)
            parts.append(QStringLiteral("%1 x%2").arg(it.key()).arg(it.value()));
    return parts.join(QStringLiteral(", "));
}

void clickAway(FaultTree &fx)
{
    fx.clickName(QStringLiteral("Empty"));
}

// Drags node `from` onto the middle of node `into`'s text, as the mouse does.
void dragInto(FaultTree &fx, int from, int into)
{
    fx.window->resize(900, 700);
    fx.window->show();
    NodeTreeWidget *tree = fx.w().TreeView1;
    tree->setCurrentItem(fx.item(from));
    const QRect r = tree->visualItemRect(fx.item(into));
    const QPoint pos(r.left() + 4, r.center().y());
    std::unique_ptr<QMimeData> data(tree->nodeDragMimeData());
    QDragEnterEvent enter(pos, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &enter);
    QDragMoveEvent move(pos, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &move);
    QDropEvent drop(QPointF(pos), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &drop);
}

const QList<Command> &commands()
{
    static const QList<Command> list = {
        {"memo content on leaving", 1, QStringLiteral("\r\ntyped"), clickAway, false, false},
        {"comment on leaving", 2, QStringLiteral("\r\ntyped"), clickAway, false, false},
        {"tree file before opening another", 4, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) {
             fx.ui.fileAnswers.enqueue(fx.dir.file(QStringLiteral("other/O.Orvan")));
             fx.w().ToolButtonTOClick();
         }},
        {"add folder", 4, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) {
             fx.ui.nodeDialogAnswers.enqueue(newNode(QStringLiteral("New"), KindFolder));
             fx.w().ToolButtonAClick();
         }},
        {"add memo", 4, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) {
             fx.ui.nodeDialogAnswers.enqueue(newNode(QStringLiteral("new.TXT"), KindMemo));
             fx.w().ToolButtonAClick();
         }},
        {"insert memo from a template", 1, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) {
             fx.ui.nodeDialogAnswers.enqueue(newNode(QStringLiteral("new.TXT"), KindMemo,
                                                     fx.dir.file(QStringLiteral("exe/Res/様式Memo日報.TXT"))));
             fx.w().ToolButtonACClick();
         }},
        {"add child picture", 3, {},
         [](FaultTree &fx) {
             fx.ui.nodeDialogAnswers.enqueue(newNode(QStringLiteral("photo.bmp"), KindImage, {},
                                                     fx.dir.file(QStringLiteral("outside/photo.bmp"))));
             fx.w().ToolButtonIClick();
         },
         false, true, {QStringLiteral("docs/Empty/photo.bmp.TMEM")}},
        {"delete node only", 1, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) {
             fx.ui.nodeDialogAnswers.enqueue(confirmedDialog());
             fx.w().ToolButtonNDClick();
         }},
        {"delete memo with its file", 1, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) {
             fx.ui.nodeDialogAnswers.enqueue(confirmedDialog());
             fx.w().ToolButtonDClick();
         }},
        {"delete picture with its file and comment", 2, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) {
             fx.ui.nodeDialogAnswers.enqueue(confirmedDialog());
             fx.w().ToolButtonDClick();
         }},
        {"delete folder with its folder", 3, {},
         [](FaultTree &fx) {
             fx.ui.nodeDialogAnswers.enqueue(confirmedDialog());
             fx.w().ToolButtonDClick();
         }},
        {"copy memo", 1, QStringLiteral("\r\ntyped"), [](FaultTree &fx) { fx.w().ToolButtonNCClick(); }},
        {"rename memo", 1, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) {
             fx.w().LabelEditing = true;
             QString s = QStringLiteral("renamed.TXT");
             fx.w().TreeView1Edited(fx.item(1), s);
             fx.item(1)->setText(0, s);
         }},
        {"rename picture with its comment", 2, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) {
             fx.w().LabelEditing = true;
             QString s = QStringLiteral("renamed.bmp");
             fx.w().TreeView1Edited(fx.item(2), s);
             fx.item(2)->setText(0, s);
         }},
        {"new tree file", 4, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) {
             fx.ui.fileAnswers.enqueue(fx.dir.file(QStringLiteral("other/N.Orvan")));
             fx.w().ToolButtonTNClick();
         }},
        {"template delete", 1, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) {
             fx.ui.templateAnswers.enqueue(QStringLiteral("日報"));
             fx.w().MenuNTDelClick();
         }},
        {"settings on closing the bottom panel", 1, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) { fx.w().ButtonCENDClick(); }, true},
        {"template register", 1, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) {
             fx.ui.templateAnswers.enqueue(QStringLiteral("新様式"));
             fx.w().MenuNTAddClick();
         }},
        {"bulk export with table of contents", 1, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) {
             fx.ui.dialogScript = [&fx](QDialog &d) {
                 auto *dialog = qobject_cast<TBTxtOutF *>(&d);
                 ASSERT_NE(dialog, nullptr);
                 dialog->Edit1->setText(fx.dir.file(QStringLiteral("outside/OUT.TXT")));
                 dialog->CheckBox3->setChecked(true);
                 dialog->Edit5->setText(fx.dir.file(QStringLiteral("outside/TOC.TXT")));
                 dialog->EditClick();
                 dialog->reject();
             };
             fx.w().MenuTooLOutClick();
             fx.ui.dialogScript = {};
             // The run says every time that its output files are already there; only
             // what it says about a failure counts as naming the file.
             fx.ui.events.removeIf([](const RecordingUi::Event &e) { return e.text.contains(u"既にあります"); });
         }},
        {"drag memo with its file into a folder", 1, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) { dragInto(fx, 1, 3); }},
        {"dropped file import", 1, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) { fx.w().FormDropFiles({fx.dir.file(QStringLiteral("outside/photo.bmp"))}); }},
        {"folder node repair", 0, {},
         [](FaultTree &fx) {
             fx.ui.yesNoAnswers.enqueue(true);
             fx.w().MenuTreeMClick();
         }},
        {"OLE icon page save", 1, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) {
             fx.w().MenuTooLExClick();
             OleIconPage *page = fx.w().SettingsOleIcon;
             fx.ui.fileAnswers.enqueue(fx.dir.file(QStringLiteral("outside/photo.bmp")));
             page->ButtonFXOpenClick();
             page->EditFX->setText(QStringLiteral("PDF"));
             page->EditFXFile->setText(QStringLiteral("文書 \"A\""));
             page->ButtonFXAddClick();
             page->ButtonFXSaveClick();
         },
         true},
        {"text extension page save", 1, QStringLiteral("\r\ntyped"),
         [](FaultTree &fx) {
             fx.w().MenuTooLExClick();
             fx.w().SettingsMemoExt->setEntries({QStringLiteral("TXT=テキスト"), QStringLiteral("LOG=ログ")});
             fx.w().SettingsMemoExt->Button3Click();
         },
         true},
    };
    return list;
}

class DiskFaults : public ::testing::TestWithParam<int>
{
};

TEST_P(DiskFaults, EveryStepOfTheCommandFailsSafely)
{
    const Command &c = commands().at(GetParam());
    const QMap<QString, int> steps = runTable(c);
    std::printf("[ table    ] %s: %s\n", c.name, qPrintable(describe(steps)));
    // Every command writes something.
    int total = 0;
    for (const int n : steps)
        total += n;
    EXPECT_GT(total, 0) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Commands, DiskFaults, ::testing::Range(0, int(commands().size())),
                         [](const ::testing::TestParamInfo<int> &info) {
                             QString name = QString::fromLatin1(commands().at(info.param).name);
                             name.replace(u' ', u'_');
                             return name.toStdString();
                         });

// A rename's tree file is written by the timer: a failure there is reported once, tried
// again each second, and the tree file catches up once the disk allows.
TEST(DiskFaultsTimer, AFailedTimerWriteIsRetriedAndReportedOnce)
{
    FaultTree fx;
    fx.prepare(1, QString(), false);
    fx.w().LabelEditing = true;
    QString s = QStringLiteral("renamed.TXT");
    fx.w().TreeView1Edited(fx.item(1), s);
    fx.item(1)->setText(0, s);
    ASSERT_TRUE(TreeDirty);
    fx.ui.clear();
    {
        FileFaults::Scope full(Operation::Write, ENOSPC);
        fx.w().Timer1Timer();
    }
    EXPECT_TRUE(TreeDirty);
    EXPECT_EQ(fx.ui.count(QStringLiteral("report")), 1);
    EXPECT_TRUE(fx.ui.texts(QStringLiteral("report")).value(0).contains(fx.treePath));
    {
        FileFaults::Scope full(Operation::Write, ENOSPC);
        fx.w().Timer1Timer();
    }
    EXPECT_EQ(fx.ui.count(QStringLiteral("report")), 1); // told once
    fx.w().Timer1Timer();
    EXPECT_FALSE(TreeDirty);
    EXPECT_EQ(screenTree(fx.w()), fileTree());
    EXPECT_TRUE(fx.dir.exists(QStringLiteral("docs/Docs/renamed.TXT")));
}

} // namespace
