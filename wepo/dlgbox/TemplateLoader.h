// Dialog templates: Qt Designer files "<source>/<id>.ui" built into widgets with QUiLoader.
#pragma once

#include <QDialog>

namespace wepo {

// The top-level dialog class of every template: key presses, the close box and ending are
// routed through the table-driven controller attached to it (when there is one).
class TemplateDialog : public QDialog {
    Q_OBJECT
public:
    explicit TemplateDialog(QWidget* parent = nullptr) : QDialog(parent) {}
    // Ends a modal run with result, past the controller.
    void Finish(int result);

    // QDialog
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool finishing_ = false;
};

// The folder of the library's own templates.
const char* LibraryTemplateSource();

// Builds the template templateId of source (a folder or a Qt resource folder; null: the
// library's own). A template whose top-level class is QDialog becomes a TemplateDialog; others
// keep their class. The library's own templates get their texts from its string table (the
// dynamic properties "stringId" of a control and "titleId" of the window). Null when the file is
// missing or cannot be built.
QWidget* LoadTemplate(const char* source, int templateId);

}  // namespace wepo
