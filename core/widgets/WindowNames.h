#pragma once
// The instance names of the long-lived windows, stated once: each window's constructor takes its name from here,
// and so do the start-up table and every lookup of one window from another.

#include <QStringView>

namespace WindowNames {
inline constexpr QStringView password = u"frmPassword";                       // TfrmPassword
inline constexpr QStringView avvio = u"frmAvvio";                             // TfrmAvvio
inline constexpr QStringView cambiaPassword = u"frmCambiaPassword";           // TfrmCambiaPassword
inline constexpr QStringView carta = u"frmCarta";                             // TfrmCarta
inline constexpr QStringView codFisc = u"frmCodFisc";                         // TfrmCodFisc
inline constexpr QStringView guida = u"frmGuida";                             // TfrmGuida
inline constexpr QStringView iban = u"frmIban";                               // TfrmIban
inline constexpr QStringView info = u"frmInfo";                               // TfrmInfo
inline constexpr QStringView partitaIva = u"frmPartitaIva";                   // TfrmPartitaIva
inline constexpr QStringView splash = u"frmSplash";                           // TfrmSplash
inline constexpr QStringView bollettino = u"frmBollettino";                   // TfrmBollettino
inline constexpr QStringView allegaCartella = u"frmAllegaCartella";           // TfrmAllegaCartella
inline constexpr QStringView calendario = u"frmCalendario";                   // TfrmCalendario
inline constexpr QStringView anteprimaPse = u"frmAnteprimaPse";               // TfrmAnteprimaPse
inline constexpr QStringView expBollettini = u"frmExpBollettini";             // TfrmExpBollettini
inline constexpr QStringView scadute = u"frmScadute";                         // TfrmScadute
inline constexpr QStringView daSaldare = u"frmDaSaldare";                     // TfrmDaSaldare
inline constexpr QStringView trovaBollettini = u"frmTrovaBollettini";         // TfrmTrovaBollettini
inline constexpr QStringView stampaBolTer = u"frmStampaBolTer";               // TfrmStampaBolTer
inline constexpr QStringView anagrafica = u"frmAnagrafica";                   // TfrmAnagrafica
inline constexpr QStringView trovaAnagrafica = u"frmTrovaAnagrafica";         // TfrmTrovaAnagrafica
inline constexpr QStringView expAnagrafica = u"frmExpAnagrafica";             // TfrmExpAnagrafica
inline constexpr QStringView contrattiScaduti = u"frmContrattiScaduti";       // TfrmContrattiScaduti
inline constexpr QStringView scadenzario = u"frmScadenzario";                 // TfrmScadenzario
inline constexpr QStringView expImminenti = u"frmExpImminenti";               // TfrmExpImminenti
inline constexpr QStringView expGiornaliere = u"frmExpGiornaliere";           // TfrmExpGiornaliere
inline constexpr QStringView expMensili = u"frmExpMensili";                   // TfrmExpMensili
inline constexpr QStringView expScadenzario = u"frmExpScadenzario";           // TfrmExpScadenzario
inline constexpr QStringView confermati = u"frmConfermati";                   // TfrmConfermati
inline constexpr QStringView nonConfermati = u"frmNonConfermati";             // TfrmNonConfermati
inline constexpr QStringView daConfermare = u"frmDaConfermare";               // TfrmDaConfermare
inline constexpr QStringView trovaScadenzario = u"frmTrovaScadenzario";       // TfrmTrovaScadenzario
inline constexpr QStringView anteprimaAnagrafica = u"frmAnteprimaAnagrafica"; // TfrmAnteprimaAnagrafica
inline constexpr QStringView stampaAnagrafica = u"frmStampaAnagrafica";       // TfrmStampaAnagrafica
} // namespace WindowNames
