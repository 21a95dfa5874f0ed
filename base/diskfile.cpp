#include "base/diskfile.h"

#include "base/sjiscodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace DiskFile {

ReadResult read(const QString &path)
{
    ReadResult r;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = QStringLiteral("ファイル %1 を開けません。(%2)").arg(path, f.errorString());
        return r;
    }
    r.bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        r.error = QStringLiteral("ファイル %1 を読めません。(%2)").arg(path, f.errorString());
        r.bytes.clear();
        return r;
    }
    r.ok = true;
    return r;
}

bool writeAtomic(const QString &path, const QByteArray &bytes, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = QStringLiteral("ファイル %1 を書き込めません。(%2)").arg(path, why);
        return false;
    };
    const QFileInfo info(path);
    // Write through a link to the file it names, never replace the link itself.
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    const QFileInfo targetInfo(target);
    if (targetInfo.exists() && targetInfo.isDir())
        return fail(QStringLiteral("フォルダーです"));
    // Read-only means no write permission for the owner, also when running as root
    // (which the system itself would let write anything).
    if (targetInfo.exists() && !(targetInfo.permissions() & QFileDevice::WriteOwner))
        return fail(QStringLiteral("読み取り専用です"));

    QSaveFile f(target);
    if (!f.open(QIODevice::WriteOnly))
        return fail(f.errorString());
    if (targetInfo.exists())
        f.setPermissions(QFile::permissions(target));
    if (f.write(bytes) != bytes.size()) {
        const QString why = f.errorString();
        f.cancelWriting();
        return fail(why);
    }
    if (!f.commit())
        return fail(f.errorString());
    return true;
}

bool writeText(const QString &path, const QString &text, QString *error)
{
    const Sjis::Encoded enc = Sjis::encode(text);
    if (!enc.ok) {
        if (error)
            *error = QStringLiteral("ファイル %1 に保存できない文字があります: %2").arg(path, enc.unencodable);
        return false;
    }
    return writeAtomic(path, enc.bytes, error);
}

} // namespace DiskFile
