#include "core/widgets/ScanProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {
int g_delayMs = 500;
}

ScanProgress::ScanProgress(QWidget *parent, qint64 total, const QString &label)
    : m_parent(parent), m_total(total), m_label(label)
{
    m_clock.start();
}

ScanProgress::~ScanProgress() = default;

QString ScanProgress::defaultLabel()
{
    return QStringLiteral("Lettura dell'archivio in corso...");
}

QString ScanProgress::cancelledText()
{
    return QStringLiteral("Lettura dell'archivio interrotta: l'elenco mostra soltanto le schede lette fino a quel "
                          "momento.");
}

void ScanProgress::setDelayMs(int ms)
{
    g_delayMs = ms;
}

std::unique_ptr<QProgressDialog> ScanProgress::makeDialog(QWidget *parent, const QString &label, bool cancellable)
{
    auto dialog =
        std::make_unique<QProgressDialog>(label, cancellable ? QStringLiteral("Annulla") : QString(), 0, 1000, parent);
    dialog->setObjectName(QStringLiteral("frmAvanzamento"));
    dialog->setWindowTitle(QStringLiteral(" Versalia"));
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    return dialog;
}

bool ScanProgress::update(qint64 done)
{
    if (!m_dialog) {
        if (m_clock.elapsed() < g_delayMs)
            return true;
        m_dialog = makeDialog(m_parent, m_label, true);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->show();
    }
    // Per mille, so an archive of any size fits the bar's int range.
    m_dialog->setValue(m_total > 0 ? int(qMin<qint64>(1000, done * 1000 / m_total)) : 0);
    // The cancel button and repaints are served here: the pass runs on the interface thread.
    QCoreApplication::processEvents();
    m_cancelled = m_dialog->wasCanceled();
    return !m_cancelled;
}
