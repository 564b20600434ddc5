target_sources(versalia PRIVATE
    ApplicantLists.cpp ApplicantLists.h
    TrovaAnagrafica.cpp TrovaAnagrafica.h
    ContrattiScaduti.cpp ContrattiScaduti.h
    ExpAnagrafica.cpp ExpAnagrafica.h
    ApplicantSheet.cpp ApplicantSheet.h
    StampaAnagrafica.cpp StampaAnagrafica.h
    AnteprimaAnagrafica.cpp AnteprimaAnagrafica.h
)
