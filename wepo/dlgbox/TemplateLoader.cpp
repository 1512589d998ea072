// QUiLoader with our dialog class and the library's captions.
#include "wepo/dlgbox/TemplateLoader.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QUiLoader>

#include "wepo/dlgbox/DlgBoxForm.h"
#include "wepo/util/StringCache.h"
#include "wepo/util/WindowUtil.h"

namespace wepo {

namespace {

class Loader : public QUiLoader {
public:
    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override {
        if (className == QLatin1String("QDialog") && !parent) {
            auto* dialog = new TemplateDialog;
            dialog->setObjectName(name);
            return dialog;
        }
        return QUiLoader::createWidget(className, parent, name);
    }
};

void ApplyLibraryTexts(QWidget* root) {
    auto text = [](const QVariant& id) -> QString {
        bool ok = false;
        unsigned n = id.toUInt(&ok);
        const char* s = ok ? LoadStringCached(LibraryModule(), n) : nullptr;
        return s ? QString::fromUtf8(s) : QString();
    };
    if (root->property("titleId").isValid()) root->setWindowTitle(text(root->property("titleId")));
    QList<QWidget*> all = root->findChildren<QWidget*>();
    all.prepend(root);
    for (QWidget* w : all) {
        QVariant id = w->property("stringId");
        if (!id.isValid()) continue;
        SetControlText(w, text(id));
    }
}

}  // namespace

void TemplateDialog::Finish(int result) {
    finishing_ = true;
    QDialog::done(result);
    finishing_ = false;
}

void TemplateDialog::done(int result) {
    // Qt's own accept() and reject() paths come here: they are the controller's to decide.
    if (!finishing_) {
        if (DlgBoxForm* form = DlgBoxForm::Of(this)) {
            form->Command(result == QDialog::Accepted ? DBID_OK : DBID_CANCEL, DBN_CLICKED);
            return;
        }
    }
    QDialog::done(result);
}

void TemplateDialog::keyPressEvent(QKeyEvent* event) {
    DlgBoxForm* form = DlgBoxForm::Of(this);
    if (!form || !form->IsModal()) {
        // A page: its keys belong to the dialog that holds it.
        if (form) return event->ignore();
        return QDialog::keyPressEvent(event);
    }
    if (event->matches(QKeySequence::Cancel)) {
        form->Command(DBID_CANCEL, DBN_CLICKED);
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (!event->modifiers() || event->modifiers() == Qt::KeypadModifier)) {
        form->Command(form->DefaultButtonId(), DBN_CLICKED);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TemplateDialog::closeEvent(QCloseEvent* event) {
    if (finishing_) return event->accept();  // our own ending closes the window
    DlgBoxForm* form = DlgBoxForm::Of(this);
    if (!form || !form->IsModal()) return QDialog::closeEvent(event);
    event->ignore();
    form->Close();
}

const char* LibraryTemplateSource() {
    return ":/wepo/templates";
}

QWidget* LoadTemplate(const char* source, int templateId) {
    const QString folder = QString::fromUtf8(source ? source : LibraryTemplateSource());
    QFile file(folder + QStringLiteral("/%1.ui").arg(templateId));
    QFileInfo info(file.fileName());
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) return nullptr;
    Loader loader;
    loader.setWorkingDirectory(info.absoluteDir());
    QWidget* widget = loader.load(&file, nullptr);
    if (!widget) return nullptr;
    if (!source) ApplyLibraryTexts(widget);
    return widget;
}

}  // namespace wepo
