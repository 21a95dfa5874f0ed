// The rich-text question of the application's UI port.

#include "app/ui/qtuiport.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

bool QtUiPort::askOverwriteLosingFormat(const QString &fsPath, const QString &nodeName, const QStringList &lost)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                    QStringLiteral("%1 には、この画面では保てない書式が含まれています:\n%2\n\n"
                                   "編集した内容で上書きすると、これらは失われます。\n"
                                   "上書きしないときは、ファイルはそのまま残し、編集した内容を"
                                   "同じフォルダーに別のファイルとして保存します。\n\n%3")
                        .arg(nodeName, lost.join(QStringLiteral("、")), fsPath),
                    QMessageBox::NoButton, m_parent);
    QPushButton *overwrite = box.addButton(QStringLiteral("上書きする"), QMessageBox::AcceptRole);
    QPushButton *keep = box.addButton(QStringLiteral("別のファイルに保存"), QMessageBox::RejectRole);
    box.setDefaultButton(keep);
    box.exec();
    return box.clickedButton() == overwrite;
}
