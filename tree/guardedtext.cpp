#include "tree/guardedtext.h"

#include "base/diskfile.h"

#include <QFileInfo>

namespace {

QString toViewBreaks(const QString &text)
{
    QString t = Sjis::normalizeCrLf(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

} // namespace

QString GuardedText::textOf(const QByteArray &bytes, Form *form)
{
    const QByteArray text = Sjis::beforeNul(bytes);
    const bool utf8 = formOf(text) == Form::Utf8;
    if (form)
        *form = utf8 ? Form::Utf8 : Form::ShiftJis;
    return toViewBreaks(utf8 ? Sjis::decodeUtf8(text) : Sjis::decode(text));
}

GuardedText::Form GuardedText::formOf(const QByteArray &bytes)
{
    // Much UTF-8 also decodes as Shift-JIS and some Shift-JIS is valid UTF-8; the codec
    // decides by which reading is text, and Shift-JIS wins every doubt.
    return Sjis::readsAsUtf8(Sjis::beforeNul(bytes)) ? Form::Utf8 : Form::ShiftJis;
}

Sjis::Encoded GuardedText::bytesOf(const QString &viewText, Form form)
{
    const QString text = Sjis::normalizeCrLf(viewText);
    if (form == Form::Utf8) {
        Sjis::Encoded out;
        out.bytes = Sjis::encodeUtf8(text);
        return out;
    }
    return Sjis::encode(text);
}

bool GuardedText::load(const QString &fsPath, QString *error)
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
    loadBytes(fsPath, r.bytes);
    return true;
}

void GuardedText::loadBytes(const QString &fsPath, const QByteArray &bytes)
{
    m_guard.load(fsPath, bytes);
    m_text = textOf(bytes, &m_form);
    m_shown = m_text;
}

void GuardedText::clear()
{
    m_guard.clear();
    m_form = Form::ShiftJis;
    m_text.clear();
    m_shown.clear();
}

bool GuardedText::takeNewContentIfUntouched(const QString &viewText)
{
    if (!isLoaded() || viewText != m_shown)
        return false;
    ContentGuard::View view; // untouched: only the file's change matters
    const ContentGuard::Disk disk = ContentGuard::Disk::read(path());
    if (m_guard.decide(view, disk).action != ContentGuard::Action::TakeDisk)
        return false;
    loadBytes(path(), disk.bytes);
    return true;
}

ContentGuard::Result GuardedText::save(const QString &viewText, const QString &what)
{
    ContentGuard::View view;
    view.edited = viewText != m_shown;
    const Sjis::Encoded encoded = bytesOf(viewText, m_form);
    view.encodable = encoded.ok;
    view.bytes = encoded.bytes;
    view.unencodable = encoded.unencodable;
    if (!encoded.ok)
        view.keepBytes = bytesOf(viewText, Form::Utf8).bytes;

    const ContentGuard::Result result = m_guard.save(view, what);
    if (result.outcome == ContentGuard::Outcome::ViewReplaced)
        loadBytes(m_guard.path(), result.viewBytes);
    else if (result.outcome == ContentGuard::Outcome::Written)
        m_shown = viewText; // the file now holds the view: it counts as unedited again
    return result;
}
