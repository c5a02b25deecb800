#include "dialogs/TextSearch.h"

bool TextSearch::matches(const QString& itemText, const QString& upperNeedle, Match mode) {
    const QString upper = itemText.toUpper();
    return mode == Match::Equals ? upper == upperNeedle : upper.contains(upperNeedle);
}

TextSearch::Step TextSearch::findNext(const QString& text, Match mode, qint32 count,
                                      const TextAt& textAt) {
    Step step;
    if (text.isEmpty())
        return step;
    step.ran = true;
    step.previousHit = lngHit;
    const QString needle = text.toUpper();
    for (qint32 i = qMax(lngCursor, 1); i <= count; ++i) {
        if (!matches(textAt ? textAt(i) : QString(), needle, mode))
            continue;
        lngCursor = i < count ? i + 1 : 1;
        lngHit = i;
        step.hit = i;
        return step;
    }
    // Also when the cursor lay beyond the last item (items removed since the
    // last hit): starting over keeps later searches from finding nothing forever.
    lngCursor = 1;
    return step;
}

void TextSearch::hitMovedTo(qint32 now) {
    if (now == lngHit)
        return;
    if (now <= 0) {
        lngHit = 0;
        lngCursor = 1;
        return;
    }
    // A cursor that wrapped to the start stays there.
    if (lngCursor != 1)
        lngCursor = now + 1;
    lngHit = now;
}

void TextSearch::reset() {
    lngCursor = 1;
    lngHit = 0;
}
