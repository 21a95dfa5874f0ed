// Showing the current node's content and writing it back: text memos, pictures with
// their comment, other files with their comment. Every text view is written through a
// GuardedText, so leaving a node never damages its file.

#include "app/ui/mainwindow.h"

#include "base/appsettings.h"
#include "base/diskfile.h"
#include "base/globals.h"
#include "base/uiport.h"
#include "tree/commentheader.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"
#include "tree/nodepicture.h"
#include "tree/ui/oleview.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>

namespace {

// Fills a text view from its GuardedText and notes what the view made of the text.
void fillView(QPlainTextEdit *view, GuardedText &text)
{
    view->setPlainText(text.text());
    view->setReadOnly(false);
    text.setShown(view->toPlainText());
}

// A view with no file behind it: cleared and closed to typing, so nothing can be
// typed that would have nowhere to go.
void unbindView(QPlainTextEdit *view, GuardedText &text)
{
    text.clear();
    view->clear();
    view->setReadOnly(true);
}

} // namespace

void TOrvaneF::connectContent()
{
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            RefreshContentFromDisk();
    });
}

void TOrvaneF::RefreshContentFromDisk()
{
    if (!TreeReady || SaveSuppressed)
        return;
    if (NodeKind == KindMemo && MemoText.takeNewContentIfUntouched(Memo1->toPlainText()))
        fillView(Memo1, MemoText);
    if (NodeKind == KindRich)
        RichText.takeNewContentIfUntouched(RichEdit1->document());
    QPlainTextEdit *comment = NodeKind == KindImage ? MemoG : NodeKind == KindOle ? MemoOLE : nullptr;
    if (comment && CommentText.takeNewContentIfUntouched(comment->toPlainText()))
        fillView(comment, CommentText);
}

QWidget *TOrvaneF::contentPanelFor(int kind) const
{
    switch (kind) {
    case KindMemo: return PanelMemo;
    case KindRich: return PanelRichEdit;
    case KindImage: return PanelGra;
    case KindOle: return PanelOLE;
    default: return nullptr;
    }
}

void TOrvaneF::TReadNode()
{
    const QString path = NodePaths::fullPath(BaseDir, NodePath, NodeName);
    bool found = true;
    switch (NodeKind) {
    case KindMemo:
        found = TReadMemo(path);
        break;
    case KindRich:
        found = TReadREdie(path);
        break;
    case KindImage:
        found = TReadGra(path);
        break;
    case KindOle:
        found = TReadOLE(path);
        break;
    default:
        HideContentPanels();
        return;
    }
    if (!found)
        setStatus(2, NodeName + QStringLiteral(" なし"));
}

bool TOrvaneF::TReadMemo(const QString &path)
{
    HideContentPanels();
    unbindView(Memo1, MemoText);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QString error;
    if (!MemoText.load(path, &error)) {
        ui().reportError(error);
        return true;
    }
    fillView(Memo1, MemoText);
    tellUtf8(MemoText);
    PanelMemo->show();
    return true;
}

bool TOrvaneF::TReadGra(const QString &path)
{
    HideContentPanels();
    unbindView(MemoG, CommentText);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;

    const NodePicture picture = loadNodePicture(path, ImageTypeOf(NodeExt));
    if (picture.ok()) {
        Image1->setPixmap(QPixmap::fromImage(picture.image));
        Image1->resize(picture.image.size());
    } else {
        Image1->clear();
        Image1->resize(0, 0);
    }
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);

    // The comment takes what the picture leaves of the content area, at least 10 pixels.
    const int contentHeight = PanelC->height();
    int commentHeight = contentHeight - Image1->height() - 11;
    if (commentHeight <= 0)
        commentHeight = 10;
    Splitter4->setSizes({qMax(0, contentHeight - commentHeight - Splitter4->handleWidth()), commentHeight});

    if (picture.ok())
        TReadAMemo(path, 1);
    PanelGra->show();
    if (!picture.ok())
        ui().reportError(picture.error);
    return true;
}

bool TOrvaneF::TReadOLE(const QString &path)
{
    HideContentPanels();
    unbindView(MemoOLE, CommentText);
    OleContainer1->clear();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    OleContainer1->setFile(path, Cfg.OleIconic);
    TReadAMemo(path, 2);
    PanelOLE->show();
    return true;
}

