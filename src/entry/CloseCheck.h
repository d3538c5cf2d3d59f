#pragma once

#include <QModelIndex>

class DrawEntryModel;

// The check run before the entry window closes: every row in order, and
// within a row the seven main numbers, then the two bonus numbers.  Returns
// the first wrong cell (see IsWrongForClose), or an invalid index when every
// cell passes.  The draw number is not looked at.
QModelIndex FirstWrongCell(const DrawEntryModel& model);
