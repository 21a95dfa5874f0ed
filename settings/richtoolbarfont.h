#pragma once
// The font that the rich-text toolbar applies to the selection: a name, a size, a colour
// and one style. Every toolbar action applies the whole font at once, so the style
// buttons do not toggle and do not combine: each sets its own style and clears the
// others, and a new name or size makes the selection plain.

#include <QColor>
#include <QString>
#include <QTextCharFormat>

struct RichToolbarFont {
    enum class Style { Plain, Bold, Italic, Underline };

    QString name;
    qreal pointSize = 0; // 0 or less leaves the selection's size as it is
    QColor color;        // invalid leaves the selection's colour as it is
    Style style = Style::Plain;

    // The character format that sets all of it (strike-through is cleared as well:
    // the toolbar's style is the whole style).
    QTextCharFormat charFormat() const;
};

// The largest size a rich-text file can hold (32767 half-points).
constexpr qreal MaxToolbarPointSize = 1638;

// The size a size field holds: its number of points (at most MaxToolbarPointSize),
// 0 when it holds no number.
qreal toolbarSizeOf(const QString &fieldText);
