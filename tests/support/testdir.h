#pragma once
// A throw-away folder for one test, with helpers to lay out files. Paths given to
// the helpers are relative to the folder and use "/".

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TestDir
{
public:
    TestDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const { return m_dir.path() + u'/' + relative; }

    // Creates the file (and its folders) with these bytes.
    void createFile(const QString &relative, const QByteArray &bytes = {}) const;
    // Creates the file with the text in Shift-JIS.
    void createSjisFile(const QString &relative, const QString &text) const;
    void createDir(const QString &relative) const;
    QByteArray read(const QString &relative) const;
    bool exists(const QString &relative) const;

    // Lays out an executable folder as the program expects it: "Res" copied from the
    // source tree; returns the path of a (non-existent) executable "orvane" in it.
    QString makeExeDir(const QString &relative = QStringLiteral("exe")) const;

private:
    QTemporaryDir m_dir;
};

// The bytes of a text in Shift-JIS (test fixtures are written in UTF-8 source).
QByteArray sjis(const QString &text);
