#pragma once
// Modification times of test files: set one to the past, read it back.

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

inline void setModified(const QString &path, const QDateTime &when)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

inline QDateTime modified(const QString &path)
{
    return QFileInfo(path).fileTime(QFileDevice::FileModificationTime);
}
