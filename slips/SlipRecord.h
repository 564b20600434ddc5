#pragma once
#include "core/Record.h"

#include <array>

// The slip record: 2402 bytes, one file per calendar year ("2024.pse").
inline constexpr std::array<FieldDef, 20> kSlipFields{{
    {"Importo", 8, "txtImporto"},
    {"Cents", 2, "txtCents"},
    {"ImpLettere", 250, "txtImpLettere"},
    {"CentLettere", 2, "txtCentLettere"},
    {"Intero", 11, "txtIntero"},
    {"Esecutore", 44, "txtEsecutore"},
    {"IndirizzoRes", 22, "txtIndirizzoRes"},
    {"CapRes", 5, "txtCapRes"},
    {"ComuneRes", 16, "txtComuneRes"},
    {"DataScade", 10, "txtDataScade"},
    {"DataPaga", 10, "txtDataPaga"},
    {"Timbro", 250, "txtTimbro"},
    {"Note", 250, "txtNote"},
    {"Saldato", 2, "chkSaldato"},
    {"File01", 250, "lblFile01"},
    {"File02", 250, "lblFile02"},
    {"File03", 250, "lblFile03"},
    {"Desc01", 250, "lblDesc01"},
    {"Desc02", 250, "lblDesc02"},
    {"Desc03", 250, "lblDesc03"},
}};
inline constexpr RecordLayout kSlipLayout{kSlipFields};
static_assert(kSlipLayout.size() == 2402);
static_assert(kSlipLayout.offset(13) == 893);
