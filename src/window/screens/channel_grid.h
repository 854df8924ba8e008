// The read-only overview grids: a table model over the grid data of the editor and a view
// that jumps to a row's own screen on a double click or Enter.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <string>

#include "editor/channel_grids.h"

#include "window/screens/screen.h"

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

class ChannelGrid : public QTableView, public Screen {
    Q_OBJECT

  public:
    // model: where ShowTarget takes the grids from; without one only Show fills the grid.
    explicit ChannelGrid(QWidget* parent = nullptr, const SettingsModel* model = nullptr);

    // Shows the grid, sized by its column descriptions.
    void Show(GridData grid);
    GridModel* Model() const { return model_; }

    QWidget* Widget() override { return this; }
    // Before a new data set the grid is empty.
    void Prepare() override { Show({}); }
    // The grid of a plan or a directory.
    void ShowTarget(const ScreenTarget& target) override;

  signals:
    void JumpRequested(const std::string& key);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Jump(int row);

    GridModel* model_;
    const SettingsModel* source_;
};

}  // namespace tq530
