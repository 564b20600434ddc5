#pragma once
#include "core/Record.h"

#include <array>

// TRichiedente: 5090 bytes, the single file "Richiedenti.pro".
inline constexpr std::array<FieldDef, 50> kApplicantFields{{
    {"Cognome", 50, "txtCognome"},       {"Nome", 50, "txtNome"},
    {"CodFisc", 16, "txtCodFisc"},       {"Sesso", 1, "txtSesso"},
    {"DataNasc", 10, "txtDataNasc"},     {"CittaNasc", 50, "txtCittaNasc"},
    {"StatoNasc", 50, "txtStatoNasc"},   {"Iva", 11, "txtIva"},
    {"Indirizzo", 120, "txtIndirizzo"},  {"Cap", 5, "txtCap"},
    {"ComuneRes", 50, "txtComuneRes"},   {"ProvRes", 2, "txtProvRes"},
    {"StatoCit", 50, "txtStatoCit"},     {"Ingresso", 250, "txtIngresso"},
    {"Recapito", 50, "txtRecapito"},     {"TelCasa", 50, "txtTelCasa"},
    {"TelCel", 50, "txtTelCel"},         {"TelUff", 50, "txtTelUff"},
    {"Email", 120, "txtEmail"},          {"Permesso", 50, "txtPermesso"},
    {"ScadePer", 10, "txtScadePer"},     {"ComuniSog", 250, "txtComuniSog"},
    {"Iban", 27, "txtIban"},             {"Intestatario", 50, "txtIntestatario"},
    {"Banca", 50, "txtBanca"},           {"Carta", 50, "txtCarta"},
    {"ScadeCarta", 10, "txtScadeCarta"}, {"TipoLavoro", 250, "txtTipoLavoro"},
    {"Precedenti", 250, "txtPrecedenti"}, {"Note", 250, "txtNote"},
    {"TipoDoc", 50, "txtTipoDoc"},       {"NumDoc", 50, "txtNumDoc"},
    {"EnteRil", 50, "txtEnteRil"},       {"DataRil", 10, "txtDataRil"},
    {"DataSca", 10, "txtDataSca"},       {"Civile", 50, "txtCivile"},
    {"Coniuge", 250, "txtConiuge"},      {"Figli", 250, "txtFigli"},
    {"Datore", 250, "txtDatore"},        {"Decorrenza", 10, "txtDecorrenza"},
    {"Scadenza", 10, "txtScadenza"},     {"Preavviso", 3, "txtPreavviso"},
    {"Totale", 15, "txtTotale"},         {"Contratto", 250, "txtContratto"},
    {"File01", 250, "lblFile01"},        {"File02", 250, "lblFile02"},
    {"File03", 250, "lblFile03"},        {"Desc01", 250, "lblDesc01"},
    {"Desc02", 250, "lblDesc02"},        {"Desc03", 250, "lblDesc03"},
}};
inline constexpr RecordLayout kApplicantLayout{kApplicantFields};
static_assert(kApplicantLayout.size() == 5090);
static_assert(kApplicantLayout.offset(44) == 3584);
