#include "base/uiport.h"

#include "nodeops/nodedialogmodel.h"
#include "settings/templatedialogmodel.h"

namespace {

// Answers every question with "no" and shows nothing; used before the application
// installs its port and by tools that have no user interface.
class SilentPort final : public UiPort
{
public:
    void showMessage(const QString &) override {}
    void errorMessage(const QString &) override {}
    void reportError(const QString &) override {}
    bool askYesNo(const QString &, const QString &) override { return false; }
    int askChoice(const QString &, const QString &, const QStringList &) override { return -1; }
    void beep() override {}
    QString openFileName(const QString &, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &, const QString &) override { return {}; }
};

SilentPort silentPort;
UiPort *current = &silentPort;

} // namespace

NodeDialogResult UiPort::runNodeDialog(const NodeDialogRequest &)
{
    return {};
}

QString UiPort::runTemplateDialog(const TemplateDialogRequest &)
{
    return {};
}

bool UiPort::runSearchDialog(SearchState &)
{
    return false;
}

UiPort &ui()
{
    return *current;
}

void setUiPort(UiPort *port)
{
    current = port ? port : &silentPort;
}
