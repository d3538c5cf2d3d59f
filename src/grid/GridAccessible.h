#pragma once

class GridView;

// Makes every GridView a table to assistive technology (screen readers):
// rows, columns, each cell's text, the frozen rows and columns as the
// column and row headers of the cells, the selection, and the current cell
// as the focused child.  Safe to call more than once.
void InstallGridAccessibility();

// Tells assistive technology that the view's current cell changed.
void NotifyAccessibleCurrentCell(GridView* view);
// Tells assistive technology that the view's selection changed.
void NotifyAccessibleSelection(GridView* view);
