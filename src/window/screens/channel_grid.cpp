#include "window/screens/channel_grid.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "editor/help_contexts.h"
#include "editor/screen_tree.h"
#include "window/screens/field_edit.h"
#include "window/screens/help_context.h"

namespace tq530 {

namespace {

// Column widths come in twips; 15 twips make a pixel at 96 dpi.
int TwipsToPixels(int twips, const QWidget* widget) {
    return twips * widget->logicalDpiX() / 1440;
}

}  // namespace

void GridModel::SetGrid(GridData grid) {
    beginResetModel();
    grid_ = std::move(grid);
    endResetModel();
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(grid_.Rows.size());
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(grid_.Columns.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) {
        return {};
    }
    const GridRow& row = grid_.Rows[static_cast<size_t>(index.row())];
    const size_t column = static_cast<size_t>(index.column());
    return column < row.Cells.size() ? FromModel(row.Cells[column]) : QString();
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return FromModel(grid_.Columns[static_cast<size_t>(section)].Header);
}

ChannelGrid::ChannelGrid(QWidget* parent, const SettingsModel* model)
    : QTableView(parent), model_(new GridModel(this)), source_(model) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    SetHelpContext(this, kHelpChannelGrid);
    setWordWrap(false);
    verticalHeader()->hide();
    // Fixed row heights keep a 114-row grid quick to show.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    SetHint(this, hint::kGrid);
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { Jump(index.row()); });
}

void ChannelGrid::ShowTarget(const ScreenTarget& target) {
    if (source_ == nullptr) {
        return;
    }
    const bool group = target.Kind == ScreenKind::GroupIdGrid;
    if (group || target.Kind == ScreenKind::MemoryIdGrid) {
        Show(DirectoryGrid(*source_, group));
    } else {
        Show(target.Plan == PlanId::Exp ? ExpGrid(*source_) : PresetGrid(*source_, target.Plan));
    }
}

void ChannelGrid::Show(GridData grid) {
    model_->SetGrid(std::move(grid));
    const GridData& shown = model_->Grid();
    for (size_t c = 0; c < shown.Columns.size(); ++c) {
        setColumnWidth(static_cast<int>(c), TwipsToPixels(shown.Columns[c].WidthTwips, this));
    }
    if (!shown.Rows.empty()) {
        setCurrentIndex(model_->index(0, 0));
    }
    scrollToTop();
}

void ChannelGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Jump(currentIndex().row());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ChannelGrid::Jump(int row) {
    const GridData& grid = model_->Grid();
    if (row < 0 || row >= static_cast<int>(grid.Rows.size())) {
        return;
    }
    const std::string& key = grid.Rows[static_cast<size_t>(row)].JumpKey;
    if (!key.empty()) {
        emit JumpRequested(key);
    }
}

}  // namespace tq530
