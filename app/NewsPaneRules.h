#pragma once

// The rules of the headline list and the reading pane that need no widget:
// stepping through rows, the history, the summary texts, the pane toggles and
// which addresses taken from feeds may be opened.

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace newsRules {

// Rows are 1-based; 0 means "no row".

// The row selectRow lands on: 0 becomes 1, past the end becomes the last
// row; 0 when the list is empty.
int clampRow(int row, int count);
// The row Back and Next step to from the selected row, or 0 for nothing
// (no rows, no selection, already at the first or last row).
int previousRow(int selected, int count);
int nextRow(int selected, int count);

// A row keyed with a tree key ("RSS..." in any case) lists an entry, not a headline.
bool isEntryRow(const QString& key);

// Position of a title among the history's titles, or -1: titles are kept once.
int historyPosition(const QStringList& titles, const QString& title);

// The summary panel's text: an empty line, then the description as it is.
QString summaryText(const QString& description);

// The balloon over a headline: its title and text.
struct HoverTip {
    QString title;
    QString text;
};
constexpr int kTipHeadLength = 35;
HoverTip hoverTip(const QString& description);

// The address a headline opens, as the reading pane would load it; empty
// when it may not be opened. A feed's addresses open only over http, https,
// ftp or as local files: a javascript: or data: address would run the
// feed's text in whatever page the pane holds.
QUrl feedAddressUrl(const QString& address);
bool opensFromFeed(const QString& address);

// What the user typed into the address box, read as a browser's address bar
// reads it ("example.com/feed" is a web address, not a relative path).
QUrl typedAddressUrl(const QString& text);

// The reading pane toolbar's three toggles.
enum class PaneToggle { Tree, List, FullScreen };
constexpr int kTreeWidth = 3615; // twips, when the tree pane is back
constexpr int kListHeight = 3000;
struct ToggleEffect {
    std::optional<int> spliterLeft; // the tree pane's width
    std::optional<int> spliterTop;  // the headline list's height
    std::optional<bool> treeButton; // the state the other buttons follow
    std::optional<bool> listButton;
    bool raiseToolbar = false; // Toolbar1 moves up next to the hidden list
};
ToggleEffect paneToggle(PaneToggle which, bool pressed);
// Toolbar1's top while the headline list is folded away.
inline int foldedToolbarTop(int tlbMainHeight, int lblHeaderHeight, int listHeight) {
    return tlbMainHeight + lblHeaderHeight + listHeight + 80;
}

} // namespace newsRules
