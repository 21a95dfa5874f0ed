#include "support/nodefiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

HeldFile::HeldFile(const QString &path)
    : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC))
{
    if (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

HeldFile::~HeldFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QByteArray bmpBytes()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QStringList diskListing(const TestDir &dir, const QString &relative)
{
    QStringList out;
    const QDir folder(dir.file(relative));
    const auto entries = folder.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                              QDir::Name);
    for (const QFileInfo &info : entries) {
        const QString name = info.fileName();
        if (name.endsWith(QStringLiteral(".Orvan")) || name.endsWith(QStringLiteral(".Ini"), Qt::CaseInsensitive))
            continue;
        if (info.isDir() && !info.isSymLink()) {
            out.append(name + u'/');
            for (const QString &inner : diskListing(dir, relative + u'/' + name))
                out.append(name + u'/' + inner);
        } else {
            out.append(name);
        }
    }
    return out;
}

NodeDialogResult confirmedDialog()
{
    NodeDialogResult r;
    r.ok = true;
    return r;
}
