#include "nodeops/copyname.h"

namespace CopyName {

QString numbered(const QString &base, const QString &ext, int n)
{
    QString name = base + QStringLiteral("のCopy");
    if (n >= 2)
        name += QString::number(n);
    return name + u'.' + ext;
}

QString firstFree(const QString &base, const QString &ext, const std::function<bool(const QString &)> &taken)
{
    QString name = numbered(base, ext, 1);
    for (int n = 2; taken(name); ++n)
        name = numbered(base, ext, n);
    return name;
}

} // namespace CopyName
