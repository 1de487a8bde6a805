#include "core/elidedtext.h"

#include <QTextBoundaryFinder>

#include <algorithm>

QString elidedText(const QString &text, qsizetype maximum)
{
    if (text.size() <= maximum)
        return text;
    maximum = std::max<qsizetype>(maximum, 0);

    // Only the unit after the cut decides whether it is a boundary, so the
    // finder never needs to see more than that of a text of any length.
    const QString window = text.first(maximum + 1);
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, window);
    graphemes.setPosition(maximum);
    qsizetype cut = graphemes.isAtBoundary() ? maximum : graphemes.toPreviousBoundary();
    // One cluster longer than the whole limit: fall back to a code point boundary.
    if (cut <= 0) {
        cut = maximum;
        if (cut > 0 && text.at(cut).isLowSurrogate() && text.at(cut - 1).isHighSurrogate())
            --cut;
    }
    return text.first(cut) + QChar(0x2026);
}
