versalia_test(test_agenda test_agenda.cpp)
versalia_test(test_agenda_sheet test_agenda_sheet.cpp PdfText.cpp PdfText.h)
versalia_test(test_agenda_lists test_agenda_lists.cpp)
