#include "tree/ui/oleview.h"

#include "base/uiport.h"
#include "tree/filepreview.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMimeDatabase>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QStackedWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int kLargeIcon = 96;

OleView::Opener &opener()
{
    static OleView::Opener open = [](const QString &fsPath) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(fsPath));
    };
    return open;
}

QIcon iconFor(const QMimeType &mime)
{
    QIcon icon = QIcon::fromTheme(mime.iconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(mime.genericIconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(QStringLiteral("text-x-generic"));
    if (icon.isNull())
        icon = QIcon::fromTheme(QStringLiteral("application-x-generic"));
    return icon;
}

} // namespace

OleView::OleView(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pages = new QStackedWidget(this);
    layout->addWidget(m_pages);

    m_iconPage = new QWidget(m_pages);
    auto *iconLayout = new QVBoxLayout(m_iconPage);
    m_icon = new QLabel(m_iconPage);
    m_icon->setAlignment(Qt::AlignCenter);
    m_caption = new QLabel(m_iconPage);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setWordWrap(true);
    m_caption->setTextFormat(Qt::PlainText);
    iconLayout->addStretch();
    iconLayout->addWidget(m_icon);
    iconLayout->addWidget(m_caption);
    iconLayout->addStretch();
    m_pages->addWidget(m_iconPage);

    m_pictureArea = new QScrollArea(m_pages);
    m_pictureArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_picture = new QLabel;
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pictureArea->setWidget(m_picture);
    m_pages->addWidget(m_pictureArea);

    m_text = new QPlainTextEdit(m_pages);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pages->addWidget(m_text);

    // Double click and Enter open the file whichever page has them.
    for (QWidget *w : {static_cast<QWidget *>(m_iconPage), m_pictureArea->viewport(),
                       static_cast<QWidget *>(m_picture), m_text->viewport(), static_cast<QWidget *>(m_text),
                       static_cast<QWidget *>(m_pictureArea)})
        w->installEventFilter(this);
}

void OleView::setFile(const QString &fsPath, bool iconic)
{
    m_path = fsPath;
    if (iconic) {
        showIcon(false);
        return;
    }
    const FilePreview preview = previewFile(fsPath);
    switch (preview.kind) {
    case FilePreview::Kind::Picture:
        m_picture->setPixmap(QPixmap::fromImage(preview.image));
        m_picture->resize(preview.image.size());
        m_pages->setCurrentWidget(m_pictureArea);
        m_shown = Shown::Picture;
        break;
    case FilePreview::Kind::Text:
        m_text->setPlainText(preview.text);
        m_pages->setCurrentWidget(m_text);
        m_shown = Shown::Text;
        break;
    case FilePreview::Kind::None:
        showIcon(true);
        break;
    }
}

void OleView::showIcon(bool details)
{
    const QFileInfo info(m_path);
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(info);
    m_icon->setPixmap(iconFor(mime).pixmap(kLargeIcon, kLargeIcon));
    if (details) {
        const QLocale locale;
        m_caption->setText(QStringLiteral("%1\n%2\n%3 バイト\n%4")
                               .arg(info.fileName(), mime.comment(), locale.toString(info.size()),
                                    info.lastModified().toString(QStringLiteral("yyyy/MM/dd HH:mm"))));
    } else {
        m_caption->setText(info.fileName());
    }
    m_pages->setCurrentWidget(m_iconPage);
    m_shown = details ? Shown::Details : Shown::Icon;
}

void OleView::clear()
{
    m_path.clear();
    m_icon->clear();
    m_caption->clear();
    m_picture->clear();
    m_text->clear();
    m_pages->setCurrentWidget(m_iconPage);
    m_shown = Shown::Nothing;
}

QString OleView::shownText() const
{
    return m_shown == Shown::Text ? m_text->toPlainText() : m_caption->text();
}

void OleView::setOpener(Opener open)
{
    opener() = open ? std::move(open) : Opener([](const QString &fsPath) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(fsPath));
    });
}

bool OleView::openExternally()
{
    if (m_path.isEmpty())
        return false;
    if (opener()(m_path))
        return true;
    ui().reportError(QStringLiteral("%1 を開くプログラムを起動できませんでした。\r"
                                    "この種類のファイルに関連付けられたプログラムがあるか確かめてください。")
                         .arg(QDir::toNativeSeparators(m_path)));
    return false;
}

void OleView::requestOpen()
{
    if (m_path.isEmpty())
        return;
    emit openRequested(m_path);
    openExternally();
}

void OleView::mouseDoubleClickEvent(QMouseEvent *)
{
    requestOpen();
}

void OleView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        requestOpen();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool OleView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        requestOpen();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            requestOpen();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
