#pragma once
// Everything that would stop a handler in a modal loop goes through this port:
// message boxes, the beep, file dialogs and the program's own modal dialogs. The
// application installs the widget implementation; tests install a recording one
// and script the answers, so every handler can be driven without a modal loop.

#include <QColor>
#include <QString>
#include <QStringList>

class QDialog;
#include <functional>

class QPagedPaintDevice;

struct NodeDialogRequest;
struct NodeDialogResult;
struct TemplateDialogRequest;
struct SearchState;

class UiPort
{
public:
    virtual ~UiPort() = default;

    // Information box with an OK button (the plain message of the program).
    virtual void showMessage(const QString &text) = 0;
    // Error box with an Abort button (refusals of the utility library).
    virtual void errorMessage(const QString &text) = 0;
    // The application's default error report: a box holding the error text.
    virtual void reportError(const QString &text) = 0;
    // Question with Yes and No; true for Yes.
    virtual bool askYesNo(const QString &caption, const QString &text) = 0;
    // Question offering the given button captions; returns the index chosen, -1 if closed.
    virtual int askChoice(const QString &caption, const QString &text, const QStringList &buttons) = 0;
    // The system beep.
    virtual void beep() = 0;

    // A file shown in a view was changed by another program while the user edited the
    // view. True writes the user's text into the file, false leaves the file as the other
    // program wrote it; either way the caller keeps the other text in a file beside it.
    // The default leaves the file alone.
    virtual bool askKeepEditsOverChangedFile(const QString &fsPath, const QString &nodeName)
    {
        Q_UNUSED(fsPath);
        Q_UNUSED(nodeName);
        return false;
    }

    // The user edited a rich-text file that holds formatting this program cannot keep
    // (`lost` names it). True writes the edited document over the file, losing that
    // formatting; false keeps the file as it is and the caller saves the edited document
    // beside it. The default keeps the file.
    virtual bool askOverwriteLosingFormat(const QString &fsPath, const QString &nodeName, const QStringList &lost)
    {
        Q_UNUSED(fsPath);
        Q_UNUSED(nodeName);
        Q_UNUSED(lost);
        return false;
    }

    // The version dialog, showing versionLine ("Ver " and the version); true when it was
    // closed with its OK button. The default shows nothing and returns false.
    virtual bool runVersionDialog(const QString &versionLine)
    {
        Q_UNUSED(versionLine);
        return false;
    }

    // The colour dialog, starting at `initial`; an invalid colour means the user cancelled
    // (the default).
    virtual QColor chooseColor(const QColor &initial)
    {
        Q_UNUSED(initial);
        return {};
    }

    // Shows one of the program's own dialogs, built by the caller, modally and returns
    // its result code. The default shows nothing and returns 0 (rejected).
    virtual int execDialog(QDialog &dialog)
    {
        Q_UNUSED(dialog);
        return 0;
    }

    // Printing a report. `paint` draws the report's pages on the device it is given and
    // returns false when it could not draw.
    using ReportPainter = std::function<bool(QPagedPaintDevice *)>;
    enum class PrintOutcome { Printed, NothingChosen, Failed };
    // The preview window of a report; returns when it is closed (printing from there is
    // the window's own). The default shows nothing.
    virtual void runPrintPreview(const ReportPainter &paint)
    {
        Q_UNUSED(paint);
    }
    // Prints the report on the default printer. Where no printer is installed, the print
    // dialog lets the user write a PDF file (suggested: suggestedPdf) instead; when
    // nothing is chosen there, NothingChosen. A failure is reported here, not by the
    // caller. The default prints nothing.
    virtual PrintOutcome printReport(const ReportPainter &paint, const QString &suggestedPdf)
    {
        Q_UNUSED(paint);
        Q_UNUSED(suggestedPdf);
        return PrintOutcome::NothingChosen;
    }

    // File dialogs; an empty result means the user cancelled.
    virtual QString openFileName(const QString &title, const QString &dir, const QString &filter,
                                 const QString &defaultSuffix) = 0;
    virtual QString saveFileName(const QString &title, const QString &dir, const QString &filter,
                                 const QString &defaultSuffix) = 0;

    // The node dialog (name and kind of a new node, or a deletion's confirmation). The
    // default cancels.
    virtual NodeDialogResult runNodeDialog(const NodeDialogRequest &request);
    // The template dialog; returns the name entered or chosen, "" for cancel (the default).
    virtual QString runTemplateDialog(const TemplateDialogRequest &request);
    // The search dialog over the search state; true when closed with its search button.
    // The default cancels and leaves the state alone.
    virtual bool runSearchDialog(SearchState &state);
};

// The port in use. Never null: before one is installed a silent port answers.
UiPort &ui();
// Installs a port (not owned); null puts the silent port back.
void setUiPort(UiPort *port);
