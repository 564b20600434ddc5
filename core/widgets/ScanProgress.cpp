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

QString ScanProgress::defaultLabel() { return QStringLiteral("Lettura dell'archivio in corso..."); }

QString ScanProgress::cancelledText()
{
    return QStringLiteral("Lettura dell'archivio interrotta: l'elenco mostra soltanto le schede lette fino a quel "
                          "momento.");
}

void ScanProgress::setDelayMs(int ms) { g_delayMs = ms; }

bool ScanProgress::update(qint64 done)
{
    if (!m_dialog) {
        if (m_clock.elapsed() < g_delayMs)
            return true;
        m_dialog = std::make_unique<QProgressDialog>(m_label, QStringLiteral("Annulla"), 0, 1000, m_parent);
        m_dialog->setObjectName(QStringLiteral("frmAvanzamento"));
        m_dialog->setWindowTitle(QStringLiteral(" Versalia"));
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->show();
    }
    // Per mille, so an archive of any size fits the bar's int range.
    m_dialog->setValue(m_total > 0 ? int(qMin<qint64>(1000, done * 1000 / m_total)) : 0);
    // The cancel button and repaints are served here: the pass runs on the interface thread.
    QCoreApplication::processEvents();
    m_cancelled = m_dialog->wasCanceled();
    return !m_cancelled;
}
