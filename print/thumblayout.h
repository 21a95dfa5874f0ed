#pragma once
// The thumbnail grid's shape and its cell sizes, without the widget: the grid is as
// many columns as fit its width (at least one, at most the number of pictures) and as
// many rows as the pictures need.

#include <QSize>
#include <QString>

struct AppSettings;

struct ThumbGridShape {
    int columns = 0;
    int rows = 0;
};

ThumbGridShape thumbGridShape(int count, int gridWidth, int columnWidth);

// The cell size of a size menu item, by its caption ("画像ｻｲｽﾞ小", "画像ｻｲｽﾞ中",
// "画像ｻｲｽﾞ大", "画像ｻｲｽﾞ変更"); an invalid size for any other caption.
QSize thumbCellSize(const QString &caption, const AppSettings &settings);
