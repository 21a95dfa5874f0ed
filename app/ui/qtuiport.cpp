#include "app/ui/qtuiport.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {
// Messages use a lone CR as their line break; the box wants LF.
QString boxText(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

QString fileDialog(QWidget *parent, bool save, const QString &title, const QString &dir,
                   const QString &filter, const QString &suffix)
{
    QFileDialog dialog(parent, title, dir, filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(suffix);
    if (save)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}
} // namespace

void QtUiPort::showMessage(const QString &text)
{
    QMessageBox::information(m_parent, QApplication::applicationDisplayName(), boxText(text));
}

void QtUiPort::errorMessage(const QString &text)
{
    QMessageBox::critical(m_parent, QApplication::applicationDisplayName(), boxText(text), QMessageBox::Abort);
}

void QtUiPort::reportError(const QString &text)
{
    QMessageBox::critical(m_parent, QApplication::applicationDisplayName(), boxText(text));
}

bool QtUiPort::askYesNo(const QString &caption, const QString &text)
{
    return QMessageBox::question(m_parent, caption, boxText(text), QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

int QtUiPort::askChoice(const QString &caption, const QString &text, const QStringList &buttons)
{
    QMessageBox box(QMessageBox::Question, caption, boxText(text), QMessageBox::NoButton, m_parent);
    QList<QAbstractButton *> made;
    for (const QString &b : buttons)
        made.append(box.addButton(b, QMessageBox::AcceptRole));
    box.exec();
    return int(made.indexOf(box.clickedButton()));
}

bool QtUiPort::askKeepEditsOverChangedFile(const QString &fsPath, const QString &nodeName)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                    QStringLiteral("%1 は表示中に他のプログラムで変更されました。\n"
                                   "どちらの内容をファイルに残しますか?\n"
                                   "残さなかった方も同じフォルダーに別のファイルとして保存します。\n\n%2")
                        .arg(nodeName, fsPath),
                    QMessageBox::NoButton, m_parent);
    QPushButton *mine = box.addButton(QStringLiteral("編集した内容"), QMessageBox::AcceptRole);
    QPushButton *theirs = box.addButton(QStringLiteral("ファイルの内容"), QMessageBox::RejectRole);
    box.setDefaultButton(theirs);
    box.exec();
    return box.clickedButton() == mine;
}

void QtUiPort::beep()
{
    QApplication::beep();
}

QString QtUiPort::openFileName(const QString &title, const QString &dir, const QString &filter,
                               const QString &defaultSuffix)
{
    return fileDialog(m_parent, false, title, dir, filter, defaultSuffix);
}

QString QtUiPort::saveFileName(const QString &title, const QString &dir, const QString &filter,
                               const QString &defaultSuffix)
{
    return fileDialog(m_parent, true, title, dir, filter, defaultSuffix);
}

int QtUiPort::execDialog(QDialog &dialog)
{
    return dialog.exec();
}
