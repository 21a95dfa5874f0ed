#include "settings/memoextregistry.h"

#include "base/diskfile.h"
#include "base/globals.h"
#include "base/sjiscodec.h"

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
