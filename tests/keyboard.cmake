versalia_test(test_input test_input.cpp)
versalia_test(test_keyboard test_keyboard.cpp SlipFixture.h PdfText.cpp PdfText.h)
# On the smallest office screen, where the maximised slip editor still has room around its drawing.
set_tests_properties(test_keyboard PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen:configfile=${CMAKE_CURRENT_SOURCE_DIR}/data/screen_1366x768.json;LANG=it_IT.UTF-8;VERSALIA_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}/data")
# The list windows on the office screens: the offscreen platform takes its screen from a file.
add_executable(test_list_width test_list_width.cpp SlipFixture.h)
target_link_libraries(test_list_width PRIVATE versalia_testsupport)
foreach(screen 1366x768 1920x1080)
    add_test(NAME test_list_width_${screen} COMMAND test_list_width)
    set_tests_properties(test_list_width_${screen} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen:configfile=${CMAKE_CURRENT_SOURCE_DIR}/data/screen_${screen}.json;LANG=it_IT.UTF-8;VERSALIA_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}/data"
        TIMEOUT 120)
endforeach()
