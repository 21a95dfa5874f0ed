#pragma once
// Files dropped from the file manager anywhere on a window: the drag is accepted over
// every part of it, and the dropped paths go to one handler. Text views and edit lines
// would otherwise take file links as text; the filter sees the drop before they do.
// The handler runs from the event loop just after the drop.

#include <QObject>
#include <QStringList>
#include <functional>

class QMimeData;

class FileDropFilter : public QObject
{
public:
    // Filters the drags over `window` and its children; installed on the application.
    FileDropFilter(QWidget *window, std::function<void(const QStringList &)> onDrop);
    ~FileDropFilter() override;

    // The local files a drag carries, in its order ("" entries dropped); empty when it
    // carries anything that is not a local file.
    static QStringList localFiles(const QMimeData *data);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    std::function<void(const QStringList &)> m_onDrop;
};
