#pragma once
// The node dialog apart from its widgets: the calling protocol shared by the commands
// that add and delete nodes, what each mode shows, how wide the window is, and what an
// OK makes of the typed name. The dialog itself changes nothing on disk or in the tree.
//
// Calling protocol: set DlgMode, call ShowNodeDialog(), then read DlgOK. The add modes go
// on only when DlgOK is set and DlgName is not empty; the delete modes go on when DlgOK is
// set. DlgName, DlgKind, DlgTemplate and DlgFile say what was chosen.

#include <QString>
#include <QStringList>

// Values of DlgMode.
enum NodeDialogMode {
    DlgAddNode = 1,        // ﾉｰﾄﾞ追加
    DlgAddChildNode = 2,   // 子ﾉｰﾄﾞ追加
    DlgInsertNode = 3,     // ﾉｰﾄﾞ挿入
    DlgDeleteNode = 5,     // ﾉｰﾄﾞ削除(ﾉｰﾄﾞのみ)
    DlgDeleteWithFile = 6, // ﾉｰﾄﾞ削除(ﾉｰﾄﾞ+ファイル)
};

// The kind buttons of the dialog, in their order on screen.
enum NodeDialogKindChoice {
    ChoiceText = 0,   // ﾃｷｽﾄ
    ChoiceRich = 1,   // ﾘｯﾁﾃｷｽﾄ
    ChoiceFolder = 2, // ﾌｫﾙﾀﾞｰ
    ChoiceImage = 3,  // 画像
    ChoiceOle = 4,    // OLE
};

// What a caller hands to the dialog.
struct NodeDialogRequest {
    int mode = DlgAddNode;
    QString nodeName;      // the current node, named in the delete prompt
    QStringList templates; // the template list: "なし", then the template names
};

// What the dialog hands back. Cancel gives the default value.
struct NodeDialogResult {
    bool ok = false;      // closed through an accepted OK
    QString name;         // the node name with the extension the kind adds; "" when deleting
    int kind = 0;         // 0 folder, 1 text memo, 2 rich text, 3 image, 4 OLE; 0 when deleting
    QString templatePath; // the template to copy for a new text memo, or ""
    QString file;         // the picked source file of an image or OLE node, or ""
};

// Program-wide results of the last showing, and the mode of the next one.
extern int DlgMode;
extern bool DlgOK;
extern QString DlgName;
extern int DlgKind;
extern QString DlgTemplate;
extern QString DlgFile;

// Shows the node dialog through the UI port in DlgMode, for the current node, with the
// template list, and sets DlgOK, DlgName, DlgKind, DlgTemplate and DlgFile.
void ShowNodeDialog();

namespace NodeDialog {

// The text of the template box that means "no template"; item 0 of the template list.
inline QString noTemplate() { return QStringLiteral("なし"); }
// Shown in the status bar while a file must be picked.
inline QString pickFilePrompt() { return QStringLiteral("ﾌｧｲﾙを指定して下さい"); }
// Shown when OK removed characters a file name may not hold.
QString cleanedMessage();

bool isDeleteMode(int mode);
bool isFileKindChoice(int choice); // 画像 or OLE: the name comes from a picked file

QString caption(int mode);
QString prompt(int mode, const QString &nodeName);

// Bytes the text takes in Shift-JIS (a character Shift-JIS lacks counts as two).
int sjisLength(const QString &text);
// 6 pixels per byte of the prompt plus 42, kept between 290 and 500.
int windowWidth(const QString &prompt);
// 200 pixels when a name is asked for, 130 when a deletion is confirmed.
int windowHeight(int mode);

// The text without the characters a file name may not hold: \ / : * ? " < > |.
// Only these half-width characters go; full-width look-alikes stay.
QString removeForbidden(const QString &text, bool *removed = nullptr);

// The dialog's state when OK is pressed.
struct OkInput {
    int mode = DlgAddNode;
    QString nameText;     // the name field
    int choice = ChoiceText;
    QString templateText; // the template box
    QString file;         // the picked file, or ""
};

// What OK does with it: either the dialog closes with `result`, or it stays open with
// `nameText` in the name field (after showing cleanedMessage() when `cleaned`).
struct OkOutcome {
    bool accepted = false;
    QString nameText;
    bool cleaned = false;
    bool focusName = false; // an empty name: the focus goes back into the name field
    NodeDialogResult result;
};
OkOutcome pressOk(const OkInput &in);

} // namespace NodeDialog
