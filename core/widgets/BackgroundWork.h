#pragma once
// Work that may take seconds (a large attachment, a safety copy, a restore) runs on a thread of its own while
// the interface stays live. The caller waits in an event loop that passes no input to its windows; after a
// short delay a progress bar appears, with "Annulla" when the work may be given up, and the loop ends when the
// work does.

#include "core/FileCopy.h"

#include <QString>
#include <functional>

class QWidget;

namespace BackgroundWork {
// Runs work on a worker thread and returns once it has ended. work touches no widget; it reads cancel and
// reports what it has done through the progress it is given.
void run(QWidget *parent, const QString &label, const std::function<void(FileCopy::Progress &)> &work,
         bool cancellable = true);
// Tests: how long the work runs before the bar appears (500 ms unless set).
void setDelayMs(int ms);
} // namespace BackgroundWork
