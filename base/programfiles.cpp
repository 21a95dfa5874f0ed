#include "base/programfiles.h"

#include "base/globals.h"

namespace ProgramFiles {

QString readPath(const QString &relative)
{
    return ExeDir + u'/' + relative;
}

QString writePath(const QString &relative)
{
    return ExeDir + u'/' + relative;
}

} // namespace ProgramFiles
