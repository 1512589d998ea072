// Dialog templates: Qt Designer forms compiled into the program, one per template id, whose
// controls are found by their numeric ids (object name "id<N>").
#pragma once

#include <QString>
#include <QWidget>
#include <stdexcept>

// The object name of control id: "id1026".
QString ControlName(int id);

// Builds the form of template id (":/templates/<id>.ui") with parent as its parent; captions
// come in the interface language (SyncTemplateLanguage). Throws std::runtime_error when the
// program has no such template.
QWidget* LoadTemplate(int id, QWidget* parent);

// Loads template id into host: the form fills host's area (no margins) and host takes the
// form's window title, which is the dialog's caption or the page's tab title.
QWidget* EmbedTemplate(int id, QWidget* host);

// Installs the templates' Japanese captions in the application when the interface language
// (platform::CurrentLanguage) is Japanese, and removes them when it is English. Every template
// load calls it; the application also calls it after choosing the language, so that forms
// built by other code (the dialog library) get the same captions.
void SyncTemplateLanguage();

// The control id below root, of type T. A template without it is a defect of the program:
// std::logic_error names the control.
template <class T>
T* Control(const QWidget* root, int id) {
    T* w = root->findChild<T*>(ControlName(id));
    if (!w)
        throw std::logic_error(QStringLiteral("template control %1 missing in %2")
                                   .arg(id)
                                   .arg(root->objectName())
                                   .toStdString());
    return w;
}
