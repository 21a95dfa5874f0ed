#pragma once
// Memo templates ("様式"): the text of a memo kept under a name in the Res folder among
// the program's own files, one file "様式Memo" + name + ".TXT" each, so that a new text memo can
// start with it. The template list below is the program's register of them for the run:
// read once at start, then kept in step by registration (append) and deletion (remove).

#include <QString>
#include <QStringList>

// "なし" as item 0, then the template names.
extern QStringList TemplateList;

// Fills TemplateList from the Res folders (the user's, then the shipped one; a name
// found in both is listed once), in the order the folder listing returns the files.
void TmpListSet();

// The template's file "Res/様式Memo" + name + ".TXT" where it is read from.
QString TemplatePath(const QString &name);
// Where a newly registered template is written.
QString TemplateWritePath(const QString &name);
// The file a deletion removes (a template shipped with an installed program stays).
QString TemplateOwnPath(const QString &name);

// The name a registration suggests for a memo node: its name up to its last ".";
// empty when the name has no ".".
QString TemplateSuggestion(const QString &nodeName);

// A name that can be part of the template's file name: none of \ / : * ? " < > | and
// not one that leads out of the Res folder.
bool TemplateNameUsable(const QString &name);
