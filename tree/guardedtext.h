#pragma once
// A plain-text file shown in an editable view (a memo, a comment side file): how its
// bytes become the view's text and back, with a ContentGuard so that leaving the view
// never damages the file.
//
// Files are Shift-JIS with CR LF. A file that Sjis::readsAsUtf8 takes for UTF-8
// (written by another program) is shown as UTF-8 and, when edited, saved in UTF-8 again:
// a file is always written in the encoding it was read in. The view holds
// "\n" line breaks; writing turns them into CR LF and adds none at the end.

#include "base/sjiscodec.h"
#include "tree/contentguard.h"

#include <QByteArray>
#include <QString>

class GuardedText
{
public:
    enum class Form { ShiftJis, Utf8 };

    // The view's text for file bytes (up to the first NUL, line breaks "\n"), and the
    // form the bytes are in.
    static QString textOf(const QByteArray &bytes, Form *form = nullptr);
    // Only the form textOf would find, without decoding: for readers that copy Shift-JIS
    // bytes as they are (the bulk export).
    static Form formOf(const QByteArray &bytes);
    // The file's bytes for the view's text in that form; not ok when Shift-JIS cannot
    // hold some character (Encoded::unencodable names them).
    static Sjis::Encoded bytesOf(const QString &viewText, Form form);

    // Reads the file; false when it does not exist or cannot be read (*error says why
    // for the latter). After false nothing is held, so nothing will be written back.
    bool load(const QString &fsPath, QString *error = nullptr);
    // Takes bytes already read from the file.
    void loadBytes(const QString &fsPath, const QByteArray &bytes);
    void clear();
    // The file was renamed or moved by the program: the view now belongs there.
    void retarget(const QString &fsPath) { m_guard.retarget(fsPath); }
    bool isLoaded() const { return m_guard.isLoaded(); }
    QString path() const { return m_guard.path(); }
    Form form() const { return m_form; }

    // The text to put in the view.
    QString text() const { return m_text; }
    // The text as the view holds it right after being filled (a view may turn some
    // characters into others); a view still holding it has not been edited.
    void setShown(const QString &viewText) { m_shown = viewText; }

    // When the view still holds what it was filled with and another program changed the
    // file, takes the file's new content (text() then holds it) and returns true.
    bool takeNewContentIfUntouched(const QString &viewText);

    // Writes the view back through the guard; `what` names the node in messages.
    // After ViewReplaced, text() holds the file's new content for the view.
    ContentGuard::Result save(const QString &viewText, const QString &what);

private:
    ContentGuard m_guard;
    Form m_form = Form::ShiftJis;
    QString m_text;
    QString m_shown;
};
