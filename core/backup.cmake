target_sources(versalia PRIVATE Backup.cpp Backup.h)
