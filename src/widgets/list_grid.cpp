#include "widgets/list_grid.h"

#include <algorithm>

#include <QEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
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

// Holds the header buttons over their columns. It places them itself and asks its layout for
// no width: a column widened with the window must never become the window's least width.
class HeaderStrip : public QWidget {
public:
    HeaderStrip(QTableView* grid, std::vector<std::pair<int, QPushButton*>> buttons)
        : QWidget(grid->parentWidget()), grid_(grid), buttons_(std::move(buttons)) {
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, &HeaderStrip::place);
        connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, &HeaderStrip::place);
        grid->installEventFilter(this);
        grid->viewport()->installEventFilter(this);
    }

    QSize sizeHint() const override {
        int height = 0;
        for (const auto& [column, button] : buttons_) {
            height = std::max(height, button->sizeHint().height());
        }
        return {0, height};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

    // Each button over its column, as the grid has scrolled.
    void place() {
        const int left =
            grid_->viewport()->mapTo(window(), QPoint()).x() - mapTo(window(), QPoint()).x();
        for (const auto& [column, button] : buttons_) {
            button->setGeometry(left + grid_->columnViewportPosition(column), 0,
                                grid_->columnWidth(column), height());
        }
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move) {
            place();
        }
        return false;
    }
    void resizeEvent(QResizeEvent*) override { place(); }
    void moveEvent(QMoveEvent*) override { place(); }

private:
    QTableView* grid_;
    std::vector<std::pair<int, QPushButton*>> buttons_;
};

}  // namespace

QWidget* tieHeaderButtons(QTableView* grid,
                          const std::vector<std::pair<int, QPushButton*>>& buttons,
                          int stretching) {
    auto* strip = new HeaderStrip(grid, buttons);
    for (const auto& [column, button] : buttons) {
        grid->setColumnWidth(column,
                             std::max(grid->columnWidth(column), button->sizeHint().width()));
        button->setParent(strip);
        // A click sorts; the keyboard stays with the grid.
        button->setFocusPolicy(Qt::NoFocus);
    }
    new StretchingColumn(grid, stretching, grid->columnWidth(stretching));
    strip->place();
    return strip;
}

}  // namespace orb
