#pragma once
// Helpers for tests of the commands that change nodes together with their files:
// a file held by "another program", a small picture, a listing of what is on disk,
// and the node dialog's confirmation.

#include "nodeops/nodedialogmodel.h"
#include "support/recordingui.h"
#include "support/testdir.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

// Holds a whole-file lock on a file for its lifetime, as another program that has the
// file open would.
class HeldFile
{
public:
    explicit HeldFile(const QString &path);
    ~HeldFile();
    HeldFile(const HeldFile &) = delete;
    HeldFile &operator=(const HeldFile &) = delete;
    bool ok() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// The bytes of a 2 x 2 bitmap.
QByteArray bmpBytes();

// Every entry below `relative` of the test folder, sorted, folders with a final "/",
// hidden entries included; tree files (".Orvan") and the settings files of the
// executable folder are left out, since the window writes them on its own.
QStringList diskListing(const TestDir &dir, const QString &relative = QStringLiteral("docs"));

// The node dialog closed with OK, as a deletion's confirmation.
NodeDialogResult confirmedDialog();

// A recording port that runs `onNodeDialog` while the node dialog is up, before it
// answers: for what another program does to a file while the user confirms.
// Made after the fixture, it takes the fixture's place as the port.
class DialogHookUi : public RecordingUi
{
public:
    std::function<void()> onNodeDialog;
    NodeDialogResult runNodeDialog(const NodeDialogRequest &request) override
    {
        if (onNodeDialog)
            onNodeDialog();
        return RecordingUi::runNodeDialog(request);
    }
};
