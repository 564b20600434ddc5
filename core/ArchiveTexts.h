#pragma once
#include "core/StorageError.h"

#include <QString>

// Messages shared by every archive and editor.
namespace ArchiveTexts {
inline QString accessFailure()
{
    return QStringLiteral(
        "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere "
        "i privilegi di scrittura nella cartella di installazione del programma.");
}
// Another workstation held the archive for longer than an operation waits.
inline QString inUse()
{
    return QStringLiteral("Attenzione: l'archivio è in uso da un'altra postazione di lavoro.\n\r\n\rAttendere "
                          "qualche istante e riprovare.");
}
inline QString emptyArchive()
{
    return QStringLiteral("L'archivio non contiene nessuna scheda.");
}
inline QString savedChanges()
{
    return QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
}
inline QString inserted()
{
    return QStringLiteral("La scheda corrente è stata inserita in archivio.");
}
// The message for a storage failure: the in-use text, or the access failure message for every other kind.
inline QString failure(const StorageError &e)
{
    return e.kind == StorageError::Kind::InUse ? inUse() : accessFailure();
}
inline QString savedNew()
{
    return QStringLiteral("La scheda corrente è stata salvata in archivio.");
}
} // namespace ArchiveTexts
