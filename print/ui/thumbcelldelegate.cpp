#include "print/ui/thumbcelldelegate.h"

#include "print/thumblist.h"

#include <QAbstractItemModel>
#include <QPainter>

ThumbCellDelegate::ThumbCellDelegate(const ThumbList *thumbs, QObject *parent)
    : QStyledItemDelegate(parent), m_thumbs(thumbs)
{
}

void ThumbCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int columns = index.model()->columnCount();
    const int entry = index.column() + index.row() * columns;
    const QRect cell = option.rect;
    painter->save();
    painter->fillRect(cell, option.palette.base());
    if (entry < m_thumbs->count()) {
        const ThumbEntry &thumb = m_thumbs->at(entry);
        if (!thumb.picture.isNull()) {
            painter->drawImage(cell, thumb.picture);
        } else {
            painter->setPen(option.palette.color(QPalette::Text));
            painter->drawText(cell.adjusted(2, 2, -2, -2), Qt::AlignCenter | Qt::TextWrapAnywhere, thumb.name());
        }
    }
    if (option.state & QStyle::State_Selected) {
        painter->setPen(QPen(Qt::red, 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(cell.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}
