#pragma once
#include <QString>

// The help page of the agenda: nine paragraphs separated by an empty line ("\r\n\r\n").
namespace ScadenzarioHelp {
QString title();
QString text();
} // namespace ScadenzarioHelp
