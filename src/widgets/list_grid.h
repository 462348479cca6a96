#pragma once

class QTableView;

namespace orb {

// Sets up a read-only grid of whole rows, as the catalogue's and the songs' lists are: rows
// selected whole and in one block, no editing, no headers of its own (the windows have header
// buttons), and rows of one fixed height so that the view never measures 100,000 rows.
void setUpListGrid(QTableView* grid);

}  // namespace orb
