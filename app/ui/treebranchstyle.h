#pragma once
// Draws the tree's branch area the way the tree settings ask for: dotted connecting
// lines when lines are on, boxed "+" and "-" expand buttons when buttons are on, either
// or both left out when off. The desktop style's own branch arrows know no such
// switches, so this style takes over that one element and leaves the rest alone.

#include <QProxyStyle>

class QWidget;

class TreeBranchStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    // Switches stored on the tree widget the style draws for.
    static void setSwitches(QWidget *tree, bool lines, bool buttons);
    static bool linesOn(const QWidget *tree);
    static bool buttonsOn(const QWidget *tree);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
