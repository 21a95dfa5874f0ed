#include "support/testdir.h"

#include "base/sjiscodec.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

TestDir::TestDir() = default;

void TestDir::createFile(const QString &relative, const QByteArray &bytes) const
{
    const QString full = file(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

void TestDir::createSjisFile(const QString &relative, const QString &text) const
{
    createFile(relative, sjis(text));
}

void TestDir::createDir(const QString &relative) const
{
    QDir().mkpath(file(relative));
}

QByteArray TestDir::read(const QString &relative) const
{
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TestDir::exists(const QString &relative) const
{
    return QFileInfo::exists(file(relative));
}

QString TestDir::makeExeDir(const QString &relative) const
{
    const QString exeDir = file(relative);
    const QString source = QStringLiteral(ORVANE_SOURCE_DIR "/Res");
    QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = exeDir + QStringLiteral("/Res/") + QDir(source).relativeFilePath(from);
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::copy(from, to);
    }
    QDir().mkpath(exeDir);
    return exeDir + QStringLiteral("/orvane");
}

QByteArray sjis(const QString &text)
{
    return Sjis::encode(text).bytes;
}
