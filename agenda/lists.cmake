target_sources(versalia PRIVATE
    DeadlineLists.cpp DeadlineLists.h
    AgendaCommands.cpp
    ExpImminenti.cpp ExpImminenti.h
    ExpGiornaliere.cpp ExpGiornaliere.h
    ExpMensili.cpp ExpMensili.h
    ExpScadenzario.cpp ExpScadenzario.h
    Confermati.cpp Confermati.h
    NonConfermati.cpp NonConfermati.h
    DaConfermare.cpp DaConfermare.h
    TrovaScadenzario.cpp TrovaScadenzario.h
)
