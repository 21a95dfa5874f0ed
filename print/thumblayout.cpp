#include "print/thumblayout.h"

#include "base/appsettings.h"

ThumbGridShape thumbGridShape(int count, int gridWidth, int columnWidth)
{
    ThumbGridShape shape;
    if (count <= 0)
        return shape;
    shape.columns = columnWidth > 0 ? gridWidth / columnWidth : 1;
    shape.columns = qMax(1, shape.columns);
    if (count < shape.columns)
        shape.columns = count;
    shape.rows = (count + shape.columns - 1) / shape.columns;
    return shape;
}

QSize thumbCellSize(const QString &caption, const AppSettings &s)
{
    if (caption == QStringLiteral("画像ｻｲｽﾞ小"))
        return QSize(s.ThumbSmall, s.ThumbSmall);
    if (caption == QStringLiteral("画像ｻｲｽﾞ中"))
        return QSize(s.ThumbMedium, s.ThumbMedium);
    if (caption == QStringLiteral("画像ｻｲｽﾞ大"))
        return QSize(s.ThumbLarge, s.ThumbLarge);
    if (caption == QStringLiteral("画像ｻｲｽﾞ変更"))
        return QSize(s.ThumbWidth, s.ThumbHeight);
    return QSize();
}
