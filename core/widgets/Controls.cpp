#include "core/widgets/Controls.h"

#include "core/widgets/Picture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

} // namespace Controls
