versalia_test(test_slips test_slips.cpp)
