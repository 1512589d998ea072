// NcLineModel: the rows of the NC line list over the document's lines. Nothing is copied: each
// row is classified, numbered and decoded from CP932 when the view asks for it, so a program of
// a million lines is listed at once.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <string>
#include <string_view>
#include <vector>

#include "text/core/NcRowStates.h"
#include "text/core/NcTextRules.h"
#include "text/core/NcTextViewSettings.h"

class NcLineModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The row's NcRowParam (an unsigned int) under this role.
    static constexpr int kRowParamRole = Qt::UserRole + 1;
    enum Column { kColMark = 0, kColLine = 1, kColData = 2 };

    explicit NcLineModel(QObject* parent = nullptr);

    // A fill: the lines (null for none; they must outlive the next fill), the text rules and
    // the colours. Breakpoints and error marks are cleared, the header image becomes 3.
    void Refill(const std::vector<std::string>* lines, NcTextRules rules,
                const NcTextViewSettings& settings);

    const std::vector<std::string>* Lines() const { return lines_; }
    const NcTextRules& Rules() const { return rules_; }
    int Count() const;
    // The text of the line-number column of row.
    std::string LineLabel(int row) const;
    int ColourClass(int row) const;
    uint32_t RowParam(int row) const;

    // Row states; each change repaints what it changed.
    const NcRowStates& States() const { return states_; }
    int ClickBreakpoint(int row);
    void ClickHeader();
    bool SetBreakpoint(int row, int value);
    bool SetErrorMark(int row, int value);
    // The error mark of every row from the Check NC codes of its line (1 for a code, 0 for
    // none or for a row without a code), repainted at once.
    void SetErrorMarks(const std::vector<int>& codes);
    void SetHeaderImage(int image);

    // The drop-highlighted row (the row a search found), -1 none.
    int DropRow() const { return dropRow_; }
    void SetDropRow(int row);

    // What a row shows of a line: the line itself, or its first kShownBytes bytes (never half a
    // double-byte character). A row cannot show more, and a line of megabytes (a file without
    // line ends) would be laid out whole at every paint.
    static constexpr size_t kShownBytes = 2048;
    static std::string_view ShownPart(std::string_view line);
    // The text a row shows of a line: ShownPart decoded from CP932, with each control byte but
    // the tab (NUL, CR, ESC, DEL ...) shown as its Unicode control picture (U+2400 + byte,
    // U+2421 for DEL). The reader sees those bytes, and a NUL ends a number: drawn as nothing,
    // "X1<NUL>." would look like X1. while it is read as X0.001. Display only: the line stays.
    static QString ShownText(std::string_view line);

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void RowChanged(int row);

    // The line at row, null beyond the lines (they may have changed since the fill).
    const std::string* Line(int row) const;

    const std::vector<std::string>* lines_ = nullptr;
    int count_ = 0;  // the rows of the last fill: the view knows no other count
    NcTextRules rules_;
    std::vector<uint32_t> originNumbers_;  // AppMachineType 1 only
    NcRowStates states_;
    QColor classColours_[4];
    int dropRow_ = -1;
    mutable std::string scratch_;
};
