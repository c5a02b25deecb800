#pragma once

// The one search over a run of items (tree nodes, list rows) that the search
// windows and the search panel of the settings dialog share. It walks items
// 1 to count through an accessor, so it needs no widgets: the caller says how
// many items there are, what each one reads, and what to do with the hits.

#include <QString>

#include <functional>

class TextSearch {
public:
    enum class Match {
        Contains, // "模糊查询": the item's text contains the search text
        Equals    // "精确查询": the item's text is the search text
    };
    // The text of item i, 1-based.
    using TextAt = std::function<QString(qint32 i)>;

    // What one search did.
    struct Step {
        bool ran = false;       // false: the search text was empty, nothing changed
        qint32 previousHit = 0; // the hit of the search before (0 = none): give its colour back
        qint32 hit = 0;         // the item found (0 = none)
    };

    // Index of the next item a search examines.
    qint32 lngCursor = 1;
    // Index of the item last found; 0 = none. A search without a match keeps it,
    // so a window can still hand it back when it closes.
    qint32 lngHit = 0;

    // Finds the next item at or after the cursor whose upper-cased text contains
    // or equals the upper-cased search text. A match moves the cursor past it,
    // to the first item after the last one; without a match the cursor goes
    // back to the first item, so the next search starts over. Letter case is
    // ignored in both modes.
    Step findNext(const QString& text, Match mode, qint32 count, const TextAt& textAt);

    // The item remembered as the hit now sits at index `now` (0 = it is gone,
    // say deleted or the whole tree reloaded). A vanished hit is dropped and
    // the search goes on from the start; a moved one keeps the cursor just
    // past it, so the walk still continues after the item really found.
    void hitMovedTo(qint32 now);

    // Back to the state of a freshly loaded window.
    void reset();

    static bool matches(const QString& itemText, const QString& upperNeedle, Match mode);
};
