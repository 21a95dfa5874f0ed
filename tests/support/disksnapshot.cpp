#include "support/disksnapshot.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

QStringList diskSnapshot(const QString &folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir root(folder);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        const QString name = info.fileName();
        if (name.endsWith(QStringLiteral(".Orvan")) || name.endsWith(QStringLiteral(".Ini"), Qt::CaseInsensitive))
            continue;
        QString line = root.relativeFilePath(path);
        if (info.isSymLink()) {
            line += QStringLiteral(" -> ") + info.symLinkTarget();
        } else if (info.isDir()) {
            line += u'/';
        } else {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            line += u'=' + QString::fromLatin1(f.readAll().toPercentEncoding());
        }
        out.append(line);
    }
    std::sort(out.begin(), out.end());
    return out;
}

QStringList movedSnapshot(const QStringList &before, const QString &from, const QString &to)
{
    QStringList out;
    for (const QString &line : before) {
        if (line.startsWith(from + u'/') || line.startsWith(from + u'=') || line.startsWith(from + QStringLiteral(".TMEM=")))
            out.append(to + line.mid(from.size()));
        else
            out.append(line);
    }
    std::sort(out.begin(), out.end());
    return out;
}
