#include "app/ui/treebranchstyle.h"

#include <QPainter>
#include <QStyleOption>
#include <QWidget>

namespace {
const char *const kLinesProperty = "orvaneTreeLines";
const char *const kButtonsProperty = "orvaneTreeButtons";

bool flag(const QWidget *tree, const char *name)
{
    const QVariant v = tree ? tree->property(name) : QVariant();
    return !v.isValid() || v.toBool(); // on until the settings say otherwise
}
} // namespace

void TreeBranchStyle::setSwitches(QWidget *tree, bool lines, bool buttons)
{
    tree->setProperty(kLinesProperty, lines);
    tree->setProperty(kButtonsProperty, buttons);
    tree->update();
}

bool TreeBranchStyle::linesOn(const QWidget *tree)
{
    return flag(tree, kLinesProperty);
}

bool TreeBranchStyle::buttonsOn(const QWidget *tree)
{
    return flag(tree, kButtonsProperty);
}

void TreeBranchStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                    const QWidget *widget) const
{
    if (element != PE_IndicatorBranch) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const QRect r = option->rect;
    const int cx = r.left() + r.width() / 2;
    const int cy = r.top() + r.height() / 2;
    const QColor text = option->palette.color(QPalette::Text);
    const QColor base = option->palette.color(QPalette::Base);
    const QColor lineColor = QColor((text.red() + base.red()) / 2, (text.green() + base.green()) / 2,
                                    (text.blue() + base.blue()) / 2);
    const bool hasButton = buttonsOn(widget) && (option->state & State_Children);
    const int half = 4; // the button is 9 pixels square

    painter->save();
    if (linesOn(widget)) {
        QPen pen(lineColor);
        pen.setStyle(Qt::DotLine);
        painter->setPen(pen);
        const int gapTop = hasButton ? cy - half : cy;
        const int gapBottom = hasButton ? cy + half : cy;
        if (option->state & State_Item) {
            painter->drawLine(cx, r.top(), cx, gapTop);
            painter->drawLine(hasButton ? cx + half : cx, cy, r.right(), cy);
        }
        if (option->state & State_Sibling)
            painter->drawLine(cx, (option->state & State_Item) ? gapBottom : r.top(), cx, r.bottom());
    }
    if (hasButton) {
        const QRect box(cx - half, cy - half, 2 * half, 2 * half);
        painter->setPen(lineColor);
        painter->setBrush(base);
        painter->drawRect(box);
        painter->setPen(text);
        painter->drawLine(cx - 2, cy, cx + 2, cy);
        if (!(option->state & State_Open))
            painter->drawLine(cx, cy - 2, cx, cy + 2);
    }
    painter->restore();
}
