target_sources(versalia PRIVATE
    SlipOnScreen.cpp SlipOnScreen.h
    StampaBolTer.cpp StampaBolTer.h
    AnteprimaPse.cpp AnteprimaPse.h
)
