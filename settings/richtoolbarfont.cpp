#include "settings/richtoolbarfont.h"

QTextCharFormat RichToolbarFont::charFormat() const
{
    QTextCharFormat f;
    if (!name.isEmpty())
        f.setFontFamilies(QStringList{name});
    if (pointSize > 0)
        f.setFontPointSize(pointSize);
    if (color.isValid())
        f.setForeground(color);
    f.setFontWeight(style == Style::Bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(style == Style::Italic);
    f.setFontUnderline(style == Style::Underline);
    f.setFontStrikeOut(false);
    return f;
}

qreal toolbarSizeOf(const QString &fieldText)
{
    bool ok = false;
    const qreal size = fieldText.trimmed().toDouble(&ok);
    if (!ok || !qIsFinite(size))
        return 0;
    // RTF stores sizes as half-points in 16 bits; larger sizes could not be saved.
    return qMin(size, MaxToolbarPointSize);
}
