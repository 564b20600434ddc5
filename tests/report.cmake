versalia_test(test_report test_report.cpp PdfText.cpp PdfText.h)
versalia_test(test_slipprint test_slipprint.cpp PdfText.cpp PdfText.h SlipEditorStandIn.h)
versalia_test(test_anteprimapse test_anteprimapse.cpp SlipEditorStandIn.h)
