#include "support/windowfixture.h"

#include "tree/ui/nodetreewidget.h"

#include <QLineEdit>
#include <QTreeWidgetItemIterator>

WindowFixture::WindowFixture(const QString &treeText, bool activate)
{
    exePath = dir.makeExeDir();
    treePath = dir.file(QStringLiteral("docs/T.Orvan"));
    dir.createSjisFile(QStringLiteral("docs/T.Orvan"), treeText);
    window = std::make_unique<TOrvaneF>(exePath, QStringList{treePath});
    if (activate)
        window->FormActivate();
}

WindowFixture::~WindowFixture()
{
    window.reset();
}

QTreeWidgetItem *WindowFixture::item(int absoluteIndex)
{
    return window->nodeAt(absoluteIndex);
}

void WindowFixture::click(int absoluteIndex)
{
    window->TreeView1->setCurrentItem(item(absoluteIndex));
    window->TreeView1MouseUp();
}

void WindowFixture::clickName(const QString &name)
{
    for (QTreeWidgetItemIterator it(window->TreeView1); *it; ++it) {
        if ((*it)->text(0) == name) {
            window->TreeView1->setCurrentItem(*it);
            window->TreeView1MouseUp();
            return;
        }
    }
}

QLineEdit *WindowFixture::openEditor()
{
    return qobject_cast<QLineEdit *>(window->TreeView1->indexWidget(window->TreeView1->currentIndex()));
}

void WindowFixture::close()
{
    window->close();
}