bool TOrvaneF::TReadAMemo(const QString &path, int which)
{
    if (which != 1 && which != 2)
        return false;
    QPlainTextEdit *view = which == 1 ? MemoG : MemoOLE;
    unbindView(view, CommentText);
    const QString side = commentFilePath(path);
    if (!QFileInfo::exists(side))
        BuildCommentHeader(side, path);
    QString error;
    if (!CommentText.load(side, &error)) {
        if (!error.isEmpty())
            ui().reportError(error);
        return true;
    }
    fillView(view, CommentText);
    tellUtf8(CommentText);
    return true;
}

void TOrvaneF::tellUtf8(const GuardedText &text)
{
    // Such a file is also saved in UTF-8: the user should know it is not Shift-JIS.
    if (text.form() == GuardedText::Form::Utf8)
        setStatus(2, QStringLiteral("UTF-8 で表示しています"));
}

void TOrvaneF::BuildCommentHeader(const QString &sidePath, const QString &nodePath)
{
    const QString header = commentHeaderText(QFileInfo(nodePath).fileName(), Cfg.UserName, QDate::currentDate());
    QString error;
    if (!DiskFile::writeText(sidePath, header, &error)) {
        ui().reportError(error);
        return;
    }
    setStatus(2, QStringLiteral("コメント情報を追加しました"));
}

bool TOrvaneF::TSaveNode(const QString &name)
{
    const QString path = NodePaths::fullPath(BaseDir, NodePath, name);
    if (NodePath.isEmpty() || name.isEmpty() || SaveSuppressed || !TreeReady || path.isEmpty())
        return true;
    bool saved = true;
    switch (NodeKind) {
    case KindMemo:
        saved = TSaveMemo(path);
        break;
    case KindRich:
        saved = TSaveREdie(path);
        break;
    case KindImage:
        if (QFileInfo(path).isFile())
            saved = TSaveAMemo(path, 1);
        break;
    case KindOle:
        if (QFileInfo(path).isFile())
            saved = TSaveAMemo(path, 2);
        break;
    default:
        break;
    }
    if (!saved && !m_destroyed) {
        // Keep the text that is in no file in front of the user, whatever the caller hid.
        for (QWidget *panel : {PanelMemo, PanelRichEdit, PanelGra, PanelSam, PanelOLE})
            panel->setVisible(panel == contentPanelFor(NodeKind));
    }
    return saved;
}

bool TOrvaneF::TSaveMemo(const QString &path)
{
    if (!MemoText.isLoaded())
        return true;
    MemoText.retarget(path);
    return finishTextSave(MemoText.save(Memo1->toPlainText(), NodeName), MemoText, Memo1);
}

bool TOrvaneF::TSaveAMemo(const QString &path, int which)
{
    if ((which != 1 && which != 2) || !CommentText.isLoaded())
        return true;
    QPlainTextEdit *view = which == 1 ? MemoG : MemoOLE;
    CommentText.retarget(commentFilePath(path));
    return finishTextSave(CommentText.save(view->toPlainText(), NodeName + QStringLiteral(" のコメント")),
                          CommentText, view);
}

bool TOrvaneF::finishTextSave(const ContentGuard::Result &result, GuardedText &text, QPlainTextEdit *view)
{
    if (result.outcome == ContentGuard::Outcome::ViewReplaced)
        fillView(view, text);
    if (const QString notice = ContentGuard::noticeOf(result, NodeName, text.path()); !notice.isEmpty())
        ui().showMessage(notice);
    if (!result.keptBeside.isEmpty())
        ui().showMessage(QStringLiteral("ファイルに残さなかった方の内容を次のファイルに保存しました。\r%1")
                             .arg(QDir::toNativeSeparators(result.keptBeside)));
    if (result.viewMayBeLeft())
        return true;
    if (m_destroyed) {
        // The window is closing and the view goes with it: keep its text beside the file.
        const QString rescue = ContentGuard::besidePath(text.path(), QDateTime::currentDateTime());
        const Sjis::Encoded own = GuardedText::bytesOf(view->toPlainText(), text.form());
        const QByteArray bytes = own.ok ? own.bytes : GuardedText::bytesOf(view->toPlainText(), GuardedText::Form::Utf8).bytes;
        QString error;
        if (DiskFile::writeAtomic(rescue, bytes, &error))
            ui().showMessage(QStringLiteral("保存できなかった内容を次のファイルに残しました。\r%1")
                                 .arg(QDir::toNativeSeparators(rescue)));
        else
            ui().reportError(error);
    }
    return false;
}
