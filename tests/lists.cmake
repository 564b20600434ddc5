versalia_test(test_slip_lists test_slip_lists.cpp SlipFixture.h PdfText.cpp PdfText.h)
versalia_test(test_slip_search test_slip_search.cpp SlipFixture.h PdfText.cpp PdfText.h)
versalia_test(test_spreadsheet test_spreadsheet.cpp SlipFixture.h)
