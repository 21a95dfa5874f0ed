#include "settings/ui/thumbsettingspage.h"

#include "base/appsettings.h"
#include "base/uiport.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <functional>

namespace {

QLineEdit *sizeField(QWidget *parent, const char *name, int AppSettings::*field, QObject *context,
                     const std::function<void()> &stored)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(50);
    QObject::connect(edit, &QLineEdit::textChanged, context, [edit, field, stored](const QString &text) {
        if (text.isEmpty()) {
            edit->setText(QStringLiteral("1")); // runs this handler again with 1
            return;
        }
        bool ok = false;
        const int value = text.trimmed().toInt(&ok);
        if (!ok) {
            ui().reportError(QStringLiteral("'%1' は整数ではありません。").arg(text));
            return;
        }
        Cfg.*field = value;
        stored();
    });
    return edit;
}

} // namespace

ThumbSettingsPage::ThumbSettingsPage(QWidget *parent)
    : SettingsPage(parent)
{
    auto *grid = new QGridLayout(this);
    const auto stored = [this] { emit thumbSizesChanged(); };
    EditNsS = sizeField(this, "EditNsS", &AppSettings::ThumbSmall, this, stored);
    EditNsM = sizeField(this, "EditNsM", &AppSettings::ThumbMedium, this, stored);
    EditNsL = sizeField(this, "EditNsL", &AppSettings::ThumbLarge, this, stored);
    EditNsW = sizeField(this, "EditNsW", &AppSettings::ThumbWidth, this, stored);
    EditNsH = sizeField(this, "EditNsH", &AppSettings::ThumbHeight, this, stored);
    grid->addWidget(new QLabel(QStringLiteral("画像ｻｲｽﾞ小："), this), 0, 0, Qt::AlignRight);
    grid->addWidget(EditNsS, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("画像ｻｲｽﾞ中："), this), 1, 0, Qt::AlignRight);
    grid->addWidget(EditNsM, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("画像ｻｲｽﾞ大："), this), 2, 0, Qt::AlignRight);
    grid->addWidget(EditNsL, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("画像ｻｲｽﾞ："), this), 0, 2, Qt::AlignRight);
    grid->addWidget(EditNsW, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("(幅)×"), this), 0, 4);
    grid->addWidget(EditNsH, 0, 5);
    grid->addWidget(new QLabel(QStringLiteral("(高)"), this), 0, 6);
    grid->setColumnStretch(7, 1);
    grid->setRowStretch(3, 1);
}

void ThumbSettingsPage::fill()
{
    EditNsS->setText(QString::number(Cfg.ThumbSmall));
    EditNsM->setText(QString::number(Cfg.ThumbMedium));
    EditNsL->setText(QString::number(Cfg.ThumbLarge));
    EditNsW->setText(QString::number(Cfg.ThumbWidth));
    EditNsH->setText(QString::number(Cfg.ThumbHeight));
}
