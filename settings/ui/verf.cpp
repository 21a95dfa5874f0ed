#include "settings/ui/verf.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMimeDatabase>
#include <QPushButton>

namespace {

// The icon the desktop gives the program file: the application's own icon when it has
// one, else the icon of the file's type in the icon theme.
QIcon programIcon()
{
    if (!QApplication::windowIcon().isNull())
        return QApplication::windowIcon();
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QApplication::applicationFilePath());
    QIcon icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
    if (icon.isNull())
        icon = QIcon::fromTheme(QStringLiteral("application-x-executable"));
    return icon;
}

} // namespace

QString versionLine()
{
    return QStringLiteral("Ver ") + QStringLiteral(ORVANE_VERSION);
}

TVerF::TVerF(const QString &line, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TVerF"));
    setWindowTitle(QStringLiteral("Ver"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(272, 121);
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(12);
    setFont(font);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 32, 32);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QIcon icon = programIcon();
    if (!icon.isNull())
        Image1->setPixmap(icon.pixmap(32, 32));

    L1 = new QLabel(QStringLiteral("Orvane"), this);
    L1->setObjectName(QStringLiteral("L1"));
    QFont title(QStringLiteral("Tahoma"));
    title.setPixelSize(32);
    title.setBold(true);
    title.setItalic(true);
    L1->setFont(title);
    QPalette navy = L1->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    L1->setPalette(navy);
    L1->setGeometry(56, 8, 169, 41);

    L2 = new QLabel(line, this);
    L2->setObjectName(QStringLiteral("L2"));
    L2->setGeometry(56, 56, 200, 16);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(98, 84, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}
