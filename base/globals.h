#pragma once
// Program-wide state shared by the main window and every subsystem. One instance of
// each, alive for the whole run; GlobalInit fills it, GlobalFree empties the lists.

#include <QString>
#include <QStringList>

// Where the program lives and which tree it works on.
extern QString ProgName;     // executable file name without extension, upper case
extern QString ExeDir;       // folder of the executable, no trailing separator
extern QString BaseDir;      // folder of the loaded tree file, no trailing separator
extern QString IniFileName;  // the settings file ProgName + ".Ini" (see ProgramFiles)
extern QString TreeFileName; // full path of the tree file in use

extern QStringList MemoExtList; // registered text extensions, upper case, no dot
extern QStringList WorkList;    // scratch list that directory listings fill

// Flags that keep re-entrant handlers from loading or saving at the wrong moment.
extern bool TreeReady;      // a tree is loaded and shown
extern bool TreeBusy;       // the tree is being loaded or walked
extern bool TreeDirty;      // an in-place rename still has to reach the tree file
extern bool SaveSuppressed; // the current node is being deleted or moved
extern bool BottomPanelOn;  // the bottom panel is open
extern bool SkipActivate;   // the next activation skips the start-up work

// The current node: the centre of all work.
extern QString NodePath; // folder path in stored form: "\" or "\A\B\"
extern QString NodeName; // the node's text (file or folder name)
extern QString NodeExt;  // extension after the last ".", upper case, no dot
extern int NodeKind;     // 0..5, see tree/nodekind.h

// Computes ProgName and ExeDir from the executable's path, sets BaseDir to ExeDir
// and empties the lists. Also resets every flag and the current node, so that a
// test can start from a clean program state.
void GlobalInit(const QString &executablePath);
void GlobalFree();
