#include "widgets/list_grid.h"

#include <algorithm>

#include <QEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

namespace orb {

void setUpListGrid(QTableView* grid) {
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
}

namespace {

// Gives the stretching column what the grid's viewport has beyond the other columns, never
// less than its own least width, whenever the viewport changes size.
class StretchingColumn : public QObject {
public:
    StretchingColumn(QTableView* grid, int column, int leastWidth)
        : QObject(grid), grid_(grid), column_(column), leastWidth_(leastWidth) {
        grid->viewport()->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            int others = 0;
            for (int column = 0; column < grid_->model()->columnCount(); ++column) {
                if (column != column_ && !grid_->isColumnHidden(column)) {
                    others += grid_->columnWidth(column);
                }
            }
            grid_->setColumnWidth(column_,
                                  std::max(leastWidth_, grid_->viewport()->width() - others));
        }
        return false;
    }

private:
    QTableView* grid_;
    int column_;
    int leastWidth_;
};

}  // namespace

void tieHeaderButtons(QTableView* grid, const std::vector<std::pair<int, QPushButton*>>& buttons,
                      int stretching) {
    for (const auto& [column, button] : buttons) {
        const int width = std::max(grid->columnWidth(column), button->sizeHint().width());
        grid->setColumnWidth(column, width);
        button->setFixedWidth(width);
    }
    QObject::connect(grid->horizontalHeader(), &QHeaderView::sectionResized, grid,
                     [buttons](int column, int, int width) {
                         for (const auto& [tied, button] : buttons) {
                             if (tied == column) {
                                 button->setFixedWidth(width);
                             }
                         }
                     });
    new StretchingColumn(grid, stretching, grid->columnWidth(stretching));
}

}  // namespace orb
