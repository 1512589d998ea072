// The die dialogs' shared parts: the module record, the run in progress, messages, file
// selection and the lists.
#include "settings/DieDialogParts.h"

#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>

#include "platform/TextCodec.h"
#include "settings/SettingsMessages.h"

namespace {
constexpr size_t kFolderMax = 255;
}

DieDialogModule& DieDialogRecord() {
    static DieDialogModule record;
    return record;
}

void SetShapeFileFolder(std::string_view folder) {
    std::string& f = DieDialogRecord().ShapeFileFolder;
    f = std::string(folder.substr(0, kFolderMax));
}

void SetShapeFileFilterIndexes(int sp, int se, int ki) {
    DieDialogRecord().ShapeFileFilterIndexes = {sp, se, ki};
}

void GetShapeFileFilterIndexes(int* sp, int* se, int* ki) {
    const auto& f = DieDialogRecord().ShapeFileFilterIndexes;
    if (sp) *sp = f[0];
    if (se) *se = f[1];
    if (ki) *ki = f[2];
}

DieDialogRun& CurrentDieDialogRun() {
    static DieDialogRun run;
    return run;
}

DieDialogRunScope::DieDialogRunScope(DieDialogs* runner, DieDialogState* state)
    : previous_(CurrentDieDialogRun()) {
    CurrentDieDialogRun() = {runner, state};
}

DieDialogRunScope::~DieDialogRunScope() {
    CurrentDieDialogRun() = previous_;
}

platform::PromptAnswer DieMessage(unsigned textId, platform::PromptIcon icon, unsigned captionId,
                                  std::string_view arg) {
    DieDialogs* runner = CurrentDieDialogRun().runner;
    if (!runner || !runner->Prompt) return platform::PromptAnswer::Ok;
    const std::string text = FillPlaceholders(platform::LoadString(textId), {arg});
    const std::string caption = captionId ? platform::LoadString(captionId) : std::string();
    return runner->Prompt->MessageTitled(caption, text, icon, platform::PromptButtons::Ok);
}

int DieSelectFile(QWidget* owner, unsigned mode, FileSelectParams* params) {
    DieDialogs* runner = CurrentDieDialogRun().runner;
    if (runner && runner->SelectFile) return runner->SelectFile(owner, mode, 1, params);
    return wpSelectFileName(owner, mode, 1, params);
}

void CopyToBuffer(char* out, size_t size, const std::string& bytes) {
    const size_t n = std::min(size - 1, bytes.size());
    bytes.copy(out, n);
    out[n] = '\0';
}

std::vector<std::string> StringItems(unsigned id) {
    std::vector<std::string> items;
    const std::string text = platform::LoadString(id);
    size_t from = 0;
    for (size_t bar; (bar = text.find('|', from)) != std::string::npos; from = bar + 1)
        items.push_back(text.substr(from, bar - from));
    if (from < text.size()) items.push_back(text.substr(from));
    return items;
}

std::string NulRun(const std::vector<std::string>& texts, bool closeWithEmpty) {
    std::string run;
    for (const std::string& t : texts) {
        run += t;
        run.push_back('\0');
    }
    if (closeWithEmpty) run.push_back('\0');
    return run;
}

std::string FilterLongName(int filter) {
    const std::vector<std::string> names = StringItems(kFilterLongNames);
    return filter >= 0 && filter < int(names.size()) ? names[size_t(filter)] : std::string();
}

QFont DieListFont() {
    QFont font(QStringLiteral("Noto Sans Mono CJK JP"));
    font.setFamilies({QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Noto Sans Mono"),
                      QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Monospace")});
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

void SetUpDieList(QTreeWidget* list) {
    list->setFont(DieListFont());
    list->setColumnCount(1);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setIconSize(QSize(14, 14));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setStretchLastSection(false);
}

QTreeWidgetItem* MakeDieListRow(const std::string& cp932, const QIcon& image, int data) {
    auto* item = new QTreeWidgetItem;
    SetDieListRow(item, cp932, image);
    item->setData(0, Qt::UserRole, data);
    return item;
}

void SetDieListRow(QTreeWidgetItem* item, const std::string& cp932, const QIcon& image) {
    item->setText(0, QString::fromStdString(platform::Cp932ToUtf8(cp932)));
    item->setIcon(0, image);
}

void SizeDieListColumn(QTreeWidget* list) {
    const QFontMetrics metrics(list->font());
    int widest = 0;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(list->topLevelItem(i)->text(0)));
    // The state image and its margins come before the text.
    list->setColumnWidth(0, widest + list->iconSize().width() + 25);
}

QTreeWidgetItem* SelectedRow(QTreeWidget* list) {
    const QList<QTreeWidgetItem*> rows = list->selectedItems();
    return rows.isEmpty() ? nullptr : rows.front();
}

void SelectRowQuietly(QTreeWidget* list, QTreeWidgetItem* row, bool scroll) {
    const QSignalBlocker block(list);
    list->clearSelection();
    if (!row) return;
    list->setCurrentItem(row);
    row->setSelected(true);
    if (scroll) list->scrollToItem(row);
    // The selection model's signals are blocked too; the view repaints from the model.
    list->viewport()->update();
}
