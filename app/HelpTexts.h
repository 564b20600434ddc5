#pragma once
#include <QString>

// Titles and texts of the help window. Paragraphs are separated by an empty line ("\r\n\r\n").
namespace HelpTexts {
// The overview of the whole application, opened from the main menu.
QString overviewTitle();
QString overviewText();
// The slip editor.
QString slipTitle();
QString slipText();
// The annual payments export window.
QString exportSlipsTitle();
QString exportSlipsText();
// The applicant archive export window.
QString exportApplicantsTitle();
QString exportApplicantsText();
// The applicant editor.
QString applicantTitle();
QString applicantText();
} // namespace HelpTexts
