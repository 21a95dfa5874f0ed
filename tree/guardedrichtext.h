#pragma once
// A rich-text file shown in the rich-text view: how its bytes fill the view's document
// and go back, with a ContentGuard so that leaving the view never damages the file.
//
// A document the user did not change is written back as the very bytes that were read,
// never in this program's own RTF. A changed document is written as RTF; when the file
// held formatting the reader could not keep (or the document holds something the writer
// cannot write), the user is asked first, and a "no" keeps the file as it is and saves
// the edited document beside it.

#include "tree/contentguard.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QTextDocument;

class GuardedRichText
{
public:
    // Reads the file into the document; false when it does not exist or cannot be read
    // (*error says why for the latter). After false nothing is held, so nothing will be
    // written back.
    bool load(const QString &fsPath, QTextDocument *doc, QString *error = nullptr);
    // Takes bytes already read from the file.
    void loadBytes(const QString &fsPath, const QByteArray &bytes, QTextDocument *doc);
    void clear();
    // The file was renamed or moved by the program: the view now belongs there.
    void retarget(const QString &fsPath) { m_guard.retarget(fsPath); }
    bool isLoaded() const { return m_guard.isLoaded(); }
    QString path() const { return m_guard.path(); }

    // False when the file was not RTF and was read as plain text.
    bool wasRtf() const { return m_rtf; }
    // What the last read could not keep (empty when the document holds the whole file).
    QStringList notKept() const { return m_notKept; }

    struct Result {
        ContentGuard::Result guard; // outcome of the write to the file itself
        QString keptBeside;         // the edited document went to this file instead
    };
    // When the document is untouched and another program changed the file meanwhile, the
    // document takes the file's new content; true when it did.
    bool takeNewContentIfUntouched(QTextDocument *doc);

    // Writes the document back; `what` names the node in messages. The document counts
    // as edited while it is modified (QTextDocument::isModified). After
    // ViewReplaced the document already holds the file's new content.
    Result save(QTextDocument *doc, const QString &what);

private:
    void fill(const QByteArray &bytes, QTextDocument *doc);

    ContentGuard m_guard;
    bool m_rtf = false;
    QStringList m_notKept;
};
