#include "settings/templatestore.h"

#include "base/globals.h"
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
    DirList(ExeDir + QStringLiteral("/Res/") + kPrefix + QStringLiteral("*") + kSuffix);
    TemplateList.append(NodeDialog::noTemplate());
    for (const QString &file : std::as_const(WorkList))
        TemplateList.append(file.mid(kPrefix.size(), file.size() - kPrefix.size() - kSuffix.size()));
}

QString TemplatePath(const QString &exeDir, const QString &name)
{
    return exeDir + QStringLiteral("/Res/") + kPrefix + name + kSuffix;
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
