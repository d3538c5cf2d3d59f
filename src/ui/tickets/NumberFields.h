#pragma once

#include <array>
#include <functional>

#include "core/PurchasedTicket.h"

class QHBoxLayout;
class QLineEdit;
class QWidget;

// The seven fields a ticket's numbers are typed into, EditNumber1 … 7, each
// as wide as five digits, added to `row`; `edited` runs at every change.
std::array<QLineEdit*, kTicketNumberCount> AddNumberFields(QWidget* owner, QHBoxLayout* row,
                                                           const std::function<void()>& edited);
