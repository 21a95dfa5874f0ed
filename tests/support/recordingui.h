#pragma once
// A UiPort for tests: records every message, beep and dialog in order, and answers
// from scripted queues (an empty queue answers "no", cancel or -1).

#include "base/uiport.h"
#include "nodeops/nodedialogmodel.h"
#include "print/nodeprint.h"
#include "search/searchstate.h"
#include "settings/templatedialogmodel.h"

#include <QDialog>
#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>

class RecordingUi : public UiPort
{
public:
    RecordingUi() { setUiPort(this); }
    ~RecordingUi() override { setUiPort(nullptr); }

    struct Event {
        QString kind; // "dialog" (text: the object name), "message", "error", "report", "ask", "choice", "beep", "open", "save", "conflict",
                      // "preview", "print" (text: the suggested PDF),
                      // "nodedialog" (text: the mode), "template" (the suggestion, or "delete"),
                      // "search" (the word the dialog offers)
        QString text;
    };
    QList<Event> events;

    QQueue<bool> yesNoAnswers;
    QQueue<int> choiceAnswers;
    QQueue<QString> fileAnswers;
    QQueue<bool> keepEditsAnswers; // answers to askKeepEditsOverChangedFile
    QQueue<bool> overwriteFormatAnswers; // answers to askOverwriteLosingFormat ("formatloss")
    QQueue<bool> versionAnswers;         // answers to runVersionDialog ("version": the version line)
    QQueue<NodeDialogResult> nodeDialogAnswers; // answers to runNodeDialog (empty: cancel)
    QList<NodeDialogRequest> nodeDialogRequests; // what each showing of the node dialog was given
    QQueue<QString> templateAnswers;             // answers to runTemplateDialog (empty: cancel)
    QList<TemplateDialogRequest> templateRequests;
    QQueue<QColor> colorAnswers; // answers to chooseColor ("color"; empty: cancel)
    // Plays the user while one of the program's dialogs is shown ("dialog": its object
    // name); the dialog's result is returned. Without a script the dialog is left unshown.
    std::function<void(QDialog &)> dialogScript;
    // The preview and the printer draw the report into this PDF file when it is set.
    QString printPdfPath;
    QQueue<PrintOutcome> printOutcomes; // answers to printReport (empty: NothingChosen)
    // What the user does in the search dialog: the scope box as left, then 検索 with the
    // word and kinds, or ｷｬﾝｾﾙ. An empty queue cancels.
    struct SearchAnswer {
        QString word;
        bool memo = true;
        bool rich = false;
        bool comment = false;
        bool allNodes = true;
        bool confirm = true;
    };
    QQueue<SearchAnswer> searchAnswers;

    void showMessage(const QString &text) override { events.append(Event{QStringLiteral("message"), text}); }
    void errorMessage(const QString &text) override { events.append(Event{QStringLiteral("error"), text}); }
    void reportError(const QString &text) override { events.append(Event{QStringLiteral("report"), text}); }
    bool askYesNo(const QString &, const QString &text) override
    {
        events.append(Event{QStringLiteral("ask"), text});
        return yesNoAnswers.isEmpty() ? false : yesNoAnswers.dequeue();
    }
    int askChoice(const QString &, const QString &text, const QStringList &) override
    {
        events.append(Event{QStringLiteral("choice"), text});
        return choiceAnswers.isEmpty() ? -1 : choiceAnswers.dequeue();
    }
    void beep() override { events.append(Event{QStringLiteral("beep"), {}}); }
    bool askKeepEditsOverChangedFile(const QString &fsPath, const QString &) override
    {
        events.append(Event{QStringLiteral("conflict"), fsPath});
        return keepEditsAnswers.isEmpty() ? false : keepEditsAnswers.dequeue();
    }
    bool askOverwriteLosingFormat(const QString &, const QString &, const QStringList &lost) override
    {
        events.append(Event{QStringLiteral("formatloss"), lost.join(u',')});
        return overwriteFormatAnswers.isEmpty() ? false : overwriteFormatAnswers.dequeue();
    }
    bool runVersionDialog(const QString &versionLine) override
    {
        events.append(Event{QStringLiteral("version"), versionLine});
        return versionAnswers.isEmpty() ? false : versionAnswers.dequeue();
    }
    QColor chooseColor(const QColor &initial) override
    {
        events.append(Event{QStringLiteral("color"), initial.name()});
        return colorAnswers.isEmpty() ? QColor() : colorAnswers.dequeue();
    }
    QString openFileName(const QString &title, const QString &, const QString &, const QString &) override
    {
        events.append(Event{QStringLiteral("open"), title});
        return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
    }
    QString saveFileName(const QString &title, const QString &, const QString &, const QString &) override
    {
        events.append(Event{QStringLiteral("save"), title});
        return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
    }
    int execDialog(QDialog &dialog) override
    {
        events.append(Event{QStringLiteral("dialog"), dialog.objectName()});
        if (dialogScript)
            dialogScript(dialog);
        return dialog.result();
    }
    NodeDialogResult runNodeDialog(const NodeDialogRequest &request) override
    {
        events.append(Event{QStringLiteral("nodedialog"), QString::number(request.mode)});
        nodeDialogRequests.append(request);
        return nodeDialogAnswers.isEmpty() ? NodeDialogResult() : nodeDialogAnswers.dequeue();
    }
    QString runTemplateDialog(const TemplateDialogRequest &request) override
    {
        events.append(Event{QStringLiteral("template"), request.deleting ? QStringLiteral("delete")
                                                                         : request.suggestion});
        templateRequests.append(request);
        return templateAnswers.isEmpty() ? QString() : templateAnswers.dequeue();
    }

    void runPrintPreview(const ReportPainter &paint) override
    {
        events.append(Event{QStringLiteral("preview"), {}});
        if (!printPdfPath.isEmpty())
            NodePrint::writePdf(paint, printPdfPath, nullptr);
    }
    PrintOutcome printReport(const ReportPainter &paint, const QString &suggestedPdf) override
    {
        events.append(Event{QStringLiteral("print"), suggestedPdf});
        if (!printPdfPath.isEmpty())
            NodePrint::writePdf(paint, printPdfPath, nullptr);
        return printOutcomes.isEmpty() ? PrintOutcome::NothingChosen : printOutcomes.dequeue();
    }
    bool runSearchDialog(SearchState &state) override
    {
        events.append(Event{QStringLiteral("search"), state.word});
        state.confirmed = false;
        if (searchAnswers.isEmpty())
            return false;
        const SearchAnswer a = searchAnswers.dequeue();
        state.allNodes = a.allNodes;
        if (a.confirm)
            state.confirm(a.word, a.memo, a.rich, a.comment);
        return state.confirmed;
    }

    // Texts of the events of one kind, in order.
    QStringList texts(const QString &kind) const
    {
        QStringList out;
        for (const Event &e : events)
            if (e.kind == kind)
                out.append(e.text);
        return out;
    }
    int count(const QString &kind) const { return int(texts(kind).size()); }
    void clear() { events.clear(); }
};
