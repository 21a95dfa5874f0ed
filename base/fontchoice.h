#pragma once
// Font names in the settings come from Windows machines ("ＭＳ 明朝", "ＭＳ Ｐゴシック",
// "メイリオ"). Where such a font is not installed, the view is shown in an installed
// Japanese font of the same style instead; the stored name is never changed, so the
// settings file still names the font the user chose.

#include <QFont>
#include <QString>

namespace FontChoice {

enum class Style { Serif, Sans, SansMono };

// The style a font name suggests: mincho and serif names give Serif, fixed-pitch gothic
// names ("ＭＳ ゴシック", "Osaka－等幅", "Mono") SansMono, anything else Sans.
Style styleOf(const QString &family);

// The installed family to show for a stored family name: the name itself when it is
// installed (compared without regard to case), else the first installed Japanese family
// of its style, else the name unchanged (the font system then picks its own).
QString installedFamily(const QString &family);

// A font for a view: the installed family for the stored name, at pointSize points
// (sizes below 1 give 1).
QFont viewFont(const QString &family, int pointSize);

} // namespace FontChoice
