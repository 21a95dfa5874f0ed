#include "nodeops/dropplace.h"

#include "nodeops/fsentry.h"
#include "tree/nodekind.h"
#include "tree/nodepath.h"

DropPosition dropPositionOf(const DropHit &hit)
{
    if (!hit.onNode)
        return hit.belowLastNode ? DropPosition::End : DropPosition::None;
    if (hit.x < hit.contentLeft)
        return DropPosition::Before;
    if (hit.x <= hit.contentRight)
        return DropPosition::Into;
    return DropPosition::None;
}

namespace {

DropPlan refuse(const QString &message)
{
    DropPlan plan;
    plan.action = DropPlan::Refuse;
    plan.message = message;
    return plan;
}

} // namespace

DropPlan planDrop(const QString &baseDir, const DropNodeInfo &dragged, const std::optional<DropNodeInfo> &target,
                  DropPosition position, bool sameNode, bool targetInsideDragged)
{
    if (position == DropPosition::None || (position != DropPosition::End && !target))
        return refuse({});
    if (sameNode)
        return {};
    if (position == DropPosition::Into && target->kind != KindFolder)
        return refuse(QStringLiteral("ﾄﾞﾛｯﾌﾟ先がﾌｫﾙﾀﾞｰでありません"));
    // A folder copied into itself would copy its own copy without end.
    if (targetInsideDragged && position != DropPosition::End)
        return refuse(QStringLiteral("ﾌｫﾙﾀﾞｰﾉｰﾄﾞはその中へ移動できません"));

    DropPlan plan;
    if (position == DropPosition::End)
        plan.newFolderPath = QStringLiteral("\\");
    else if (position == DropPosition::Before)
        plan.newFolderPath = target->folderPath;
    else
        plan.newFolderPath = target->folderPath + target->name + u'\\';
    plan.srcFull = NodePaths::fullPath(baseDir, dragged.folderPath, dragged.name);
    plan.newFull = NodePaths::fullPath(baseDir, plan.newFolderPath, dragged.name);
    if (plan.srcFull.isEmpty() || plan.newFull.isEmpty())
        return refuse({}); // a name that would lead outside the tree's folder

    // Among its own siblings the node only changes its place in the tree; no file moves
    // (this holds also for a node whose file is missing).
    if (plan.newFull == plan.srcFull && position == DropPosition::Before) {
        plan.action = DropPlan::Reorder;
        return plan;
    }
    // Anything of that name at the destination, whatever its kind, is never replaced.
    if (plan.newFull == plan.srcFull || FsEntry::typeAt(plan.newFull) != FsEntry::Type::None) {
        return refuse((dragged.kind == KindFolder ? QStringLiteral("ﾄﾞﾛｯﾌﾟ先に同一ﾌｫﾙﾀﾞｰがあります ")
                                                  : QStringLiteral("ﾄﾞﾛｯﾌﾟ先に同一ﾌｧｲﾙがあります "))
                      + dragged.name);
    }
    plan.action = DropPlan::Move;
    return plan;
}
