#pragma once

#include "ui/PrintPreview.h"

// Qt's print preview on the default printer's paper, turned and with the
// margins the job asks for; each preview paints the pages afresh for the
// paper then chosen.
void RunPreviewDialog(const PrintJob& job, QWidget* parent);
