#pragma once
// Controls the settings pages share: the colour list, the size field and the row of a
// view's font and colours.

#include <QComboBox>
#include <QSpinBox>
#include <QWidget>

struct ViewFontSettings;
class QLabel;

// The colour list of a settings colour control: position 0 a custom colour (choosing it
// opens the colour dialog), 1 to 16 the standard colours black to white, 17 to 20 money
// green, sky blue, cream and medium gray, then the system colours where asked for.
class ColorBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ColorBox(bool withSystemColors, QWidget *parent = nullptr);

    // Selects a stored position showing the stored colour text, without a signal. A
    // position outside the list selects the custom entry showing that colour.
    void setStored(int position, const QString &colorText);
    // The colour text of the entry shown.
    QString colorText() const;

signals:
    // The user chose an entry: its colour text and position.
    void colorChosen(const QString &colorText, int position);

private:
    void onActivated(int position);
    void setCustom(const QString &colorText);

    QString m_customText = QStringLiteral("clBlack");
};

// A size field: the arrows stay within its bounds, a typed value outside them counts as
// typed while the field has the focus and is brought to the nearest bound when the
// focus leaves; an emptied field counts as the lower bound.
class SizeSpin : public QSpinBox
{
    Q_OBJECT

public:
    SizeSpin(int minimum, int maximum, QWidget *parent = nullptr);
    int lowest() const { return m_min; }
    int highest() const { return m_max; }
    // The value in effect, clamped or not.
    void stepBy(int steps) override;

signals:
    void sizeChanged(int value);

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    int m_min;
    int m_max;
};

// Font name, size, text colour and background of one view, bound to its settings.
class FontColorRow : public QWidget
{
    Q_OBJECT

public:
    struct Names {
        const char *font, *size, *color, *back;
    };
    FontColorRow(ViewFontSettings &settings, const Names &names, int maxSize, bool withSystemColors,
                 QWidget *parent = nullptr);

    // Controls from the settings; only a size that differs runs its handler.
    void fill();

    QComboBox *fontBox = nullptr;
    SizeSpin *sizeBox = nullptr;
    ColorBox *colorBox = nullptr;
    ColorBox *backBox = nullptr;

signals:
    // A value changed and was stored; the view must show it.
    void changed();

private:
    ViewFontSettings &m_settings;
};
