#pragma once

// The news list without its window: rows by index and key, selection, the
// scroll bar's state and where each row goes, all in twips. The list widget
// draws from it only the rows in view, so adding, selecting and scrolling
// cost no more per row than the rows on screen.

#include "controls/ItemList.h"

#include <QHash>
#include <QSet>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class ListMultipleModel {
public:
    // Where rows above the first one shown are parked.
    static constexpr qint32 kOutOfSight = -5000;

    struct ScrollBar {
        qint32 Value = 0;
        qint32 Min = 0;
        qint32 Max = 0;
        qint32 SmallChange = 1;
        qint32 LargeChange = 1;
        bool Visible = false;
        bool operator==(const ScrollBar&) const = default;
    };

    ListMultipleModel();
    ~ListMultipleModel();

    bool Add(const QString& strCaption, const QString& strSubCaption, const QString& strDescription,
             bool blnChecked, const QString& strTag, const QPixmap& picMain, const QString& strKey);
    void Clear();
    // Index of the last row; -1 when the list is empty.
    qint32 Count() const;
    // Index 0 is the template row, there even while the list is empty (hidden).
    ItemList* Item(qint32 lngIndex) const;
    bool isEmpty() const { return m_empty; }

    // Keyed access: the row with that key and the highest index; null when
    // no row shown has it.
    ItemList* rowByKey(const QString& key) const;
    bool Selected(const QString& key) const;
    void setSelected(const QString& key, bool selected);
    bool Checked(const QString& key) const;
    void setChecked(const QString& key, bool checked);
    QString Caption(const QString& key) const;
    void setCaption(const QString& key, const QString& caption);
    QString Description(const QString& key) const;
    void setDescription(const QString& key, const QString& description);
    QString Tag(const QString& key) const;
    void setTag(const QString& key, const QString& tag);
    QPixmap Icon(const QString& key) const;
    void setIcon(const QString& key, const QPixmap& icon);
    std::optional<QFont> FontCaption(const QString& key) const;
    void setFontCaption(const QString& key, const QFont& font);
    quint32 ForeColorCaptionItem(const QString& key) const;
    void setForeColorCaptionItem(const QString& key, quint32 colour);

    // Index of the last selected row, -1 if none.
    qint32 SelectedIndex() const;
    void setSelectedIndex(qint32 index);
    bool MultiSelect() const { return m_multiSelect; }
    void setMultiSelect(bool on) { m_multiSelect = on; }
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool on);

    // A press on a row (not on its check picture): flips every row with the
    // key, and in single selection clears every other row.
    void selectByKey(const QString& key);

    // Scrolling and placement.
    const ScrollBar& scrollBar() const { return m_bar; }
    // A new first row to show (clamped to the bar's range); re-arranges.
    void setScrollValue(qint32 value);
    void adjustScrollBar();
    void arrangeRows();
    // The list's inner size and the scroll bar's width changed.
    void Resize(qint32 innerWidth, qint32 innerHeight, qint32 scrollBarWidth);
    // The bar's place: at the right edge, full height.
    QRect scrollBarRect() const;

    // Every row is as high as the template row.
    qint32 rowHeight() const { return m_rowHeight; }
    void setRowHeight(qint32 twips);
    qint32 rowWidth() const;
    qint32 innerHeight() const { return m_innerHeight; }
    // Top of the row as last arranged (kOutOfSight above the first row shown).
    qint32 rowTop(qint32 index) const;
    // Rows that lie, at least in part, inside the list: [first, last).
    std::pair<qint32, qint32> rowsInView() const;
    // The row under a point of the list, -1 when none.
    qint32 rowAt(qint32 yTwips) const;

    // Rows redrawn so far: drawing follows the rows shown, not the rows held.
    qint64 redrawCount() const { return m_redraws; }

    // Called after anything that changes what the list shows.
    std::function<void()> onRepaint;

private:
    friend class ItemList;
    void rowKeyChanged(ItemList& row, const QString& oldKey);
    void rowChanged(ItemList& row);
    void captionColourSet(ItemList& row);
    QString newKey() const;
    void indexKey(qint32 index, const QString& key);
    void unindexKey(qint32 index, const QString& key);
    void repaint();

    std::vector<std::unique_ptr<ItemList>> m_rows;
    // Rows by key: how many hold it, and the highest index among them.
    struct KeyRows {
        qint32 count = 0;
        qint32 last = -1;
    };
    QHash<QString, KeyRows> m_keys;
    // Rows whose caption colour was set directly since their last redraw.
    QSet<qint32> m_captionSet;
    bool m_empty = true;
    bool m_quiet = false;
    qint64 m_redraws = 0;
    bool m_multiSelect = false;
    bool m_enabled = true;
    ScrollBar m_bar;
    qint32 m_arrangedValue = 0;
    qint32 m_innerWidth = 4155;
    qint32 m_innerHeight = 825;
    qint32 m_scrollBarWidth = 0;
    qint32 m_rowHeight = 825;
};
