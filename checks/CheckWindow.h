#pragma once
#include "core/Seams.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class Picture;

// The one shape of the identifier check windows: banner, instruction, an entry field with "Controlla"
// beside it and "Chiudi" centred below. The window is left only through its own buttons.
class TCheckWindow : public QDialog {
    Q_OBJECT
public:
    Picture *imgLogo;
    QLabel *lblTitolo;
    QPushButton *btnControlla;
    QPushButton *btnChiudi;

    QLineEdit *entry() const { return m_entry; }
    // Fills the field as the caller hands the text over: a text longer than the typing limit stays whole.
    void setEntry(const QString &text);

    virtual void btnControllaClick() = 0;
    void btnChiudiClick();

protected:
    TCheckWindow(const QString &instance, const QString &caption, const QString &instruction, const QString &entryName,
                 int typingLimit, QWidget *parent);

    // Wrong input: the window stays open for correction, with the focus back in the field.
    void warnAndStay(const QString &text);
    // A verdict ends the check.
    void verdict(Seams::MsgKind kind, const QString &text);

    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void fitLimitToText();

    QLineEdit *m_entry;
    int m_typingLimit;
};
