// CNcInfoView: the information list pane: program extents, or the status of the running trace.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <filesystem>
#include <functional>
#include <vector>

#include "views/InfoListRows.h"

class CDtbEngine;
class CNcRead;

// The two columns "Sign" and "Address value" over a handful of rows.
class InfoListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void SetRows(std::vector<InfoListRow> rows);
    const std::vector<InfoListRow>& Rows() const { return rows_; }

private:
    std::vector<InfoListRow> rows_;
};

class CNcInfoView : public QTableView {
    Q_OBJECT
public:
    explicit CNcInfoView(QWidget* parent = nullptr);

    // Where the list reads its settings and the document's elements (may be null).
    void SetSource(const std::filesystem::path& iniPath, const CDtbEngine* elements);
    // Settings, font and colour again; the "Max" and "Min" rows of the elements' box.
    void OnUpdate();
    // Replaces the rows by the four rows of the reader's trace status. Returns 0.
    int ShowTraceStatus(const CNcRead& reader);

    const std::vector<InfoListRow>& Rows() const { return model_.Rows(); }
    const InfoListSettings& Settings() const { return settings_; }
    // The frame's wheel routing (key flags, delta, screen point); unset keeps Qt's scrolling.
    std::function<void(unsigned, int, QPoint)> RouteWheel;

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void ApplySettings();

    InfoListModel model_;
    InfoListSettings settings_;
    std::filesystem::path iniPath_;
    const CDtbEngine* elements_ = nullptr;
};
