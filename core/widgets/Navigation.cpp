#include "core/widgets/Navigation.h"

#include "core/widgets/Forms.h"

#include <QWidget>

namespace Navigation {
void openEditor(const QString &editorName)
{
    auto *editor = Forms::get(editorName);
    auto *menu = Forms::get(QStringLiteral("frmAvvio"));
    if (!editor)
        return;
    editor->show();
    editor->activateWindow();
    if (menu)
        menu->hide();
}

void backToMenu(QWidget *editor)
{
    if (auto *menu = Forms::get(QStringLiteral("frmAvvio"))) {
        menu->show();
        menu->activateWindow();
    }
    editor->hide();
}
} // namespace Navigation
