#include "base/fontchoice.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

bool containsAny(const QString &text, std::initializer_list<const char16_t *> words)
{
    for (const char16_t *w : words)
        if (text.contains(QString::fromUtf16(w), Qt::CaseInsensitive))
            return true;
    return false;
}

QStringList candidates(FontChoice::Style style)
{
    switch (style) {
    case FontChoice::Style::Serif:
        return {QStringLiteral("Noto Serif CJK JP"), QStringLiteral("IPAexMincho"), QStringLiteral("IPAMincho"),
                QStringLiteral("Noto Serif JP"), QStringLiteral("Noto Sans CJK JP")};
    case FontChoice::Style::SansMono:
        return {QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic"),
                QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAexGothic")};
    case FontChoice::Style::Sans:
        break;
    }
    return {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAexGothic"), QStringLiteral("IPAPGothic"),
            QStringLiteral("Noto Sans JP"), QStringLiteral("Noto Sans Mono CJK JP")};
}

// The installed family with this name, in the database's own spelling.
QString findInstalled(const QString &family, const QStringList &installed)
{
    for (const QString &f : installed)
        if (f.compare(family, Qt::CaseInsensitive) == 0)
            return f;
    return {};
}

} // namespace

namespace FontChoice {

Style styleOf(const QString &family)
{
    if (containsAny(family, {u"明朝", u"ミンチョウ", u"mincho", u"serif", u"セリフ", u"教科書", u"楷書"}))
        return Style::Serif;
    // "ＭＳ ゴシック" and "MS Gothic" are fixed-pitch; their "Ｐ" and "UI" kin are not.
    const bool gothic = containsAny(family, {u"ゴシック", u"gothic"});
    const bool proportional = containsAny(family, {u"Ｐ", u" P", u"UI", u"ＵＩ"});
    if (containsAny(family, {u"等幅", u"mono", u"courier", u"fixed"}) || (gothic && !proportional
            && containsAny(family, {u"ＭＳ", u"MS "})))
        return Style::SansMono;
    return Style::Sans;
}

QString installedFamily(const QString &family)
{
    const QStringList installed = QFontDatabase::families();
    const QString same = findInstalled(family, installed);
    if (!same.isEmpty())
        return same;
    for (const QString &candidate : candidates(styleOf(family))) {
        const QString found = findInstalled(candidate, installed);
        if (!found.isEmpty())
            return found;
    }
    return family;
}

QFont viewFont(const QString &family, int pointSize)
{
    QFont font(installedFamily(family));
    font.setPointSize(qMax(1, pointSize));
    return font;
}

} // namespace FontChoice
