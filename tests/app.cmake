versalia_test(test_app test_app.cpp)
# The same test under a foreign locale: dates and decimals keep their form.
add_test(NAME test_app_foreign_locale COMMAND test_app formatsUnderAnyLocale)
set_tests_properties(test_app_foreign_locale PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=en_US.UTF-8;LC_ALL=en_US.UTF-8" TIMEOUT 120)
