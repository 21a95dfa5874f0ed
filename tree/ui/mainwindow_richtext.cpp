// The rich-text view: a rich-text node's file shown in RichEdit1 and written back
// through a GuardedRichText, so that leaving the node never damages the file.

#include "app/ui/mainwindow.h"

#include "base/diskfile.h"
#include "base/globals.h"
#include "base/uiport.h"
#include "tree/rtfwriter.h"

#include <QDir>
#include <QFileInfo>
#include <QTextEdit>

void TOrvaneF::setupRichEdit()
{
    // The view's own font, not one from the settings.
    QFont font(QStringLiteral("ＭＳ 明朝"));
    font.setPixelSize(12);
    RichEdit1->setFont(font);
    QPalette palette = RichEdit1->palette();
    palette.setColor(QPalette::Text, Qt::black);
    RichEdit1->setPalette(palette);
    RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setReadOnly(true); // nothing to type into until a file is shown
}

bool TOrvaneF::TReadREdie(const QString &path)
{
    HideContentPanels();
    RichText.clear();
    RichEdit1->clear();
    RichEdit1->setReadOnly(true);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QString error;
    if (!RichText.load(path, RichEdit1->document(), &error)) {
        ui().reportError(error);
        return true;
    }
    RichEdit1->moveCursor(QTextCursor::Start);
    RichEdit1->setReadOnly(false);
    if (!RichText.notKept().isEmpty())
        setStatus(2, QStringLiteral("表示できない書式があります: %1")
                         .arg(RichText.notKept().join(QStringLiteral("、"))));
    PanelRichEdit->show();
    return true;
}

bool TOrvaneF::TSaveREdie(const QString &path)
{
    if (!RichText.isLoaded())
        return true;
    RichText.retarget(path);
    const GuardedRichText::Result result = RichText.save(RichEdit1->document(), NodeName);
    if (const QString notice = ContentGuard::noticeOf(result.guard, NodeName, RichText.path()); !notice.isEmpty())
        ui().showMessage(notice);
    if (!result.keptBeside.isEmpty())
        ui().showMessage(QStringLiteral("%1 はそのまま残し、編集した内容を次のファイルに保存しました。\r%2")
                             .arg(NodeName, QDir::toNativeSeparators(result.keptBeside)));
    if (!result.guard.keptBeside.isEmpty())
        ui().showMessage(QStringLiteral("ファイルに残さなかった方の内容を次のファイルに保存しました。\r%1")
                             .arg(QDir::toNativeSeparators(result.guard.keptBeside)));
    if (result.guard.viewMayBeLeft())
        return true;
    if (m_destroyed) {
        // The window is closing and the view goes with it: keep the document beside the file.
        const QString rescue = ContentGuard::besidePath(RichText.path(), QDateTime::currentDateTime());
        QString error;
        if (DiskFile::writeAtomic(rescue, Rtf::write(*RichEdit1->document()).bytes, &error))
            ui().showMessage(QStringLiteral("保存できなかった内容を次のファイルに残しました。\r%1")
                                 .arg(QDir::toNativeSeparators(rescue)));
        else
            ui().reportError(error);
    }
    return false;
}
