#pragma once
// Page "ﾒﾓ拡張子": the registry of the extensions whose files are text memos. Adding,
// deleting and editing comments change the grid only; "保存" writes the registry file
// and makes the new list the one nodes are classified by.

#include "settings/ui/settingspage.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class MemoExtPage : public SettingsPage
{
    Q_OBJECT

public:
    explicit MemoExtPage(QWidget *parent = nullptr);
    void fill() override {} // the grid keeps its rows for the whole run

    // The grid's rows from registry lines ("TXT=テキスト"), replacing what it held.
    void setEntries(const QStringList &lines);
    // The grid's rows as registry lines, in row order.
    QStringList entries() const;

    // Events of the page.
    void ValueListEditor1SelectCell(int row); // row counted from 1
    void Button1Click();                      // 追加
    void Button2Click();                      // 削除
    void Button3Click();                      // 保存

    QTableWidget *ValueListEditor1 = nullptr;
    QLabel *LabExNo = nullptr;
    QLineEdit *EditEx = nullptr;
    QLineEdit *EditExCo = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button3 = nullptr;

signals:
    // The registry was written and MemoExtList rebuilt: node kinds must be decided again.
    void saved();

private:
    void appendRow(const QString &ext, const QString &comment);
    void resetEntry();
};
