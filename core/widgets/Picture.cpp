#include "core/widgets/Picture.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

Picture::Picture(const QString &name, const QString &svg, QSize size, QWidget *parent) : QLabel(parent)
{
    setObjectName(name);
    setSvg(svg, size);
}

void Picture::setSvg(const QString &svg, QSize size)
{
    m_svg = svg;
    m_size = size;
    const qreal dpr = devicePixelRatioF();
    QPixmap pm(size * dpr);
    pm.fill(Qt::transparent);
    QSvgRenderer renderer(svg);
    if (renderer.isValid()) {
        QPainter p(&pm);
        renderer.render(&p);
    }
    pm.setDevicePixelRatio(dpr);
    if (!isEnabled()) {
        // A command whose window is not there yet is shown greyed out.
        QPixmap grey(pm.size());
        grey.fill(Qt::transparent);
        QPainter p(&grey);
        p.setOpacity(0.3);
        p.drawPixmap(0, 0, pm);
        grey.setDevicePixelRatio(dpr);
        pm = grey;
    }
    setPixmap(pm);
    setFixedSize(size);
}

void Picture::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        emit pressed();
}

void Picture::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    emit released();
    if (rect().contains(e->position().toPoint()))
        emit clicked();
}

void Picture::click()
{
    if (isEnabled())
        emit clicked();
}

void Picture::keyPressEvent(QKeyEvent *e)
{
    const auto mods = e->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier &&
        (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space)) {
        if (!e->isAutoRepeat())
            click();
        return;
    }
    QLabel::keyPressEvent(e);
}

void Picture::paintEvent(QPaintEvent *e)
{
    QLabel::paintEvent(e);
    // The mark shows where the keyboard is, as the style marks a button: not after a mouse click.
    if (!hasFocus() || !window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1E, 0x6F, 0xD9), 3, Qt::SolidLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 6, 6);
}

void Picture::changeEvent(QEvent *e)
{
    QLabel::changeEvent(e);
    if (e->type() == QEvent::EnabledChange && !m_svg.isEmpty())
        setSvg(m_svg, m_size);
}

Link::Link(const QString &name, const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
    setPressedLook(false);
}

void Link::setPressedLook(bool pressed)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, pressed ? QColor(0xFF, 0xA5, 0x00) : QColor(0x00, 0x00, 0x8B));
    setPalette(pal);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
}

void Link::pairWith(Picture *icon)
{
    icon->setCursor(Qt::PointingHandCursor);
    connect(icon, &Picture::pressed, this, [this] { setPressedLook(true); });
    connect(icon, &Picture::released, this, [this] { setPressedLook(false); });
    connect(icon, &Picture::clicked, this, &Link::clicked);
}

void Link::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        setPressedLook(true);
}

void Link::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    setPressedLook(false);
    if (rect().contains(e->position().toPoint()))
        emit clicked();
}
