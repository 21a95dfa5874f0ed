#pragma once
// Where a node dragged inside the tree goes, decided without any widget: the drop
// position from what lies under the mouse, then what the drop does (nothing, refuse,
// only reorder siblings, or move the file or folder to another folder).

#include <QString>

#include <optional>

enum class DropPosition {
    None,   // right of a node's text, or anywhere else the drop cannot be placed
    Into,   // on a node's icon or text: the last child of that (folder) node
    Before, // on a node's indentation or expand button: directly before it
    End,    // below the last node: the last node of the top level
};

// What lies under the drop point, in the tree's viewport coordinates: the row of a node
// (its indentation and expand button end at contentLeft, its icon and text span
// contentLeft..contentRight), or no row, below the last node or not.
struct DropHit {
    bool onNode = false;
    int x = 0;
    int contentLeft = 0;
    int contentRight = 0;
    bool belowLastNode = false;
};

DropPosition dropPositionOf(const DropHit &hit);

// A node as the drop sees it: its stored folder path ("\A\"), its name and its kind.
struct DropNodeInfo {
    QString folderPath;
    QString name;
    int kind = 5;
};

struct DropPlan {
    enum Action { Nothing, Refuse, Reorder, Move };
    Action action = Nothing;
    QString message;  // for Refuse: the status text ("" when only the beep tells)
    QString srcFull;  // file-system paths, for Move
    QString newFull;
    QString newFolderPath; // stored form of the folder the node moves into
};

// The decision of a drop. `target` is the node under the drop point (none below the
// last node); `sameNode` when it is the dragged node itself; `targetInsideDragged` when
// it lies below the dragged node in the tree.
DropPlan planDrop(const QString &baseDir, const DropNodeInfo &dragged, const std::optional<DropNodeInfo> &target,
                  DropPosition position, bool sameNode, bool targetInsideDragged);
