#pragma once
// Colours as the settings files keep them: the name of a listed colour ("clBlack",
// "clMoneyGreen", "clWindow") or "$" and eight hexadecimal digits of the value in
// 00BBGGRR order (blue in the high byte). System colours stand for the colours of the
// desktop's palette; as numbers they are $FF0000nn.

#include <QColor>
#include <QString>
#include <QStringList>

namespace ColorText {

// The colour a colour text stands for; an invalid QColor when the text is neither a
// known name nor a number ("$" or "0x" hexadecimal, or decimal).
QColor toColor(const QString &text);

// The colour text of a colour: the name of the standard or extra colour with that value
// when there is one, else "$00BBGGRR" with upper-case digits.
QString fromColor(const QColor &color);

// The names of the colour pickers' fixed entries, positions 1 to 20 (position 0 is the
// custom colour): the sixteen standard colours black to white, then money green, sky
// blue, cream and medium gray.
QStringList pickerNames();

// The names of the system colours, in the order the tree's colour pickers list them.
QStringList systemColorNames();

} // namespace ColorText
