// The Help menu: the version dialog, and the help's contents and index in the
// desktop's viewer. Viewers started here are closed when the window closes.

#include "app/ui/mainwindow.h"

#include "base/globals.h"
#include "base/programfiles.h"
#include "base/uiport.h"
#include "settings/helplauncher.h"
#include "settings/ui/verf.h"

void TOrvaneF::MenuHVClick()
{
    if (ui().runVersionDialog(versionLine()))
        SkipActivate = true; // the main window's next activation is the dialog closing
}

void TOrvaneF::MenuHHClick()
{
    if (!Help)
        Help = new HelpLauncher(this);
    Help->open(HelpLauncher::helpFileFor(ProgramFiles::shippedPath(QString()), ProgName, HelpLauncher::Page::Contents));
}

void TOrvaneF::MenuHFClick()
{
    if (!Help)
        Help = new HelpLauncher(this);
    Help->open(HelpLauncher::helpFileFor(ProgramFiles::shippedPath(QString()), ProgName, HelpLauncher::Page::Index));
}

void TOrvaneF::CloseHelpWindows()
{
    if (Help)
        Help->closeAll();
}
