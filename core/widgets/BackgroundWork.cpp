#include "core/widgets/BackgroundWork.h"

#include "core/widgets/ScanProgress.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <memory>

namespace {
int g_delayMs = 500;

// While the work runs, clicks, keys and close requests reach only the progress bar: nothing can start a
// second operation or close a window under the first.
class InputGate : public QObject {
public:
    QPointer<QWidget> open;
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
        case QEvent::Close:
            // Events reach a window first, then its widgets.
            if (auto *w = qobject_cast<QWidget *>(watched))
                return !(open && (w == open || open->isAncestorOf(w)));
            if (auto *window = qobject_cast<QWindow *>(watched))
                return !(open && open->windowHandle() == window);
            return false;
        default:
            return false;
        }
    }
};
} // namespace

namespace BackgroundWork {

void setDelayMs(int ms)
{
    g_delayMs = ms;
}

void run(QWidget *parent, const QString &label, const std::function<void(FileCopy::Progress &)> &work, bool cancellable)
{
    FileCopy::Progress progress;
    std::unique_ptr<QThread> thread(QThread::create([&work, &progress] { work(progress); }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    InputGate gate;
    qApp->installEventFilter(&gate);
    std::unique_ptr<QProgressDialog> dialog;
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (!dialog && clock.elapsed() >= g_delayMs) {
            dialog = ScanProgress::makeDialog(parent, label, cancellable);
            dialog->setWindowModality(Qt::ApplicationModal);
            QObject::connect(dialog.get(), &QProgressDialog::canceled, &loop, [&] {
                progress.cancel = true;
                dialog->setLabelText(QStringLiteral("Annullamento in corso..."));
            });
            gate.open = dialog.get();
            dialog->show();
        }
        if (dialog) {
            const qint64 total = progress.total.load();
            dialog->setValue(total > 0 ? int(qMin<qint64>(1000, progress.done.load() * 1000 / total)) : 0);
        }
    });
    thread->start();
    tick.start();
    if (!thread->isFinished())
        loop.exec();
    thread->wait();
    tick.stop();
    qApp->removeEventFilter(&gate);
}

} // namespace BackgroundWork
