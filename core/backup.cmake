target_sources(versalia PRIVATE
    Backup.cpp Backup.h
    BackupManifest.cpp BackupManifest.h
    BackupPrivate.h
    Restore.cpp
)
