// NcLineModel: rows of the NC line list computed on demand.
#include "text/NcLineModel.h"

#include <algorithm>
#include <cstdint>

#include "platform/Cp932.h"
#include "platform/TextCodec.h"
#include "text/BreakpointIcons.h"
#include "text/NcTextLook.h"
#include "text/core/NcLineClass.h"
#include "text/core/NcLineNumbers.h"
#include "text/core/TextStrings.h"

namespace {

const QColor kErrorText(255, 255, 255);
const QColor kErrorBack(255, 0, 0);

}  // namespace

NcLineModel::NcLineModel(QObject* parent) : QAbstractTableModel(parent) {}

void NcLineModel::Refill(const std::vector<std::string>* lines, NcTextRules rules,
                         const NcTextViewSettings& settings) {
    beginResetModel();
    lines_ = lines;
    count_ = lines ? int(std::min<size_t>(lines->size(), size_t(INT32_MAX))) : 0;
    rules_ = std::move(rules);
    originNumbers_.clear();
    if (lines_ && rules_.AppMachineType == 1) originNumbers_ = OriginShiftNumbers(*lines_, rules_);
    states_.Reset(lines_ ? lines_->size() : 0);
    const std::array<QColor, 4> colours = NcClassColours(settings);
    std::copy(colours.begin(), colours.end(), classColours_);
    dropRow_ = -1;
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, kColMark, kColMark);
}

int NcLineModel::Count() const {
    return count_;
}

const std::string* NcLineModel::Line(int row) const {
    if (!lines_ || row < 0 || row >= count_ || size_t(row) >= lines_->size()) return nullptr;
    return &(*lines_)[size_t(row)];
}

std::string NcLineModel::LineLabel(int row) const {
    if (row < 0 || row >= Count()) return {};
    return LineNumberLabel(size_t(row), lines_->size(), rules_, originNumbers_);
}

int NcLineModel::ColourClass(int row) const {
    const std::string* line = Line(row);
    return line ? ClassifyNcLine(*line, rules_, scratch_) : int(kClassPlain);
}

uint32_t NcLineModel::RowParam(int row) const {
    return MakeNcRowParam(states_.Breakpoint(size_t(row)), ColourClass(row),
                          states_.ErrorMark(size_t(row)));
}

void NcLineModel::RowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, kColData));
}

int NcLineModel::ClickBreakpoint(int row) {
    if (row < 0 || row >= Count()) return -1;
    const int header = states_.HeaderImage();
    const int value = states_.ClickBreakpoint(size_t(row));
    RowChanged(row);
    if (states_.HeaderImage() != header) emit headerDataChanged(Qt::Horizontal, 0, 0);
    return value;
}

void NcLineModel::ClickHeader() {
    states_.ClickHeader();
    if (Count() > 0) emit dataChanged(index(0, kColMark), index(Count() - 1, kColMark));
    emit headerDataChanged(Qt::Horizontal, kColMark, kColMark);
}

bool NcLineModel::SetBreakpoint(int row, int value) {
    if (row < 0 || !states_.SetBreakpoint(size_t(row), value)) return false;
    RowChanged(row);
    return true;
}

bool NcLineModel::SetErrorMark(int row, int value) {
    if (row < 0 || !states_.SetErrorMark(size_t(row), value)) return false;
    RowChanged(row);
    return true;
}

void NcLineModel::SetErrorMarks(const std::vector<int>& codes) {
    for (int row = 0; row < Count(); ++row)
        states_.SetErrorMark(size_t(row), size_t(row) < codes.size() && codes[size_t(row)] ? 1 : 0);
    if (Count() > 0) emit dataChanged(index(0, 0), index(Count() - 1, kColData));
}

void NcLineModel::SetHeaderImage(int image) {
    states_.SetHeaderImage(image);
    emit headerDataChanged(Qt::Horizontal, kColMark, kColMark);
}

void NcLineModel::SetDropRow(int row) {
    if (row < -1 || row >= Count()) row = -1;
    if (row == dropRow_) return;
    const int old = dropRow_;
    dropRow_ = row;
    if (old >= 0) RowChanged(old);
    if (row >= 0) RowChanged(row);
}

int NcLineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

int NcLineModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

std::string_view NcLineModel::ShownPart(std::string_view line) {
    if (line.size() <= kShownBytes) return line;
    size_t n = 0;
    while (n < kShownBytes) n += platform::CharLength(line, n);
    return line.substr(0, n);
}

QString NcLineModel::ShownText(std::string_view line) {
    QString text = QString::fromStdString(platform::Cp932ToUtf8(ShownPart(line)));
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 && u != u'\t')
            c = QChar(char16_t(0x2400 + u));
        else if (u == 0x7F)
            c = QChar(char16_t(0x2421));
    }
    return text;
}

QVariant NcLineModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (!index.isValid() || row < 0 || row >= Count()) return {};
    switch (role) {
        case Qt::DisplayRole:
            if (index.column() == kColLine) return QString::fromStdString(LineLabel(row));
            if (index.column() == kColData) {
                const std::string* line = Line(row);
                return line ? ShownText(*line) : QString();
            }
            return {};
        case Qt::DecorationRole:
            if (index.column() == kColMark) return BreakpointIcon(states_.Breakpoint(size_t(row)));
            return {};
        case Qt::TextAlignmentRole:
            if (index.column() == kColLine) return int(Qt::AlignRight | Qt::AlignVCenter);
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::ForegroundRole:
            if (states_.ErrorMark(size_t(row))) return kErrorText;
            if (row == dropRow_) return QColor(Qt::white);
            return classColours_[ColourClass(row) & 3];
        case Qt::BackgroundRole:
            if (states_.ErrorMark(size_t(row))) return kErrorBack;
            if (row == dropRow_) return QColor(0, 96, 192);
            return {};
        case kRowParamRole:
            return RowParam(row);
        default:
            return {};
    }
}

QVariant NcLineModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DecorationRole && section == kColMark)
        return BreakpointIcon(states_.HeaderImage());
    if (role == Qt::DisplayRole) {
        if (section == kColLine) return QString::fromStdString(TextString(61449));
        if (section == kColData) return QString::fromStdString(TextString(61450));
        return QString();
    }
    if (role == Qt::TextAlignmentRole)
        return int((section == kColLine ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags NcLineModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
