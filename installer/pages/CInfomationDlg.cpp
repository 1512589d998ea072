// The read-me page.
#include "installer/pages/CInfomationDlg.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "installer/engine/MessageIds.h"
#include "installer/engine/SetupTexts.h"

namespace installer {

QPlainTextEdit* ViewFileBox(const SetupState& state, const std::string& file) {
    // A relative name is taken from the installer's own folder.
    std::filesystem::path p(file);
    if (p.is_relative()) p = std::filesystem::path(state.SourceFolder) / p;
    QString text = Q(ReadViewText(p));
    text.replace("\r\n", "\n");
    auto* box = new QPlainTextEdit(text);
    box->setReadOnly(true);
    box->setObjectName("id1022");
    return box;
}

CInfomationDlg::CInfomationDlg(WizardContext& context) : SetupPage(context, msg::kInfoTitle) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Text(msg::kReadBefore)));
    layout->addWidget(ViewFileBox(state_, state_.InfoViewFile));
}

}  // namespace installer
