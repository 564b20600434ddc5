versalia_test(test_routines test_routines.cpp)
versalia_test(test_archive test_archive.cpp)
