target_sources(versalia PRIVATE
    report/Report.cpp report/Report.h
    SummaryReport.cpp SummaryReport.h
    IniFile.cpp IniFile.h
)
