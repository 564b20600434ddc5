target_sources(versalia PRIVATE
    Spreadsheet.cpp Spreadsheet.h
    widgets/ExportGrid.cpp widgets/ExportGrid.h
    widgets/SummaryList.cpp widgets/SummaryList.h
    widgets/SearchWindow.cpp widgets/SearchWindow.h
    widgets/ExportWindow.cpp widgets/ExportWindow.h
)
