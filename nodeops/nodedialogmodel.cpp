#include "nodeops/nodedialogmodel.h"

#include "base/globals.h"
#include "base/sjiscodec.h"
#include "base/uiport.h"
#include "nodeops/functionu.h"
#include "nodeops/nodenamechars.h"
#include "settings/templatestore.h"

#include <QtGlobal>

int DlgMode = DlgAddNode;
bool DlgOK = false;
QString DlgName;
int DlgKind = 0;
QString DlgTemplate;
QString DlgFile;

void ShowNodeDialog()
{
    NodeDialogRequest request;
    request.mode = DlgMode;
    request.nodeName = NodeName;
    request.templates = TemplateList;
    const NodeDialogResult result = ui().runNodeDialog(request);
    DlgOK = result.ok;
    DlgName = result.name;
    DlgKind = result.kind;
    DlgTemplate = result.templatePath;
    DlgFile = result.file;
}

namespace NodeDialog {

QString cleanedMessage()
{
    return QStringLiteral("File名に不具合なｷｬﾗｸﾀｰを削除しました。\rノード名を確認してください。");
}

bool isDeleteMode(int mode)
{
    return mode == DlgDeleteNode || mode == DlgDeleteWithFile;
}

bool isFileKindChoice(int choice)
{
    return choice == ChoiceImage || choice == ChoiceOle;
}

QString caption(int mode)
{
    switch (mode) {
    case DlgAddNode:
        return QStringLiteral("ﾉｰﾄﾞ追加");
    case DlgAddChildNode:
        return QStringLiteral("子ﾉｰﾄﾞ追加");
    case DlgInsertNode:
        return QStringLiteral("ﾉｰﾄﾞ挿入");
    case DlgDeleteNode:
        return QStringLiteral("ﾉｰﾄﾞ削除(ﾉｰﾄﾞのみ)");
    case DlgDeleteWithFile:
        return QStringLiteral("ﾉｰﾄﾞ削除(ﾉｰﾄﾞ+ファイル)");
    default:
        return {};
    }
}

QString prompt(int mode, const QString &nodeName)
{
    switch (mode) {
    case DlgAddNode:
        return QStringLiteral("追加する名称を入力(ﾌｧｲﾙ拡張子は不要)");
    case DlgAddChildNode:
        return QStringLiteral("追加する下層(子)名称を入力(ﾌｧｲﾙ拡張子は不要)");
    case DlgInsertNode:
        return QStringLiteral("挿入する名称を入力(ﾌｧｲﾙ拡張子は不要)");
    case DlgDeleteNode:
    case DlgDeleteWithFile:
        return nodeName + QStringLiteral(" を削除します");
    default:
        return {};
    }
}

int sjisLength(const QString &text)
{
    int bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            bytes += 2;
            ++i;
            continue;
        }
        const Sjis::Encoded enc = Sjis::encode(QString(c));
        bytes += enc.ok ? int(enc.bytes.size()) : 2;
    }
    return bytes;
}

int windowWidth(const QString &prompt)
{
    return qBound(290, 6 * sjisLength(prompt) + 42, 500);
}

int windowHeight(int mode)
{
    return isDeleteMode(mode) ? 130 : 200;
}

QString removeForbidden(const QString &text, bool *removed)
{
    return NodeNameChars::cleaned(text, removed);
}

OkOutcome pressOk(const OkInput &in)
{
    OkOutcome out;
    out.nameText = in.nameText;
    NodeDialogResult &r = out.result;
    if (!isDeleteMode(in.mode)) {
        bool removed = false;
        const QString name = removeForbidden(SpaceTrim(in.nameText), &removed);
        out.nameText = name;
        if (removed) {
            out.cleaned = true;
            return out;
        }
        if (name == u".") {
            out.nameText.clear();
            return out;
        }
        if (name.isEmpty()) {
            out.focusName = true;
            return out;
        }
        r.name = name;
        switch (in.choice) {
        case ChoiceText:
            r.kind = 1;
            r.name += QStringLiteral(".TXT");
            break;
        case ChoiceRich:
            r.kind = 2;
            r.name += QStringLiteral(".RTF");
            break;
        case ChoiceFolder:
            r.kind = 0;
            break;
        case ChoiceImage:
            r.kind = 3;
            break;
        case ChoiceOle:
            r.kind = 4;
            break;
        }
        r.file = in.file;
    }
    r.ok = true;
    if (in.templateText != noTemplate() && r.kind == 1)
        r.templatePath = TemplatePath(in.templateText);
    out.accepted = true;
    return out;
}

} // namespace NodeDialog
