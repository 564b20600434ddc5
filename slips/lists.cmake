target_sources(versalia PRIVATE
    SlipLists.cpp SlipLists.h
    DaSaldare.cpp DaSaldare.h
    Scadute.cpp Scadute.h
    TrovaBollettini.cpp TrovaBollettini.h
    ExpBollettini.cpp ExpBollettini.h
)
