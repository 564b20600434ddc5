#pragma once
#include <QStringList>
#include <cstddef>

class QApplication;
class QWidget;

namespace Startup {
// Before the application object exists: software rendering, so that no graphics driver is needed.
void prepare();
// Italian translations of Qt's own dialogs, process-wide formats, the look of the whole application.
void initialise(QApplication &app);
// The archives the safety copies know, with the record size each one's layout gives.
void registerArchives();
// One long-lived instance of every window, in creation-table order; the first is the main window.
void createWindows();
QStringList creationOrder();
QWidget *firstWindow();
// The first window created and shown; the rest are created, in their order, once it has been painted, or at
// once when one of them is asked for (Forms::get, Forms::all).
void start();
// How many windows of the table exist.
std::size_t createdCount();
// The whole start: prepare, application, initialise, windows, first window shown, message loop.
int run(int argc, char **argv);
} // namespace Startup
