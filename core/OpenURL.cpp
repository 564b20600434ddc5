#include "core/OpenURL.h"

#include "core/Seams.h"

void TMisc::Open(const QString &sCommand)
{
    Seams::Shell::open(sCommand);
}
