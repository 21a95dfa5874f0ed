#include "base/history.h"

#include "base/diskfile.h"
#include "base/sjiscodec.h"

#include <QFileInfo>

namespace TreeHistory {

QString newestCaption()
{
    return QStringLiteral("最新");
}

QString fileName()
{
    return QStringLiteral("Orvan履歴.Ini");
}

QStringList load(const QString &file, const QString &startTree, int historyCount)
{
    if (!QFileInfo::exists(file)) {
        // A failure to create it is reported by the settings write that follows.
        save(file, {startTree});
        return {startTree};
    }
    QStringList items;
    const DiskFile::ReadResult read = DiskFile::read(file);
    for (const QString &line : Sjis::decodeLines(read.bytes)) {
        if (!QFileInfo(line).isFile())
            continue;
        // The first existing entry always has its place: it is the menu's fixed item.
        if (!items.isEmpty() && items.size() + 1 > historyCount)
            break;
        items.append(line);
    }
    if (items.isEmpty())
        items.append(newestCaption());
    return items;
}

void add(QStringList &items, const QString &path, int historyCount)
{
    const qsizetype found = items.lastIndexOf(path);
    if (found == 0)
        return;
    qsizetype last = found;
    if (found < 0) {
        if (items.size() < historyCount)
            items.append(QString());
        last = items.size() - 1;
    }
    for (qsizetype i = last; i > 0; --i)
        items[i] = items[i - 1];
    if (items.isEmpty())
        items.append(path);
    else
        items[0] = path;
}

bool save(const QString &file, const QStringList &items, QString *error)
{
    QStringList lines;
    QStringList dropped;
    for (const QString &item : items) {
        if (Sjis::encode(item).ok)
            lines.append(item);
        else
            dropped.append(item);
    }
    QString writeError;
    const bool written = DiskFile::writeText(file, Sjis::joinLinesCrLf(lines), &writeError);
    if (error) {
        error->clear();
        if (!written)
            *error = writeError;
        else if (!dropped.isEmpty())
            *error = QStringLiteral("履歴ファイル %1 に保存できない文字を含むパスは記録しません: %2")
                         .arg(file, dropped.join(QStringLiteral("、")));
    }
    return written && dropped.isEmpty();
}

} // namespace TreeHistory
