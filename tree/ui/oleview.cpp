#include "tree/ui/oleview.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMimeDatabase>
#include <QUrl>
#include <QVBoxLayout>

OleView::OleView(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    auto *layout = new QVBoxLayout(this);
    m_icon = new QLabel(this);
    m_icon->setAlignment(Qt::AlignCenter);
    m_caption = new QLabel(this);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setWordWrap(true);
    layout->addStretch();
    layout->addWidget(m_icon);
    layout->addWidget(m_caption);
    layout->addStretch();
}

void OleView::setFile(const QString &fsPath, bool iconic)
{
    m_path = fsPath;
    const QFileInfo info(fsPath);
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(info);
    QIcon icon = QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName(),
                                                                     QIcon::fromTheme(QStringLiteral("text-x-generic"))));
    const int size = iconic ? 64 : 48;
    m_icon->setPixmap(icon.pixmap(size, size));
    m_caption->setText(QStringLiteral("%1\n%2\n%3 バイト  %4")
                           .arg(info.fileName(), mime.comment())
                           .arg(info.size())
                           .arg(QLocale::system().toString(info.lastModified(), QStringLiteral("yyyy/MM/dd HH:mm"))));
}

void OleView::clear()
{
    m_path.clear();
    m_icon->clear();
    m_caption->clear();
}

bool OleView::openExternally()
{
    if (m_path.isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(m_path));
}

void OleView::mouseDoubleClickEvent(QMouseEvent *)
{
    if (!m_path.isEmpty())
        emit openRequested(m_path);
}

void OleView::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !m_path.isEmpty()) {
        emit openRequested(m_path);
        return;
    }
    QWidget::keyPressEvent(event);
}
