#pragma once
#include "core/Record.h"

#include <array>

// TScadenza: 1328 bytes, one file per calendar year ("2024.sca").
inline constexpr std::array<FieldDef, 25> kDeadlineFields{{
    {"Giorno", 2, "txtGiorno"},
    {"Mese", 10, "txtMese"},
    {"Anno", 4, "lblAnno"},
    {"Data", 10, "lblData"},
    {"OreApp", 2, "txtOreApp"},
    {"MinutiApp", 2, "txtMinutiApp"},
    {"Ora", 5, "lblOra"},
    {"Avviso", 3, "txtAvviso"},
    {"Cliente", 50, "txtCliente"},
    {"CodFisc", 16, "txtCodFisc"},
    {"Recapito", 50, "txtRecapito"},
    {"Oggetto", 250, "txtOggetto"},
    {"Tipologia", 50, "txtTipologia"},
    {"Protocollo", 30, "txtProtocollo"},
    {"Apertura", 10, "txtApertura"},
    {"Chiusura", 10, "txtChiusura"},
    {"Stato", 30, "txtStato"},
    {"Consulente", 50, "txtConsulente"},
    {"Dettagli", 250, "txtDettagli"},
    {"Officina", 150, "txtOfficina"},
    {"Costo", 15, "txtCosto"},
    {"Contatto", 50, "txtContatto"},
    {"Note", 250, "txtNote"},
    {"DaConfermare", 2, "chkDaConfermare"},
    {"Effettuata", 2, "chkEffettuata"},
}};
inline constexpr RecordLayout kDeadlineLayout{kDeadlineFields};
static_assert(kDeadlineLayout.size() == 1328);
static_assert(kDeadlineLayout.offset(20) == 1004);
