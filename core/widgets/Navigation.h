#pragma once
class QWidget;
#include <QStringView>

// Exactly one working window is visible: the main menu or one editor.
namespace Navigation {
void openEditor(QStringView editorName); // shows the editor first, then hides the main menu
void backToMenu(QWidget *editor);        // an editor's close: the main menu comes back
} // namespace Navigation
