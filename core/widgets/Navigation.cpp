#include "core/widgets/Navigation.h"

#include "core/widgets/Forms.h"
#include "core/widgets/WindowNames.h"

#include <QWidget>

namespace Navigation {
void openEditor(QStringView editorName)
{
    auto *editor = Forms::get(editorName);
    auto *menu = Forms::get(WindowNames::avvio);
    if (!editor)
        return;
    editor->show();
    editor->activateWindow();
    if (menu)
        menu->hide();
}

void backToMenu(QWidget *editor)
{
    if (auto *menu = Forms::get(WindowNames::avvio)) {
        menu->show();
        menu->activateWindow();
    }
    editor->hide();
}
} // namespace Navigation
