#pragma once
// The port of the running application: real message boxes, beep and file dialogs.

#include "base/uiport.h"

#include <QPointer>

class QWidget;
class TFormD;

class QtUiPort final : public UiPort
{
public:
    explicit QtUiPort(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void showMessage(const QString &text) override;
    void errorMessage(const QString &text) override;
    void reportError(const QString &text) override;
    bool askYesNo(const QString &caption, const QString &text) override;
    int askChoice(const QString &caption, const QString &text, const QStringList &buttons) override;
    void beep() override;
    bool askKeepEditsOverChangedFile(const QString &fsPath, const QString &nodeName) override;
    bool askOverwriteLosingFormat(const QString &fsPath, const QString &nodeName, const QStringList &lost) override;
    bool runVersionDialog(const QString &versionLine) override;
    QColor chooseColor(const QColor &initial) override; // settings/ui
    int execDialog(QDialog &dialog) override;
    QString openFileName(const QString &title, const QString &dir, const QString &filter,
                         const QString &defaultSuffix) override;
    QString saveFileName(const QString &title, const QString &dir, const QString &filter,
                         const QString &defaultSuffix) override;
    // The node dialog is made at its first use and kept for the run (nodeops/ui); the
    // template dialog is made for each use (settings/ui).
    NodeDialogResult runNodeDialog(const NodeDialogRequest &request) override;
    QString runTemplateDialog(const TemplateDialogRequest &request) override;
    // The preview window and the printer (print/ui).
    void runPrintPreview(const ReportPainter &paint) override;
    PrintOutcome printReport(const ReportPainter &paint, const QString &suggestedPdf) override;
    // The search dialog is made for each search (search/ui).
    bool runSearchDialog(SearchState &state) override;

private:
    QWidget *m_parent = nullptr;
    QPointer<TFormD> m_nodeDialog;
};
