#include "nodeops/ui/filedropfilter.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

FileDropFilter::FileDropFilter(QWidget *window, std::function<void(const QStringList &)> onDrop)
    : QObject(window)
    , m_window(window)
    , m_onDrop(std::move(onDrop))
{
    // Every drop-accepting part of the window, and the window itself for the parts that
    // take no drops, get file drags; the application sees them first.
    window->setAcceptDrops(true);
    qApp->installEventFilter(this);
}

FileDropFilter::~FileDropFilter()
{
    qApp->removeEventFilter(this);
}

QStringList FileDropFilter::localFiles(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        const QString path = url.toLocalFile();
        if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

bool FileDropFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != m_window)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const QStringList paths = localFiles(drop->mimeData());
    if (paths.isEmpty())
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    // The import runs once the drop is over, so that the file manager is not kept
    // waiting and message boxes do not open inside the drop.
    if (type == QEvent::Drop && m_onDrop)
        QTimer::singleShot(0, this, [this, paths] { m_onDrop(paths); });
    return true;
}
