#include "tree/guardedrichtext.h"

#include "base/diskfile.h"
#include "base/uiport.h"
#include "tree/rtfreader.h"
#include "tree/rtfwriter.h"

#include <QFileInfo>
#include <QTextDocument>

bool GuardedRichText::load(const QString &fsPath, QTextDocument *doc, QString *error)
{
    clear();
    if (!QFileInfo(fsPath).isFile())
        return false;
    const DiskFile::ReadResult r = DiskFile::read(fsPath);
    if (!r.ok) {
        if (error)
            *error = r.error;
        return false;
    }
    loadBytes(fsPath, r.bytes, doc);
    return true;
}

void GuardedRichText::loadBytes(const QString &fsPath, const QByteArray &bytes, QTextDocument *doc)
{
    m_guard.load(fsPath, bytes);
    fill(bytes, doc);
}

void GuardedRichText::fill(const QByteArray &bytes, QTextDocument *doc)
{
    const Rtf::ReadResult r = Rtf::read(bytes, doc);
    m_rtf = r.rtf;
    m_notKept = r.notKept;
}

void GuardedRichText::clear()
{
    m_guard.clear();
    m_rtf = false;
    m_notKept.clear();
}

bool GuardedRichText::takeNewContentIfUntouched(QTextDocument *doc)
{
    if (!isLoaded() || doc->isModified())
        return false;
    const ContentGuard::View untouched; // only the file's change matters
    const ContentGuard::Disk disk = ContentGuard::Disk::read(path());
    if (m_guard.decide(untouched, disk).action != ContentGuard::Action::TakeDisk)
        return false;
    loadBytes(path(), disk.bytes, doc);
    return true;
}

GuardedRichText::Result GuardedRichText::save(QTextDocument *doc, const QString &what)
{
    Result result;
    if (!m_guard.isLoaded())
        return result;

    ContentGuard::View view;
    view.edited = doc->isModified();
    if (!view.edited) {
        view.bytes = m_guard.original(); // never rewritten into another form
    } else {
        const Rtf::WriteResult written = Rtf::write(*doc);
        view.bytes = written.bytes;
        QStringList lost = m_notKept;
        for (const QString &name : written.notWritten)
            if (!lost.contains(name))
                lost.append(name);
        if (!lost.isEmpty() && !ui().askOverwriteLosingFormat(m_guard.path(), what, lost)) {
            // The file stays as it is; the user's edits go to a file beside it.
            const QString beside = ContentGuard::besidePath(m_guard.path(), QDateTime::currentDateTime());
            QString error;
            if (!DiskFile::writeAtomic(beside, written.bytes, &error)) {
                ui().reportError(error);
                result.guard.outcome = ContentGuard::Outcome::Failed;
                return result;
            }
            doc->setModified(false);
            result.keptBeside = beside;
            return result;
        }
    }

    result.guard = m_guard.save(view, what);
    switch (result.guard.outcome) {
    case ContentGuard::Outcome::Written:
        if (view.edited) {
            m_rtf = true;
            m_notKept.clear(); // the file now holds exactly what the document says
            doc->setModified(false);
        }
        break;
    case ContentGuard::Outcome::ViewReplaced:
        fill(result.guard.viewBytes, doc);
        break;
    default:
        break;
    }
    return result;
}
