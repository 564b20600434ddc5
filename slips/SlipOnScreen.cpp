#include "slips/SlipOnScreen.h"

#include "core/Routines.h"
#include "core/widgets/Forms.h"
#include "core/widgets/WindowNames.h"

#include <QLineEdit>

SlipOnScreen SlipOnScreen::fromEditor()
{
    SlipOnScreen s;
    QWidget *editor = Forms::get(WindowNames::bollettino);
    auto text = [editor](const char *name) {
        if (!editor)
            return QString();
        auto *field = editor->findChild<QLineEdit *>(QString::fromLatin1(name));
        return field ? field->text() : QString();
    };
    s.importo = text("txtImporto");
    s.cents = text("txtCents");
    s.impLettere = text("txtImpLettere");
    s.centLettere = text("txtCentLettere");
    s.esecutore = text("txtEsecutore");
    s.indirizzoRes = text("txtIndirizzoRes");
    s.capRes = text("txtCapRes");
    s.comuneRes = text("txtComuneRes");
    return s;
}

QString SlipOnScreen::wordsLine() const
{
    return impLettere.trimmed() + QLatin1Char('/') + centLettere.trimmed();
}

QString SlipOnScreen::euroBoxes() const
{
    return RightText(QString(8, QLatin1Char(' ')) + importo.trimmed(), 8);
}

QString SlipOnScreen::centBoxesRight() const
{
    return RightText(QStringLiteral("  ") + cents.trimmed(), 2);
}

QString SlipOnScreen::centBoxesLeft() const
{
    return LeftText(cents.trimmed() + QStringLiteral("  "), 2);
}

QString SlipOnScreen::leftBoxes(const QString &text, int n)
{
    return LeftText(text.trimmed() + QString(n, QLatin1Char(' ')), n);
}
