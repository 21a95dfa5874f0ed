// Memo templates: registering the memo being edited under a name, and deleting a
// template. Both ask through the template dialog; refusals go to the message panel.

#include "app/ui/mainwindow.h"

#include "base/diskfile.h"
#include "base/globals.h"
#include "base/uiport.h"
#include "nodeops/functionu.h"
#include "settings/templatedialogmodel.h"
#include "settings/templatestore.h"
#include "tree/guardedtext.h"

#include <QPlainTextEdit>

void TOrvaneF::MenuNTAddClick()
{
    setStatus(2, QString());
    TemplateDialogRequest request;
    request.suggestion = TemplateSuggestion(NodeName);
    const QString TmpName = ui().runTemplateDialog(request);
    if (TmpName.isEmpty()) {
        setStatus(2, QStringLiteral("様式登録はキャンセルされました"));
        ui().beep();
        return;
    }
    // A name that cannot be part of a file name fails as the file's creation; it is
    // refused before it is used as a search pattern or a path.
    const bool usable = TemplateNameUsable(TmpName);
    if (usable && FExist(TemplatePath(TmpName))) {
        setStatus(2, QStringLiteral("既に様式 ") + TmpName + QStringLiteral(" は、登録されています"));
        ui().beep();
        return;
    }
    // The memo as a text memo node is saved: Shift-JIS lines ended by CR LF.
    const QString path = usable ? TemplateWritePath(TmpName) : TemplatePath(TmpName);
    QString error;
    if (!usable) {
        error = QStringLiteral("ファイル %1 を作成できません。(ファイル名に使えない文字があります)").arg(path);
    } else {
        const Sjis::Encoded bytes = GuardedText::bytesOf(Memo1->toPlainText(), GuardedText::Form::ShiftJis);
        if (!bytes.ok)
            error = QStringLiteral("ファイル %1 に保存できない文字があります: %2").arg(path, bytes.unencodable);
        else
            DiskFile::writeAtomic(path, bytes.bytes, &error);
    }
    if (!error.isEmpty()) {
        ui().reportError(error);
        return;
    }
    TemplateList.append(TmpName);
    setStatus(2, QStringLiteral("様式 ") + TmpName + QStringLiteral(" を登録しました"));
}

void TOrvaneF::MenuNTDelClick()
{
    setStatus(2, QString());
    if (TemplateList.size() <= 1) {
        setStatus(2, QStringLiteral("様式は、ありません"));
        ui().beep();
        return;
    }
    TemplateDialogRequest request;
    request.deleting = true;
    request.templates = TemplateList;
    const QString TmpName = ui().runTemplateDialog(request);
    if (TmpName.isEmpty()) {
        setStatus(2, QStringLiteral("様式削除は、キャンセルされました"));
        ui().beep();
        return;
    }
    const QString missing = QStringLiteral("様式 ") + TmpName + QStringLiteral(" は、ありません");
    const QString path = TemplatePath(TmpName);
    const qsizetype index = TemplateList.indexOf(TmpName);
    if (!TemplateNameUsable(TmpName) || !FExist(path) || index <= 0) {
        setStatus(2, missing);
        ui().beep();
        return;
    }
    // The name leaves the list only when its file is gone.
    const QString own = TemplateOwnPath(TmpName);
    if (!FExist(own) || PatDel(own) != 0) {
        setStatus(2, QStringLiteral("様式 ") + TmpName + QStringLiteral(" を削除できませんでした"));
        ui().beep();
        return;
    }
    TemplateList.removeAt(index);
    setStatus(2, QStringLiteral("様式 ") + TmpName + QStringLiteral(" を削除しました"));
}
