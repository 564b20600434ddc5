add_executable(backup_appender backup_appender.cpp)
versalia_test(test_backup test_backup.cpp)
add_dependencies(test_backup backup_appender)
target_compile_definitions(test_backup PRIVATE BACKUP_APPENDER="$<TARGET_FILE:backup_appender>")
