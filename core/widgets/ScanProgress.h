#pragma once
// A pass over an archive that runs longer than about half a second shows a progress bar with "Annulla",
// so a large archive on a slow shared folder never looks like a frozen window and can be given up.
// Short passes show nothing and cost one clock look every few thousand records.

#include <QElapsedTimer>
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

class ScanProgress {
public:
    ScanProgress(QWidget *parent, qint64 total, const QString &label = defaultLabel());
    ~ScanProgress();
    ScanProgress(const ScanProgress &) = delete;
    ScanProgress &operator=(const ScanProgress &) = delete;

    // Called for every record read; false once the user has cancelled, and from then on.
    bool step(qint64 done)
    {
        if (m_cancelled)
            return false;
        return (done & 1023) != 0 || update(done);
    }
    bool cancelled() const { return m_cancelled; }

    static QString defaultLabel();
    // What a cancelled list says about the lines it shows.
    static QString cancelledText();
    // Tests: how long a pass runs before the bar appears (500 ms unless set).
    static void setDelayMs(int ms);
    // The bar every long operation shows, per mille, with "Annulla" when it can be given up; not yet shown.
    static std::unique_ptr<QProgressDialog> makeDialog(QWidget *parent, const QString &label, bool cancellable);

private:
    bool update(qint64 done);
    QWidget *m_parent;
    qint64 m_total;
    QString m_label;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_dialog;
    bool m_cancelled = false;
};
