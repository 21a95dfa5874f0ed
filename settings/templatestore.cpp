#include "settings/templatestore.h"

#include "base/globals.h"
#include "base/programfiles.h"
#include "nodeops/functionu.h"
#include "nodeops/nodedialogmodel.h"
#include "nodeops/nodenamechars.h"

QStringList TemplateList{NodeDialog::noTemplate()};

namespace {
const QString kPrefix = QStringLiteral("様式Memo");
const QString kSuffix = QStringLiteral(".TXT");
} // namespace

void TmpListSet()
{
    TemplateList.clear();
    TemplateList.append(NodeDialog::noTemplate());
    for (const QString &folder : ProgramFiles::readFolders(QStringLiteral("Res"))) {
        DirList(folder + u'/' + kPrefix + QStringLiteral("*") + kSuffix);
        for (const QString &file : std::as_const(WorkList)) {
            const QString name = file.mid(kPrefix.size(), file.size() - kPrefix.size() - kSuffix.size());
            if (!TemplateList.mid(1).contains(name))
                TemplateList.append(name);
        }
    }
}

QString TemplatePath(const QString &name)
{
    return ProgramFiles::readPath(QStringLiteral("Res/") + kPrefix + name + kSuffix);
}

QString TemplateWritePath(const QString &name)
{
    return ProgramFiles::writePath(QStringLiteral("Res/") + kPrefix + name + kSuffix);
}

QString TemplateOwnPath(const QString &name)
{
    return ProgramFiles::ownPath(QStringLiteral("Res/") + kPrefix + name + kSuffix);
}

QString TemplateSuggestion(const QString &nodeName)
{
    const qsizetype dot = nodeName.lastIndexOf(u'.');
    return dot < 0 ? QString() : nodeName.left(dot);
}

bool TemplateNameUsable(const QString &name)
{
    for (QChar c : name)
        if (NodeNameChars::isForbidden(c) || c.unicode() < 0x20)
            return false;
    return true;
}
