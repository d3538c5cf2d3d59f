#pragma once

#include <QIcon>

// The program's window icon: drawn balls in the chart colours.
QIcon AppIcon();
