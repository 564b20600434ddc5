#include "checks/CheckWindow.h"

#include "core/Formats.h"
#include "core/widgets/Keyboard.h"
#include "core/widgets/Picture.h"
#include "core/widgets/WindowStyle.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace {
// The longest typing limit of the four checks (card numbers): every check window gets the width that
// fits it, so that the four look alike.
constexpr int WidestLimit = 30;
const QString BannerSvg = QStringLiteral(":/icons/banner.svg");

// The banner spans the window at its drawn proportions.
int bannerHeightFor(int width)
{
    QSize drawn = QSvgRenderer(BannerSvg).defaultSize();
    if (drawn.isEmpty())
        drawn = QSize(760, 90);
    return width * drawn.height() / drawn.width();
}

int fieldWidthFor(const QLineEdit *field, int chars)
{
    const QFontMetrics fm(field->font());
    // Frame and inner margins of the line edit, plus room for the cursor after the last character.
    return fm.horizontalAdvance(QString(chars, QLatin1Char('W'))) + 2 * fm.averageCharWidth() / 3 + 14;
}
} // namespace

TCheckWindow::TCheckWindow(const QString &instance, const QString &caption, const QString &instruction,
                           const QString &entryName, int typingLimit, QWidget *parent)
    : QDialog(parent), m_typingLimit(typingLimit)
{
    Formats::applyProcessFormats();
    setObjectName(instance);
    setWindowTitle(caption);
    WindowStyle::fixedDialog(this);

    lblTitolo = new QLabel(instruction, this);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setFont(QFont(QStringLiteral("Tahoma"), 10, QFont::Bold));
    lblTitolo->setStyleSheet(QStringLiteral("color: #1F3A68;"));
    lblTitolo->setWordWrap(true);

    m_entry = new QLineEdit(this);
    m_entry->setObjectName(entryName);
    QFont mono(QStringLiteral("Courier New"), 20, QFont::Bold);
    mono.setStyleHint(QFont::Monospace);
    m_entry->setFont(mono);
    m_entry->setMaxLength(typingLimit);
    m_entry->setFixedWidth(fieldWidthFor(m_entry, typingLimit));
    m_entry->installEventFilter(this);

    btnControlla = new QPushButton(QStringLiteral("Controlla"), this);
    btnControlla->setObjectName(QStringLiteral("btnControlla"));
    const int buttonWidth = qMax(btnControlla->sizeHint().width(), 100);
    btnControlla->setFixedSize(buttonWidth, m_entry->sizeHint().height());
    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setFixedSize(buttonWidth, qMax(btnChiudi->sizeHint().height(), 30));
    connect(btnControlla, &QPushButton::clicked, this, [this] { btnControllaClick(); });
    connect(btnChiudi, &QPushButton::clicked, this, &TCheckWindow::btnChiudiClick);

    Input::enterMoves(m_entry, btnControlla);
    setTabOrder(m_entry, btnControlla);
    setTabOrder(btnControlla, btnChiudi);

    const int spacing = 8;
    const int contentWidth = fieldWidthFor(m_entry, WidestLimit) + spacing + buttonWidth;
    imgLogo =
        new Picture(QStringLiteral("imgLogo"), BannerSvg, QSize(contentWidth, bannerHeightFor(contentWidth)), this);
    lblTitolo->setFixedWidth(contentWidth);

    auto *row = new QHBoxLayout;
    row->setSpacing(spacing);
    row->addStretch();
    row->addWidget(m_entry);
    row->addWidget(btnControlla);
    row->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(imgLogo, 0, Qt::AlignHCenter);
    layout->addWidget(lblTitolo);
    layout->addLayout(row);
    layout->addSpacing(6);
    layout->addWidget(btnChiudi, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TCheckWindow::setEntry(const QString &text)
{
    m_entry->setMaxLength(qMax(m_typingLimit, int(text.size())));
    m_entry->setText(text);
}

void TCheckWindow::btnChiudiClick()
{
    close();
}

void TCheckWindow::warnAndStay(const QString &text)
{
    Seams::Messages::warning(this, text);
    m_entry->setFocus(Qt::OtherFocusReason);
}

void TCheckWindow::verdict(Seams::MsgKind kind, const QString &text)
{
    Seams::Messages::show(this, kind, text);
    accept();
}

void TCheckWindow::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    WindowStyle::centre(this);
    m_entry->setFocus(Qt::OtherFocusReason);
}

bool TCheckWindow::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == m_entry && e->type() == QEvent::KeyPress)
        fitLimitToText();
    return QDialog::eventFilter(watched, e);
}

// A text handed over longer than the typing limit may be shortened but never lengthened: the limit follows
// it down to the typing limit before each key.
void TCheckWindow::fitLimitToText()
{
    const int limit = qMax(m_typingLimit, int(m_entry->text().size()));
    if (limit == m_entry->maxLength())
        return;
    const int cursor = m_entry->cursorPosition();
    const int selStart = m_entry->selectionStart();
    const int selLength = int(m_entry->selectedText().size());
    m_entry->setMaxLength(limit); // moves the cursor to the end: put it and the selection back
    if (selLength == 0)
        m_entry->setCursorPosition(cursor);
    else if (cursor == selStart)
        m_entry->setSelection(selStart + selLength, -selLength);
    else
        m_entry->setSelection(selStart, selLength);
}
