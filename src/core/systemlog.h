#pragma once

#include <QString>

// Writes one line to the system log (ident "halvoscope", reaching the
// journal) and the same line to stderr. Line breaks inside the text become
// spaces, so the entry stays one line whatever an error text holds.
void logSystemLine(const QString &line);
