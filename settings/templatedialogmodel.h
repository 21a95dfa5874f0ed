#pragma once
// The template dialog apart from its widgets: it asks for the name under which the memo
// being edited is registered, or offers the template list for a deletion. Its answer is
// the name (TmpName); "" means the user cancelled.

#include <QString>
#include <QStringList>

struct TemplateDialogRequest {
    bool deleting = false; // false: registration with `suggestion`; true: deletion from `templates`
    QString suggestion;    // registration: the name offered in the name field
    QStringList templates; // deletion: the template list, "なし" first (not offered)
};

namespace TemplateDialog {

// The text of the choice box before anything is chosen; choosing nothing is a cancel.
inline QString chooseTemplate() { return QStringLiteral("様式を指定"); }

QString caption(bool deleting);     // 様式登録 / 様式削除
QString prompt(bool deleting);      // the label above the name or choice
QString actionText(bool deleting);  // 登録 / 削除 on the default button
// The choices a deletion offers: the template list without its item 0.
QStringList choices(const QStringList &templates);
// TmpName for the default button: the typed name when registering; the chosen name when
// deleting, or "" while the choice box still says chooseTemplate().
QString answer(bool deleting, const QString &nameText, const QString &choiceText);

} // namespace TemplateDialog
