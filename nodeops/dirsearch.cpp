#include "nodeops/dirsearch.h"

#include "nodeops/fsentry.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace DirSearch {

namespace {

// Glob over whole characters: "*" any run, "?" one character.
bool glob(const QList<uint> &name, const QList<uint> &pat)
{
    qsizetype n = 0, p = 0;
    qsizetype starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pat.size() && (pat[p] == '?' || (pat[p] != '*' && pat[p] == name[n]))) {
            ++n;
            ++p;
        } else if (p < pat.size() && pat[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pat.size() && pat[p] == '*')
        ++p;
    return p == pat.size();
}

bool globFolded(const QString &name, const QString &pattern)
{
    return glob(name.toCaseFolded().toUcs4(), pattern.toCaseFolded().toUcs4());
}

// "." and ".." are met by the whole-folder patterns ("*", "*.*", "*." and the like).
bool meetsDotEntries(const QString &pattern)
{
    if (!pattern.contains(u'*'))
        return false;
    for (QChar c : pattern)
        if (c != u'*' && c != u'.' && c != u'?')
            return false;
    return true;
}

struct Raw {
    QString name;
    FsEntry::Type type;
};

// Reads the folder in file-system order; false when it cannot be opened.
bool readFolder(const QString &folder, QList<Raw> *out)
{
    const QByteArray path = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    DIR *dir = ::opendir(path.constData());
    if (!dir)
        return false;
    const int fd = ::dirfd(dir);
    while (const dirent *d = ::readdir(dir)) {
        Raw raw{QFile::decodeName(d->d_name), FsEntry::Type::None};
        struct stat st;
        if (::fstatat(fd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            if (S_ISDIR(st.st_mode))
                raw.type = FsEntry::Type::Folder;
            else if (S_ISLNK(st.st_mode))
                raw.type = FsEntry::Type::Link;
            else if (S_ISREG(st.st_mode))
                raw.type = FsEntry::Type::File;
            else
                raw.type = FsEntry::Type::Special;
        }
        out->append(raw);
    }
    ::closedir(dir);
    return true;
}

bool isDotEntry(const QString &name)
{
    return name == u"." || name == u"..";
}

} // namespace

bool hasWildcards(const QString &name)
{
    return name.contains(u'*') || name.contains(u'?');
}

bool matches(const QString &name, const QString &pattern)
{
    if (!hasWildcards(pattern))
        return name == pattern;
    if (pattern.endsWith(u'.'))
        return !name.contains(u'.') && globFolded(name, pattern.chopped(1));
    if (pattern.endsWith(QStringLiteral(".*")) && globFolded(name, pattern.chopped(2)))
        return true;
    return globFolded(name, pattern);
}

Result search(const QString &folder, const QString &pattern, Want want)
{
    Result result;
    QList<Raw> raw;
    if (!readFolder(folder, &raw))
        return result; // NoFolder
    bool met = false;
    for (const Raw &r : raw) {
        if (isDotEntry(r.name)) {
            met = met || meetsDotEntries(pattern);
            continue;
        }
        if (!matches(r.name, pattern))
            continue;
        met = true;
        if (r.type == FsEntry::Type::None || r.type == FsEntry::Type::Special || FsEntry::isHiddenName(r.name))
            continue;
        const bool isFolder = r.type == FsEntry::Type::Folder;
        if (isFolder && want == Want::Files)
            continue;
        result.entries.append(Entry{r.name, isFolder});
    }
    result.status = met ? Done : NoMatch;
    return result;
}

std::optional<Entry> firstMatch(const QString &folder, const QString &pattern)
{
    QList<Raw> raw;
    if (!readFolder(folder, &raw))
        return std::nullopt;
    for (const Raw &r : raw)
        if (!isDotEntry(r.name) && matches(r.name, pattern))
            return Entry{r.name, r.type == FsEntry::Type::Folder};
    return std::nullopt;
}

QString folderPart(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return {};
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString namePart(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

} // namespace DirSearch
