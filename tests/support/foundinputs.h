#pragma once
// Files that once broke a reader (found by fuzzing or by hand), kept in tests/data/found
// so every reader's test table replays them.

#include <QByteArray>
#include <QFile>
#include <QString>

inline QByteArray foundInput(const QString &name)
{
    QFile f(QStringLiteral(ORVANE_SOURCE_DIR "/tests/data/found/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
