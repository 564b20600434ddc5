add_executable(backup_appender backup_appender.cpp)
versalia_test(test_backup test_backup.cpp WorkerProcess.h)
add_dependencies(test_backup backup_appender archive_worker)
target_compile_definitions(test_backup PRIVATE BACKUP_APPENDER="$<TARGET_FILE:backup_appender>"
                                               ARCHIVE_WORKER="$<TARGET_FILE:archive_worker>")
versalia_test(test_alignment test_alignment.cpp PdfText.cpp PdfText.h SlipEditorStandIn.h)
versalia_test(test_restore test_restore.cpp WorkerProcess.h)
add_dependencies(test_restore archive_worker)
target_compile_definitions(test_restore PRIVATE ARCHIVE_WORKER="$<TARGET_FILE:archive_worker>")
