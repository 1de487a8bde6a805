#pragma once

#include <QString>

// The text itself when it has at most `maximum` UTF-16 units; otherwise its
// longest start of at most `maximum` units that ends between two characters
// (never inside a surrogate pair or before a combining mark), followed by "…".
// For texts from outside that must not grow a message or a window without bound.
QString elidedText(const QString &text, qsizetype maximum);
