#include "tree/commentheader.h"

#include "base/sjiscodec.h"
#include "nodeops/functionu.h"

#include <QStringList>

QString commentFilePath(const QString &nodeFsPath)
{
    return nodeFsPath + QStringLiteral(".TMEM");
}

QString commentHeaderText(const QString &fileName, const QString &userName, const QDate &today)
{
    const QString rule(20, u'-');
    const QString date = DateYMDSlash(today.startOfDay());
    return Sjis::joinLinesCrLf({
        QStringLiteral("[コメント]"),
        QString(),
        QString(),
        rule,
        QStringLiteral("[DATE]"),
        QStringLiteral(" 作成日付=") + date,
        QStringLiteral(" 取込日付=") + date,
        QStringLiteral("[FILE]"),
        QStringLiteral(" ファイル名=") + fileName,
        QStringLiteral(" 作成者=") + userName,
        rule,
    });
}
