versalia_test(test_routines test_routines.cpp)
versalia_test(test_archive test_archive.cpp)

# The other workstation of the storage tests, spawned as a process of its own.
add_executable(archive_worker archive_worker.cpp ProcessControl.cpp ProcessControl.h)
target_link_libraries(archive_worker PRIVATE versalia)
versalia_test(test_archive_safety test_archive_safety.cpp ProcessControl.cpp ProcessControl.h)
add_dependencies(test_archive_safety archive_worker)
target_compile_definitions(test_archive_safety PRIVATE ARCHIVE_WORKER="$<TARGET_FILE:archive_worker>")
