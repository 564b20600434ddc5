#pragma once
#include <QColor>
#include <QLabel>
#include <QSize>

// A picture drawn from one of our SVGs at the screen's resolution; reacts to clicks.
class Picture : public QLabel {
    Q_OBJECT
public:
    Picture(const QString &name, const QString &svg, QSize size, QWidget *parent);
    void setSvg(const QString &svg, QSize size);
    // A click from the keyboard or a shortcut: the same signal a mouse click gives, when enabled.
    void click();
signals:
    void pressed();
    void released();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void changeEvent(QEvent *e) override;
    // A picture that takes the focus (setFocusPolicy) shows it and opens with Enter or Space.
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    QString m_svg;
    QSize m_size;
};

// A link text: dark blue, orange while the mouse button is held on it (or on its icon).
class Link : public QLabel {
    Q_OBJECT
public:
    Link(const QString &name, const QString &text, QWidget *parent);
    void setPressedLook(bool pressed);
    // The icon beside the link presses the link too.
    void pairWith(Picture *icon);
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
};
