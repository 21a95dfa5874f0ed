#pragma once
// Page "ｻﾑﾈｰﾙ": the cell sizes of the thumbnail grid.

#include "settings/ui/settingspage.h"

class QLineEdit;

class ThumbSettingsPage : public SettingsPage
{
    Q_OBJECT

public:
    explicit ThumbSettingsPage(QWidget *parent = nullptr);
    void fill() override;

    QLineEdit *EditNsS = nullptr; // 画像ｻｲｽﾞ小
    QLineEdit *EditNsM = nullptr; // 画像ｻｲｽﾞ中
    QLineEdit *EditNsL = nullptr; // 画像ｻｲｽﾞ大
    QLineEdit *EditNsW = nullptr; // 画像ｻｲｽﾞ (幅)
    QLineEdit *EditNsH = nullptr; // (高)

signals:
    // A size was stored; the thumbnail grid must take it, shown or not.
    void thumbSizesChanged();
};
