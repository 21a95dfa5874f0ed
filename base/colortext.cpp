#include "base/colortext.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

struct NamedColor {
    const char *name;
    quint32 bgr; // 00BBGGRR
};

// Positions 1 to 20 of the colour pickers.
constexpr NamedColor kFixed[] = {
    {"clBlack", 0x000000},   {"clMaroon", 0x000080}, {"clGreen", 0x008000},   {"clOlive", 0x008080},
    {"clNavy", 0x800000},    {"clPurple", 0x800080}, {"clTeal", 0x808000},    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},  {"clRed", 0x0000FF},    {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},    {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},   {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
};

// Names accepted on reading only.
constexpr NamedColor kAliases[] = {
    {"clDkGray", 0x808080}, {"clLtGray", 0xC0C0C0},
};

struct SystemColor {
    const char *name;
    int index; // the low byte of $FF0000nn
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The desktop's colours, by the system colour index they stand for.
constexpr SystemColor kSystem[] = {
    {"clScrollBar", 0, QPalette::Active, QPalette::Button},
    {"clBackground", 1, QPalette::Active, QPalette::Window},
    {"clActiveCaption", 2, QPalette::Active, QPalette::Highlight},
    {"clInactiveCaption", 3, QPalette::Inactive, QPalette::Highlight},
    {"clMenu", 4, QPalette::Active, QPalette::Window},
    {"clWindow", 5, QPalette::Active, QPalette::Base},
    {"clWindowFrame", 6, QPalette::Active, QPalette::Shadow},
    {"clMenuText", 7, QPalette::Active, QPalette::WindowText},
    {"clWindowText", 8, QPalette::Active, QPalette::Text},
    {"clCaptionText", 9, QPalette::Active, QPalette::HighlightedText},
    {"clActiveBorder", 10, QPalette::Active, QPalette::Window},
    {"clInactiveBorder", 11, QPalette::Inactive, QPalette::Window},
    {"clAppWorkSpace", 12, QPalette::Active, QPalette::Dark},
    {"clHighlight", 13, QPalette::Active, QPalette::Highlight},
    {"clHighlightText", 14, QPalette::Active, QPalette::HighlightedText},
    {"clBtnFace", 15, QPalette::Active, QPalette::Button},
    {"clBtnShadow", 16, QPalette::Active, QPalette::Dark},
    {"clGrayText", 17, QPalette::Disabled, QPalette::Text},
    {"clBtnText", 18, QPalette::Active, QPalette::ButtonText},
    {"clInactiveCaptionText", 19, QPalette::Inactive, QPalette::HighlightedText},
    {"clBtnHighlight", 20, QPalette::Active, QPalette::Light},
    {"cl3DDkShadow", 21, QPalette::Active, QPalette::Shadow},
    {"cl3DLight", 22, QPalette::Active, QPalette::Midlight},
    {"clInfoText", 23, QPalette::Active, QPalette::ToolTipText},
    {"clInfoBk", 24, QPalette::Active, QPalette::ToolTipBase},
    {"clHotLight", 26, QPalette::Active, QPalette::Link},
    {"clGradientActiveCaption", 27, QPalette::Active, QPalette::Highlight},
    {"clGradientInactiveCaption", 28, QPalette::Inactive, QPalette::Highlight},
    {"clMenuHighlight", 29, QPalette::Active, QPalette::Highlight},
    {"clMenuBar", 30, QPalette::Active, QPalette::Window},
};

QColor fromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QColor systemColor(const SystemColor &c)
{
    return QGuiApplication::palette().color(c.group, c.role);
}

QColor fromNumber(quint32 value)
{
    if ((value & 0xFF000000u) == 0xFF000000u) {
        for (const SystemColor &c : kSystem)
            if (quint32(c.index) == (value & 0xFFu))
                return systemColor(c);
        return {};
    }
    return fromBgr(value & 0xFFFFFFu);
}

} // namespace

namespace ColorText {

QColor toColor(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    for (const NamedColor &c : kFixed)
        if (t.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return fromBgr(c.bgr);
    for (const NamedColor &c : kAliases)
        if (t.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return fromBgr(c.bgr);
    for (const SystemColor &c : kSystem)
        if (t.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return systemColor(c);

    bool ok = false;
    qint64 value = 0;
    if (t.startsWith(u'$'))
        value = t.mid(1).toLongLong(&ok, 16);
    else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = t.mid(2).toLongLong(&ok, 16);
    else
        value = t.toLongLong(&ok, 10);
    if (!ok || value < -0x80000000LL || value > 0xFFFFFFFFLL)
        return {};
    return fromNumber(quint32(value));
}

QString fromColor(const QColor &color)
{
    const quint32 bgr = quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
    for (const NamedColor &c : kFixed)
        if (c.bgr == bgr)
            return QLatin1String(c.name);
    return QStringLiteral("$%1").arg(bgr, 8, 16, QLatin1Char('0')).toUpper();
}

QStringList pickerNames()
{
    QStringList names;
    for (const NamedColor &c : kFixed)
        names.append(QLatin1String(c.name));
    return names;
}

QStringList systemColorNames()
{
    QStringList names;
    for (const SystemColor &c : kSystem)
        names.append(QLatin1String(c.name));
    return names;
}

} // namespace ColorText
