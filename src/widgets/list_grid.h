#pragma once

#include <utility>
#include <vector>

class QPushButton;
class QTableView;
class QWidget;

namespace orb {

// Sets up a read-only grid of whole rows, as the catalogue's and the songs' lists are: rows
// selected whole and in one block, no editing, no headers of its own (the windows have header
// buttons), and rows of one fixed height so that the view never measures 100,000 rows.
void setUpListGrid(QTableView* grid);

// Ties header buttons to the columns of a grid set up as above: each column is at least as wide
// as its button's caption and its given width, each button stands over its column at its width,
// and the column `stretching` takes the room the window gives or takes. Returns the strip that
// holds the buttons, to be laid out above the grid (in the grid's parent); it asks for no width,
// so the window can always be narrowed again.
QWidget* tieHeaderButtons(QTableView* grid,
                          const std::vector<std::pair<int, QPushButton*>>& buttons, int stretching);

}  // namespace orb
