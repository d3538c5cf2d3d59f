#pragma once

#include <QString>

#include "ui/ChildWindow.h"

class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

// The measures the child windows share, in twips: the margin around a
// window's content, the space between its rows, and a command button's size.
inline constexpr int kWindowMarginTwips = 120;
inline constexpr int kWindowSpacingTwips = 90;
inline constexpr int kCommandButtonWidthTwips = 900;
inline constexpr int kCommandButtonHeightTwips = 375;
// Where a window's grid begins below its description and buttons.
inline constexpr int kGridTopTwips = 600;

// The set-up of a tool's window, whose object name is also its caption.
ChildWindowSetup ToolWindowSetup(const char* name, int widthTwips, int heightTwips,
                                 PendingEvents events = PendingEvents::BeforeBuild);

// A label that wraps its text, with its object name (empty: none).
QLabel* MakeLabel(const QString& text, const char* objectName, QWidget* parent);

// A label before a field: the field's name for a screen reader, and its
// access key's target when the text has one.
QLabel* BuddyLabel(const QString& text, QWidget* field, QWidget* parent);

// The window's layout of rows, top to bottom, with the shared margin (and
// spacing, when `spacing` is true; else the style's).
QVBoxLayout* MakeWindowLayout(QWidget* window, bool spacing = true);

// The window's top row: what it does (as wide as there is room) and, at the
// top on the right, 印刷 and 閉じる.
QHBoxLayout* MakeTopRow(QLabel* description, QPushButton* print, QPushButton* close);
