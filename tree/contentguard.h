#pragma once
// Writing a view back to the file it was filled from without losing anything.
//
// The content of a node is written back whenever the user leaves it, changed or not.
// That is only safe while the file still holds what the view was filled from and the
// view can say it in the file's own bytes. The guard remembers those bytes; when the
// view is to be written it compares them with the file as it is now and with what the
// view would write, and decides: write, leave the file alone, let the view take the
// file's new content, refuse, or ask the user when both the view and the file
// changed (the version not chosen is then kept in a file beside).
//
// It knows nothing about the view: the caller turns the view into bytes (plain text,
// rich text, ...) and says whether the user changed it.

#include <QByteArray>
#include <QDateTime>
#include <QString>

class ContentGuard
{
public:
    // The view at the moment it is written back.
    struct View {
        bool edited = false;   // the user changed the view since it was filled
        bool encodable = true; // the view can be said in the file's bytes
        QByteArray bytes;      // what the view would write (when encodable)
        QByteArray keepBytes;  // when !encodable: the view in a form that holds every character
        QString unencodable;   // when !encodable: the characters the file's form cannot hold
    };

    // The file as it is now.
    struct Disk {
        bool exists = false;
        bool readable = true;
        QByteArray bytes;
        QString error; // when !readable
        static Disk read(const QString &fsPath);
    };

    enum class Action {
        Nothing,    // leave the file alone
        Write,      // write Decision::bytes to the file
        TakeDisk,   // the file changed and the view did not: the view shows the file's bytes
        Ask,        // both changed: the user chooses which version stays in the file
        Refuse,     // the user's text cannot be said in the file's bytes
        Unreadable, // the file exists but cannot be read to compare
    };
    struct Decision {
        Action action = Action::Nothing;
        QByteArray bytes; // for Write
    };

    // The view was filled from these bytes of this file.
    void load(const QString &fsPath, const QByteArray &bytes);
    // The view holds nothing that belongs to a file: nothing will be written.
    void clear();
    // The file was renamed or moved with the view's knowledge: keep guarding it there.
    void retarget(const QString &fsPath)
    {
        if (m_loaded)
            m_path = fsPath;
    }
    bool isLoaded() const { return m_loaded; }
    QString path() const { return m_path; }
    QByteArray original() const { return m_original; }

    // The rule, without touching the disk:
    // - not edited: write only the very bytes that were read (the file is rewritten on
    //   every leave, and a file the view cannot say exactly is never touched); when the
    //   file changed meanwhile the view takes the new content; a file deleted meanwhile
    //   is created again with what was read;
    // - edited: write the view, unless the file changed meanwhile (ask) or the view
    //   cannot be said in the file's bytes (refuse).
    Decision decide(const View &view, const Disk &disk) const;

    enum class Outcome {
        Unchanged,    // nothing written
        Written,      // the file holds the view's bytes
        ViewReplaced, // the view must now show Result::viewBytes (the file's content)
        Refused,      // the view's text cannot be written; reported; the view must stay
        Failed,       // reading or writing failed; reported; the view must stay
    };
    struct Result {
        Outcome outcome = Outcome::Unchanged;
        QByteArray viewBytes; // ViewReplaced: the bytes the view must show now
        QString keptBeside;   // the file where the version not chosen was kept, if any
        bool recreated = false; // Written: another program had deleted the file meanwhile
        // False when the view holds text that is in no file: the caller must not drop it.
        bool viewMayBeLeft() const { return outcome != Outcome::Refused && outcome != Outcome::Failed; }
    };

    // Reads the file, decides, asks through ui() when both changed, writes atomically
    // (permissions kept) and reports every refusal and failure through ui(), naming
    // `what` (the node) and the file. After Written and ViewReplaced the guard holds the
    // file's new bytes as what the view was filled from.
    Result save(const View &view, const QString &what);

    // What the user is told when another program changed or deleted the file behind the
    // view (the file was then not written over, or was made again); "" otherwise.
    static QString noticeOf(const Result &result, const QString &what, const QString &fsPath);

    // A free name beside fsPath for a version that is not kept in the file:
    // "memo.txt" gives "memo (競合 2024-03-05 101500).txt", then "... 101500 2).txt".
    static QString besidePath(const QString &fsPath, const QDateTime &when);

private:
    QString m_path;
    QByteArray m_original;
    bool m_loaded = false;
};
