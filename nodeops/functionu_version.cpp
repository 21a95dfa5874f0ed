// FileVerGet: the file version of a program file.

#include "nodeops/functionu.h"

#include "nodeops/peresources.h"

#include <QFileInfo>

namespace {

// The running program's executable. Linux executables carry no version resource, so
// the program answers for its own file with the version the build gave it.
bool isOwnExecutable(const QString &path)
{
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return !self.isEmpty() && QFileInfo(path).canonicalFilePath() == self;
}

} // namespace

QString FileVerGet(const QString &path)
{
    constexpr int MaxLength = 256;
    if (path.isEmpty())
        return {};
    if (isOwnExecutable(path))
        return QStringLiteral(ORVANE_VERSION).left(MaxLength);
    return PeResources::fileVersionOf(path).left(MaxLength);
}
