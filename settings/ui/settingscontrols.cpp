#include "settings/ui/settingscontrols.h"

#include "base/appsettings.h"
#include "base/colortext.h"
#include "base/uiport.h"

#include <QFocusEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>

namespace {

QIcon swatch(const QColor &color)
{
    QPixmap pm(14, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.setBrush(color.isValid() ? color : QColor(Qt::black));
    p.drawRect(0, 0, 13, 11);
    return QIcon(pm);
}

QString shownName(const QString &colorText)
{
    return colorText.startsWith(QLatin1String("cl")) ? colorText.mid(2) : colorText;
}

} // namespace

ColorBox::ColorBox(bool withSystemColors, QWidget *parent)
    : QComboBox(parent)
{
    addItem(swatch(ColorText::toColor(m_customText)), QStringLiteral("ｶｽﾀﾑ..."), m_customText);
    QStringList names = ColorText::pickerNames();
    if (withSystemColors)
        names += ColorText::systemColorNames();
    for (const QString &name : std::as_const(names))
        addItem(swatch(ColorText::toColor(name)), shownName(name), name);
    setMaxVisibleItems(21);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(7);
    connect(this, &QComboBox::activated, this, &ColorBox::onActivated);
}

void ColorBox::setCustom(const QString &colorText)
{
    m_customText = colorText;
    setItemIcon(0, swatch(ColorText::toColor(colorText)));
    setItemData(0, colorText);
}

void ColorBox::setStored(int position, const QString &colorText)
{
    const QSignalBlocker block(this);
    if (position >= 1 && position < count()) {
        setCurrentIndex(position);
        return;
    }
    setCustom(colorText);
    setCurrentIndex(0);
}

QString ColorBox::colorText() const
{
    return currentData().toString();
}

void ColorBox::onActivated(int position)
{
    if (position == 0) {
        const QColor chosen = ui().chooseColor(ColorText::toColor(m_customText));
        if (!chosen.isValid())
            return; // cancelled: the custom entry keeps its colour
        setCustom(ColorText::fromColor(chosen));
        emit colorChosen(m_customText, 0);
        return;
    }
    emit colorChosen(itemData(position).toString(), position);
}

SizeSpin::SizeSpin(int minimum, int maximum, QWidget *parent)
    : QSpinBox(parent)
    , m_min(minimum)
    , m_max(maximum)
{
    // Typing may go past the bounds for the time the field has the focus.
    setRange(0, 999);
    setAlignment(Qt::AlignRight);
    connect(this, &QSpinBox::valueChanged, this, &SizeSpin::sizeChanged);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString &text) {
        if (text.trimmed().isEmpty())
            emit sizeChanged(m_min);
    });
}

void SizeSpin::stepBy(int steps)
{
    setValue(qBound(m_min, value() + steps, m_max));
}

void SizeSpin::focusOutEvent(QFocusEvent *event)
{
    if (cleanText().trimmed().isEmpty())
        setValue(m_min);
    QSpinBox::focusOutEvent(event);
    setValue(qBound(m_min, value(), m_max));
}

FontColorRow::FontColorRow(ViewFontSettings &settings, const Names &names, int maxSize, bool withSystemColors,
                           QWidget *parent)
    : QWidget(parent)
    , m_settings(settings)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("フォント"), this));
    fontBox = new QComboBox(this);
    fontBox->setObjectName(QString::fromLatin1(names.font));
    fontBox->setEditable(true);
    fontBox->setInsertPolicy(QComboBox::NoInsert);
    fontBox->setMinimumWidth(130);
    layout->addWidget(fontBox);
    sizeBox = new SizeSpin(7, maxSize, this);
    sizeBox->setObjectName(QString::fromLatin1(names.size));
    layout->addWidget(sizeBox);
    colorBox = new ColorBox(withSystemColors, this);
    colorBox->setObjectName(QString::fromLatin1(names.color));
    layout->addWidget(colorBox);
    layout->addWidget(new QLabel(QStringLiteral("バック"), this));
    backBox = new ColorBox(withSystemColors, this);
    backBox->setObjectName(QString::fromLatin1(names.back));
    layout->addWidget(backBox);
    layout->addStretch(1);

    connect(fontBox, &QComboBox::editTextChanged, this, [this](const QString &name) {
        m_settings.FontName = name;
        emit changed();
    });
    connect(sizeBox, &SizeSpin::sizeChanged, this, [this](int size) {
        m_settings.FontSize = size;
        emit changed();
    });
    connect(colorBox, &ColorBox::colorChosen, this, [this](const QString &text, int position) {
        m_settings.FontColor = text;
        m_settings.FontColorIndex = position;
        emit changed();
    });
    connect(backBox, &ColorBox::colorChosen, this, [this](const QString &text, int position) {
        m_settings.BackColor = text;
        m_settings.BackColorIndex = position;
        emit changed();
    });
}

void FontColorRow::fill()
{
    {
        const QSignalBlocker block(fontBox);
        if (fontBox->count() == 0)
            fontBox->addItems(QFontDatabase::families());
        fontBox->setEditText(m_settings.FontName);
    }
    sizeBox->setValue(m_settings.FontSize);
    colorBox->setStored(m_settings.FontColorIndex, m_settings.FontColor);
    backBox->setStored(m_settings.BackColorIndex, m_settings.BackColor);
}
