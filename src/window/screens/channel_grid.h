// The read-only overview grids: a table model over the grid data of the editor and a view
// that jumps to a row's own screen on a double click or Enter.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <string>

#include "editor/channel_grids.h"

namespace tq530 {

class GridModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetGrid(GridData grid);
    const GridData& Grid() const { return grid_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    GridData grid_;
};

class ChannelGrid : public QTableView {
    Q_OBJECT

  public:
    explicit ChannelGrid(QWidget* parent = nullptr);

    // Shows the grid, sized by its column descriptions.
    void Show(GridData grid);
    GridModel* Model() const { return model_; }

  signals:
    void JumpRequested(const std::string& key);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Jump(int row);

    GridModel* model_;
};

}  // namespace tq530
