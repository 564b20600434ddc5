target_sources(versalia PRIVATE CopieSicurezza.cpp CopieSicurezza.h)
