#include "settings/ui/commentmemosettingspage.h"

#include "base/appsettings.h"

#include <QVBoxLayout>

CommentMemoSettingsPage::CommentMemoSettingsPage(ViewFontSettings &settings, const FontColorRow::Names &names,
                                                 bool bigSizeBecomesMax, QWidget *parent)
    : SettingsPage(parent)
{
    auto *layout = new QVBoxLayout(this);
    font = new FontColorRow(settings, names, 48, false, this);
    layout->addWidget(font);
    layout->addStretch(1);
    if (bigSizeBecomesMax) {
        // Runs after the row stored the typed size; the largest size is then stored over it.
        connect(font->sizeBox, &SizeSpin::sizeChanged, this, [this](int size) {
            if (size > 71)
                font->sizeBox->setValue(font->sizeBox->highest());
        });
    }
    connect(font, &FontColorRow::changed, this, &CommentMemoSettingsPage::commentMemoChanged);
}

void CommentMemoSettingsPage::fill()
{
    font->fill();
}
