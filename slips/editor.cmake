target_sources(versalia PRIVATE
    AmountInWords.cpp AmountInWords.h
    Bollettino.cpp Bollettino.h
)
