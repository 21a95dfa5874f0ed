#pragma once
// Draws one cell of the thumbnail grid: the picture stretched over the whole cell, the
// file name where the picture could not be decoded, and a red frame one pixel wide
// around the selected cell. Cells after the last picture stay empty.

#include <QStyledItemDelegate>

class ThumbList;

class ThumbCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    ThumbCellDelegate(const ThumbList *thumbs, QObject *parent = nullptr);
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    const ThumbList *m_thumbs;
};
