#include "settings/memoextregistry.h"

#include "base/diskfile.h"
#include "base/globals.h"
#include "base/sjiscodec.h"

#include <QDir>
#include <QFileInfo>

QStringList MemoExtReadEntries(const QString &path)
{
    const DiskFile::ReadResult r = DiskFile::read(path);
    if (!r.ok)
        return {};
    return Sjis::decodeLines(r.bytes);
}

void MemoExtLoad(const QString &path)
{
    WorkList = MemoExtReadEntries(path);
    MemoExtList.clear();
    for (const QString &line : std::as_const(WorkList)) {
        const qsizetype eq = line.indexOf(u'=');
        MemoExtList.append(eq < 0 ? QString() : line.left(eq));
    }
    WorkList.clear();
}

QString MemoExtRefusal(const QString &ext)
{
    if (ext.isEmpty())
        return QStringLiteral("拡張子を入力して下さい");
    if (ext.contains(u'.') || ext.contains(u'='))
        return QStringLiteral("拡張子に｢.｣と｢=｣は使えません");
    return {};
}

bool MemoExtWriteEntries(const QString &path, const QStringList &entries, QString *error)
{
    QString text;
    for (const QString &line : entries)
        text += line + QStringLiteral("\r\n");
    QDir().mkpath(QFileInfo(path).absolutePath());
    return DiskFile::writeText(path, text, error);
}
