#pragma once

#include <QSize>

class QPushButton;
class QString;
class QWidget;

// How MakeButton holds a button to the size it is given.
enum class ButtonSizing {
    Natural,  // as large as its text needs; the size given is not used
    AtLeast,  // as large as its text needs, but never smaller than the size given
    Exactly,  // the size given, whatever its text
};

// A push button with its object name (the windows' tests and commands find
// buttons by it), sized in pixels as sizing says.
QPushButton* MakeButton(const QString& text, const char* objectName, QWidget* parent,
                        ButtonSizing sizing = ButtonSizing::Natural, QSize size = {});

// The usual command button, 1500 × 375 twips, in pixels on reference's screen.
QSize UsualButtonSize(const QWidget* reference);
