#include "support/fileattrs.h"

#include <gtest/gtest.h>

#include <QFile>

#include <sys/stat.h>

void setReadOnly(const QString &path, bool readOnly)
{
    struct stat st;
    ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    const mode_t mode = readOnly ? (st.st_mode & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH)) : (st.st_mode | S_IWUSR);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode & 07777), 0) << path.toStdString();
}

bool ownerWritable(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && (st.st_mode & S_IWUSR);
}

void expectOnlyMessages(const RecordingUi &ui, const QStringList &texts, const char *what)
{
    EXPECT_EQ(ui.texts("message"), texts) << what;
    EXPECT_EQ(ui.events.size(), texts.size()) << what;
}
