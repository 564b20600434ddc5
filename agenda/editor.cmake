target_sources(versalia PRIVATE
    DeadlineSheet.cpp DeadlineSheet.h
    Scadenzario.cpp Scadenzario.h
    ScadenzarioHelp.cpp ScadenzarioHelp.h
)
