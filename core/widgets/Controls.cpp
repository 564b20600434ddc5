#include "core/widgets/Controls.h"

#include "core/widgets/Picture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVariant>

namespace Controls {

QLineEdit *field(QWidget *parent, const char *name, QRect geometry, int maxLength, Qt::Alignment align)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(geometry);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    e->setAlignment(align | Qt::AlignVCenter);
    return e;
}

QLabel *caption(QWidget *parent, const QString &text, QPoint at, const char *name)
{
    auto *l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    l->move(at);
    l->adjustSize();
    return l;
}

QLabel *hidden(QWidget *parent, const char *name, const QString &design)
{
    auto *l = new QLabel(design, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->hide();
    return l;
}

Picture *picture(QWidget *parent, const char *name, const char *svg, QSize size, QPoint at)
{
    auto *p =
        new Picture(QString::fromLatin1(name), QStringLiteral(":/icons/") + QString::fromLatin1(svg), size, parent);
    if (!at.isNull())
        p->move(at);
    p->setCursor(Qt::PointingHandCursor);
    return p;
}

QPushButton *focusHolder(QWidget *parent)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(QStringLiteral("btnFocus"));
    b->setGeometry(0, 0, 1, 1);
    b->setFlat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setStyleSheet(QStringLiteral("border: none; background: transparent;"));
    return b;
}

namespace {
constexpr const char *kTypingLimit = "typingLimit";
}

int typingLimit(const QLineEdit *box)
{
    const QVariant limit = box->property(kTypingLimit);
    return limit.isValid() ? limit.toInt() : box->maxLength();
}

void setWholeText(QLineEdit *box, const QString &text)
{
    if (!box->property(kTypingLimit).isValid()) {
        box->setProperty(kTypingLimit, box->maxLength());
        QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString &now) {
            const int limit = typingLimit(box);
            if (now.size() <= limit && box->maxLength() != limit)
                box->setMaxLength(limit);
        });
    }
    box->setMaxLength(qMax(typingLimit(box), int(text.size())));
    box->setText(text);
    box->setCursorPosition(0);
}

QLabel *statusLine(QWidget *parent, const QString &text)
{
    auto *line = new QLabel(text, parent);
    line->setObjectName(QStringLiteral("panInfo"));
    line->setTextFormat(Qt::PlainText);
    line->setFont(QFont(QStringLiteral("Tahoma"), 12));
    line->setStyleSheet(QStringLiteral("QLabel { background: #4A6A8A; color: white; padding-left: 10px; "
                                       "font-weight: normal; }"));
    return line;
}
} // namespace Controls
