#include "tree/contentguard.h"

#include "base/diskfile.h"
#include "base/uiport.h"

#include <QDir>
#include <QFileInfo>

ContentGuard::Disk ContentGuard::Disk::read(const QString &fsPath)
{
    Disk disk;
    const QFileInfo info(fsPath);
    disk.exists = info.exists() || info.isSymLink();
    if (!disk.exists)
        return disk;
    const DiskFile::ReadResult r = DiskFile::read(fsPath);
    disk.readable = r.ok;
    disk.bytes = r.bytes;
    disk.error = r.error;
    return disk;
}

void ContentGuard::load(const QString &fsPath, const QByteArray &bytes)
{
    m_path = fsPath;
    m_original = bytes;
    m_loaded = true;
}

void ContentGuard::clear()
{
    m_path.clear();
    m_original.clear();
    m_loaded = false;
}

ContentGuard::Decision ContentGuard::decide(const View &view, const Disk &disk) const
{
    if (!m_loaded)
        return {Action::Nothing, {}};
    if (disk.exists && !disk.readable)
        return {Action::Unreadable, {}};
    const bool diskChanged = !disk.exists || disk.bytes != m_original;

    if (!view.edited) {
        if (!disk.exists)
            return {Action::Write, m_original};
        if (diskChanged)
            return {Action::TakeDisk, {}};
        if (view.encodable && view.bytes == m_original)
            return {Action::Write, m_original};
        return {Action::Nothing, {}};
    }

    if (diskChanged && disk.exists && !(view.encodable && disk.bytes == view.bytes))
        return {Action::Ask, {}};
    if (!view.encodable)
        return {Action::Refuse, {}};
    return {Action::Write, view.bytes};
}

namespace {

void reportRefusal(const QString &what, const QString &fsPath, const QString &chars)
{
    ui().reportError(QStringLiteral("%1 に Shift-JIS で保存できない文字があるため、保存していません: %2\r"
                                    "その文字を直してから、もう一度ノードを移ってください。\r%3")
                         .arg(what, chars, fsPath));
}

bool write(const QString &fsPath, const QByteArray &bytes)
{
    QString error;
    if (DiskFile::writeAtomic(fsPath, bytes, &error))
        return true;
    ui().reportError(error);
    return false;
}

} // namespace

ContentGuard::Result ContentGuard::save(const View &view, const QString &what)
{
    Result result;
    if (!m_loaded)
        return result;
    const Disk disk = Disk::read(m_path);
    const Decision decision = decide(view, disk);
    switch (decision.action) {
    case Action::Nothing:
        return result;
    case Action::Write:
        if (!write(m_path, decision.bytes)) {
            // A file that already holds these bytes (a read-only file left untouched)
            // loses nothing: the view may be left.
            if (!(disk.exists && disk.bytes == decision.bytes))
                result.outcome = Outcome::Failed;
            return result;
        }
        m_original = decision.bytes;
        result.outcome = Outcome::Written;
        result.recreated = !disk.exists;
        return result;
    case Action::TakeDisk:
        m_original = disk.bytes;
        result.outcome = Outcome::ViewReplaced;
        result.viewBytes = disk.bytes;
        return result;
    case Action::Refuse:
        reportRefusal(what, m_path, view.unencodable);
        result.outcome = Outcome::Refused;
        return result;
    case Action::Unreadable:
        ui().reportError(disk.error);
        result.outcome = Outcome::Failed;
        return result;
    case Action::Ask:
        break;
    }

    const bool keepEdits = ui().askKeepEditsOverChangedFile(m_path, what);
    if (keepEdits && !view.encodable) {
        reportRefusal(what, m_path, view.unencodable);
        result.outcome = Outcome::Refused;
        return result;
    }
    const QString beside = besidePath(m_path, QDateTime::currentDateTime());
    // The version leaving the file is kept first, so a failure after it loses nothing.
    const QByteArray leaving = keepEdits ? disk.bytes : (view.encodable ? view.bytes : view.keepBytes);
    if (!write(beside, leaving)) {
        result.outcome = Outcome::Failed;
        return result;
    }
    result.keptBeside = beside;
    if (keepEdits) {
        if (!write(m_path, view.bytes)) {
            result.outcome = Outcome::Failed;
            return result;
        }
        m_original = view.bytes;
        result.outcome = Outcome::Written;
    } else {
        m_original = disk.bytes;
        result.outcome = Outcome::ViewReplaced;
        result.viewBytes = disk.bytes;
    }
    return result;
}

QString ContentGuard::noticeOf(const Result &result, const QString &what, const QString &fsPath)
{
    const QString file = QDir::toNativeSeparators(fsPath);
    if (result.recreated)
        return QStringLiteral("%1 のファイルは他のプログラムで削除されていたため、表示していた内容で作り直しました。\r%2")
            .arg(what, file);
    if (result.outcome == Outcome::ViewReplaced && result.keptBeside.isEmpty())
        return QStringLiteral("%1 のファイルは他のプログラムで変更されていたため、上書きせずに変更後の内容を読み込みました。\r%2")
            .arg(what, file);
    return {};
}

QString ContentGuard::besidePath(const QString &fsPath, const QDateTime &when)
{
    const QFileInfo info(fsPath);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString ext = dot > 0 ? name.mid(dot) : QString();
    const QString stamp = when.toString(QStringLiteral("yyyy-MM-dd HHmmss"));
    const QString folder = info.absolutePath() + u'/';
    for (int n = 1;; ++n) {
        const QString suffix = n == 1 ? QString() : QStringLiteral(" %1").arg(n);
        const QString candidate = folder + QStringLiteral("%1 (競合 %2%3)%4").arg(stem, stamp, suffix, ext);
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}
