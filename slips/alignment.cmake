target_sources(versalia PRIVATE ProvaAllineamento.cpp ProvaAllineamento.h)
