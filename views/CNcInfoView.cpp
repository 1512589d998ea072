// The information list pane: a two-column table of extents or trace status.
#include "views/CNcInfoView.h"

#include <QHeaderView>
#include <QWheelEvent>

#include "kernel/db/CDtbEngine.h"
#include "nc/read/CNcRead.h"

int InfoListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int InfoListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant InfoListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const InfoListRow& r = rows_[static_cast<size_t>(index.row())];
    return QString::fromStdString(index.column() == 0 ? r.label : r.value);
}

QVariant InfoListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    return QString::fromStdString(InfoListText(section == 0 ? kInfoHeadSign : kInfoHeadValue));
}

void InfoListModel::SetRows(std::vector<InfoListRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

CNcInfoView::CNcInfoView(QWidget* parent) : QTableView(parent) {
    setObjectName("NcInfoView");
    setModel(&model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(false);
    setColumnWidth(0, 60);
    setColumnWidth(1, 350);
}

void CNcInfoView::SetSource(const std::filesystem::path& iniPath, const CDtbEngine* elements) {
    iniPath_ = iniPath;
    elements_ = elements;
}

void CNcInfoView::ApplySettings() {
    settings_ = InfoListSettings{};
    if (!iniPath_.empty()) settings_.Load(iniPath_);
    QFont font(QString::fromStdString(settings_.fontName));
    font.setStyleHint(QFont::TypeWriter);
    if (settings_.fontSize > 0) font.setPointSizeF(settings_.fontSize / 10.0);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::Text,
                 QColor(settings_.textR & 0xFF, settings_.textG & 0xFF, settings_.textB & 0xFF));
    setPalette(pal);
}

void CNcInfoView::OnUpdate() {
    ApplySettings();
    model_.SetRows(elements_ ? ExtentRows(*elements_) : std::vector<InfoListRow>{});
    setColumnWidth(0, 60);
    setColumnWidth(1, 350);
}

int CNcInfoView::ShowTraceStatus(const CNcRead& reader) {
    model_.SetRows(TraceStatusRows(reader.State, reader.WorkTime));
    return 0;
}

void CNcInfoView::wheelEvent(QWheelEvent* event) {
    if (!RouteWheel) {
        QTableView::wheelEvent(event);
        return;
    }
    unsigned flags = 0;
    if (event->modifiers() & Qt::ControlModifier) flags |= 0x0008;
    if (event->modifiers() & Qt::ShiftModifier) flags |= 0x0004;
    RouteWheel(flags, event->angleDelta().y(), event->globalPosition().toPoint());
    event->accept();
}
