#pragma once
// Reading and writing whole files. Writes go to a temporary file beside the target, are
// forced to the disk (file, then folder) and replace it only when complete, so a crash, a
// kill, a power cut or a full disk leaves the previous file whole; an existing file keeps
// its permissions, and a read-only one is refused.

#include <QByteArray>
#include <QString>

namespace DiskFile {

struct ReadResult {
    QByteArray bytes;
    bool ok = false;
    QString error; // a sentence naming the file when !ok
};

ReadResult read(const QString &path);

// Writes the bytes; false with a sentence naming the file in *error on failure.
bool writeAtomic(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Forces a folder's entries (a rename or a new file in it) to the disk.
bool flushFolder(const QString &folder);
// While one of these lives (on this thread), single copies skip their own flushes; the
// outermost one flushes the whole file system of `folder` at its end instead. Copying a
// folder of many files is then one flush, not one per file, and everything is on the
// disk before the caller goes on (for a move: before the source is deleted).
class FlushBatch
{
public:
    explicit FlushBatch(const QString &folder);
    ~FlushBatch();
    FlushBatch(const FlushBatch &) = delete;
    FlushBatch &operator=(const FlushBatch &) = delete;
    // True while a batch is open: the caller's own flush can wait for its end.
    static bool active();

private:
    QString m_folder;
};

// Writes every byte to the descriptor, in pieces of 64 KB, each a step the fault seam may
// fail (as a full disk fails part way); false on the first error.
bool writeAll(int fd, const char *data, qsizetype size);

// Encodes text to Shift-JIS and writes it atomically. Text that Shift-JIS cannot hold
// is refused (nothing written) with an error naming the characters.
bool writeText(const QString &path, const QString &text, QString *error = nullptr);

} // namespace DiskFile
