#include "settings/oleiconregistry.h"

#include "base/diskfile.h"
#include "base/inifile.h"
#include "base/programfiles.h"
#include "base/uiport.h"
#include "settings/iconimage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QStringList OleIconExtList;

int OLEImageNo(const QString &upperExt)
{
    const qsizetype row = OleIconExtList.indexOf(upperExt);
    return row < 0 ? 4 : int(row) + 10;
}

namespace OleIconRegistry {

namespace {

const QString kSection = QStringLiteral("OLEIcon");

// A damaged "Count" must not send the loader through millions of missing files.
constexpr int MaxEntries = 4096;

QString iconFileName(int k, const char *suffix)
{
    return QStringLiteral("ExImage%1.%2").arg(k).arg(QLatin1String(suffix));
}

} // namespace

QString commaText(const QString &comment)
{
    if (comment.isEmpty())
        return QStringLiteral("\"\"");
    bool quote = false;
    for (const QChar c : comment)
        if (c.unicode() <= 0x20 || c == u',' || c == u'"')
            quote = true;
    if (!quote)
        return comment;
    QString inner = comment;
    inner.replace(u'"', QStringLiteral("\"\""));
    return u'"' + inner + u'"';
}

QString fromCommaText(const QString &value)
{
    QString out = value;
    out.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return out;
}

QString findResFile(const QString &name)
{
    const QString path = ProgramFiles::readPath(QStringLiteral("Res/") + name);
    if (QFileInfo(path).isFile())
        return path;
    const QFileInfo info(path);
    const QStringList entries = info.dir().entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return info.dir().filePath(entry);
    return {};
}

QImage iconOf(int k)
{
    for (const QString &name : {iconFileName(k, "ico"), QStringLiteral("NULL.ico")}) {
        const QString path = findResFile(name);
        if (path.isEmpty())
            continue;
        const DiskFile::ReadResult r = DiskFile::read(path);
        const QImage image = r.ok ? IconImage::fromIconFile(r.bytes) : QImage();
        if (!image.isNull())
            return image;
    }
    return {};
}

QList<OleIconEntry> load()
{
    QList<OleIconEntry> entries;
    const QString path = ProgramFiles::readPath(QLatin1String(FileName));
    if (!QFileInfo(path).isFile())
        return entries;
    const IniFile ini(path);
    const int count = qMin(ini.readInteger(kSection, QStringLiteral("Count"), -1), MaxEntries);
    for (int k = 1; k <= count; ++k) {
        OleIconEntry e;
        e.ext = ini.readString(kSection, QStringLiteral("Ext%1").arg(k));
        e.comment = fromCommaText(ini.readString(kSection, QStringLiteral("Exp%1").arg(k)));
        e.icon = iconOf(k);
        entries.append(e);
    }
    return entries;
}

bool save(const QList<OleIconEntry> &entries, QString *error)
{
    const QString iniPath = ProgramFiles::writePath(QLatin1String(FileName));
    const QDir res = QFileInfo(iniPath).dir();
    auto fail = [&](const QStringList &staged, const QString &why) {
        for (const QString &s : staged)
            QFile::remove(s);
        if (error)
            *error = why;
        return false;
    };

    QDir().mkpath(res.path());

    // 1. The new icons beside the old ones, under names no reader looks at.
    QStringList staged;
    QList<int> stagedNumbers;
    for (int k = 1; k <= entries.size(); ++k) {
        const QByteArray bytes = IconImage::toIconFile(entries.at(k - 1).icon);
        if (bytes.isEmpty())
            continue; // no picture: the entry shows the placeholder, as it did
        const QString temp = res.filePath(QStringLiteral(".~") + iconFileName(k, "Ico"));
        QString why;
        if (!DiskFile::writeAtomic(temp, bytes, &why))
            return fail(staged, why);
        staged.append(temp);
        stagedNumbers.append(k);
    }

    // 2. The registry file: the point from which the new registry counts.
    IniFile ini(iniPath);
    QString why;
    bool ok = ini.writeInteger(kSection, QStringLiteral("Count"), int(entries.size()), &why);
    for (int k = 1; ok && k <= entries.size(); ++k) {
        const OleIconEntry &e = entries.at(k - 1);
        ok = ini.writeString(kSection, QStringLiteral("Ext%1").arg(k), e.ext.toUpper(), &why)
             && ini.writeStored(kSection, QStringLiteral("Exp%1").arg(k), commaText(e.comment), &why);
    }
    if (!ok)
        return fail(staged, iniPath + QStringLiteral(" に書き込めません: ") + why);
    if (!ini.save(&why))
        return fail(staged, why);

    // 3. The old icon files give way to the renumbered ones.
    const QStringList old = res.entryList({QStringLiteral("ExImage*.*")}, QDir::Files | QDir::Hidden | QDir::System);
    if (old.isEmpty())
        ui().showMessage(QStringLiteral("削除ファイルなし"));
    QStringList problems;
    for (const QString &name : old)
        if (!QFile::remove(res.filePath(name)))
            problems.append(res.filePath(name) + QStringLiteral(" を削除できません。"));
    for (int i = 0; i < staged.size(); ++i) {
        const QString target = res.filePath(iconFileName(stagedNumbers.at(i), "Ico"));
        if (!QFile::rename(staged.at(i), target)) {
            QFile::remove(staged.at(i));
            problems.append(target + QStringLiteral(" を書き込めません。"));
        }
    }
    if (!problems.isEmpty()) {
        if (error)
            *error = problems.join(u'\r');
        return false;
    }
    return true;
}

} // namespace OleIconRegistry
