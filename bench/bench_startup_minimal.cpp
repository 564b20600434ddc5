// The yardstick of the start-up benchmark: a minimal Qt Widgets program that shows one window and says
// "shown" when it is first painted.
#include <QApplication>
#include <QWidget>
#include <cstdio>

namespace {
class Window : public QWidget {
protected:
    void paintEvent(QPaintEvent *) override
    {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    }
};
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Window w;
    w.resize(480, 320);
    w.show();
    return app.exec();
}
