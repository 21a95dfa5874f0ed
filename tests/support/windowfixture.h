#pragma once
// Builds the real main window over a temporary executable folder and tree, with a
// recording UI port, and opens the tree as the first activation does.

#include "app/ui/mainwindow.h"
#include "support/recordingui.h"
#include "support/testdir.h"

#include <QStringList>
#include <memory>

class QLineEdit;
class QTreeWidgetItem;

class WindowFixture
{
public:
    // treeText is the tree file's content (UTF-8 here, written as Shift-JIS) at
    // dir/"docs/T.Orvan"; the window is created with that file as its argument.
    explicit WindowFixture(const QString &treeText = {}, bool activate = true);
    ~WindowFixture();

    TestDir dir;
    RecordingUi ui;
    std::unique_ptr<TOrvaneF> window;
    QString exePath;
    QString treePath;

    TOrvaneF &w() { return *window; }
    // Selects the node at this absolute index as a mouse click does.
    void click(int absoluteIndex);
    // Selects the first node with this name (pre-order) as a mouse click does.
    void clickName(const QString &name);
    QTreeWidgetItem *item(int absoluteIndex);
    // Closes the window as the user does (content and settings written).
    void close();
    // The in-place editor open on the current node, if any.
    QLineEdit *openEditor();
};
