#pragma once
// The version dialog: the program's icon, its name and the version of the build.
// Created for each showing; OK accepts, closing it otherwise rejects.

#include <QDialog>

class QLabel;
class QPushButton;

class TVerF : public QDialog
{
    Q_OBJECT

public:
    explicit TVerF(const QString &versionLine, QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
    QLabel *L1 = nullptr;
    QLabel *L2 = nullptr;
    QPushButton *Button1 = nullptr;
};

// The version line of this build: "Ver " and the version.
QString versionLine();
