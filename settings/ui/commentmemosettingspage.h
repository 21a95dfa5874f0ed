#pragma once
// Pages "画像" and "OLE": font and colours of the comment memo of image nodes or of
// other files.

#include "settings/ui/settingscontrols.h"
#include "settings/ui/settingspage.h"

struct ViewFontSettings;

class CommentMemoSettingsPage : public SettingsPage
{
    Q_OBJECT

public:
    // bigSizeBecomesMax: a typed size above 71 becomes the largest size (48) at once, as
    // the OLE page has always done.
    CommentMemoSettingsPage(ViewFontSettings &settings, const FontColorRow::Names &names, bool bigSizeBecomesMax,
                            QWidget *parent = nullptr);
    void fill() override;

    FontColorRow *font = nullptr;

signals:
    void commentMemoChanged();
};
