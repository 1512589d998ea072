// Loading the dialog templates with QUiLoader, with the colour button as a custom control.
#include "settings/DialogTemplate.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>
#include <QUiLoader>
#include <QVBoxLayout>
#include <vector>

#include "platform/StringTable.h"
#include "settings/CColorButton.h"
#include "settings/CUpDown.h"

namespace {

// QUiLoader builds the standard widgets; the template's own control classes are made here.
class TemplateLoader : public QUiLoader {
public:
    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override {
        if (className == QLatin1String("CColorButton")) {
            auto* b = new CColorButton(parent);
            b->setObjectName(name);
            return b;
        }
        if (className == QLatin1String("CUpDown")) {
            auto* u = new CUpDown(parent);
            u->setObjectName(name);
            return u;
        }
        return QUiLoader::createWidget(className, parent, name);
    }
};

// The templates' Japanese captions, and Qt's own Japanese texts for its standard buttons and
// common dialogs (when the system has them).
const std::vector<QTranslator*>& JapaneseTranslators() {
    static const std::vector<QTranslator*> translators = [] {
        std::vector<QTranslator*> made;
        auto add = [&](const QString& name, const QString& folder) {
            auto* t = new QTranslator(qApp);
            if (t->load(name, folder))
                made.push_back(t);
            else
                delete t;
        };
        add(QStringLiteral("templates_ja"), QStringLiteral(":/translations"));
        add(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        return made;
    }();
    return translators;
}

}  // namespace

QString ControlName(int id) {
    return QStringLiteral("id%1").arg(id);
}

void SyncTemplateLanguage() {
    static bool installed = false;
    const bool japanese = platform::CurrentLanguage() == platform::Language::Japanese;
    if (japanese == installed) return;
    for (QTranslator* t : JapaneseTranslators()) {
        if (japanese)
            QCoreApplication::installTranslator(t);
        else
            QCoreApplication::removeTranslator(t);
    }
    installed = japanese;
}

QWidget* LoadTemplate(int id, QWidget* parent) {
    SyncTemplateLanguage();
    QFile file(QStringLiteral(":/templates/%1.ui").arg(id));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("dialog template " + std::to_string(id) + " missing");
    TemplateLoader loader;
    QWidget* form = loader.load(&file, parent);
    if (!form)
        throw std::runtime_error("dialog template " + std::to_string(id) +
                                 " cannot be built: " + loader.errorString().toStdString());
    form->setObjectName(QStringLiteral("template%1").arg(id));
    return form;
}

QWidget* EmbedTemplate(int id, QWidget* host) {
    QWidget* form = LoadTemplate(id, host);
    auto* layout = new QVBoxLayout(host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(form);
    host->setWindowTitle(form->windowTitle());
    return form;
}
