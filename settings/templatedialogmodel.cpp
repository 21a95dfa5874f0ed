#include "settings/templatedialogmodel.h"

namespace TemplateDialog {

QString caption(bool deleting)
{
    return deleting ? QStringLiteral("様式削除") : QStringLiteral("様式登録");
}

QString prompt(bool deleting)
{
    return deleting ? QStringLiteral("削除する、様式名を選択して下さい") : QStringLiteral("様式名を入力して下さい");
}

QString actionText(bool deleting)
{
    return deleting ? QStringLiteral("削除") : QStringLiteral("登録");
}

QStringList choices(const QStringList &templates)
{
    return templates.mid(1);
}

QString answer(bool deleting, const QString &nameText, const QString &choiceText)
{
    if (!deleting)
        return nameText;
    return choiceText == chooseTemplate() ? QString() : choiceText;
}

} // namespace TemplateDialog
