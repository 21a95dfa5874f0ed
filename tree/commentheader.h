#pragma once
// The comment side file of image and other-file nodes: "<node file>.TMEM" beside the
// node's file, Shift-JIS with CR LF, started with an eleven-line header.

#include <QDate>
#include <QString>

// The side file of a node file.
QString commentFilePath(const QString &nodeFsPath);

// The first content of a new side file: eleven lines, each followed by CR LF.
QString commentHeaderText(const QString &fileName, const QString &userName, const QDate &today);
