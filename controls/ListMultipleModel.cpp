#include "controls/ListMultipleModel.h"

#include <algorithm>

ListMultipleModel::ListMultipleModel() {
    auto templ = std::make_unique<ItemList>();
    templ->m_owner = this;
    templ->m_index = 0;
    m_rows.push_back(std::move(templ));
}

ListMultipleModel::~ListMultipleModel() {
    // Rows must not report back while they go.
    for (auto& row : m_rows)
        row->m_owner = nullptr;
}

bool ListMultipleModel::Add(const QString& strCaption, const QString& strSubCaption,
                            const QString& strDescription, bool blnChecked, const QString& strTag,
                            const QPixmap& picMain, const QString& strKey) {
    try {
        if (!m_empty) {
            auto row = std::make_unique<ItemList>();
            row->m_owner = this;
            row->m_index = static_cast<qint32>(m_rows.size());
            m_rows.push_back(std::move(row));
        }
        ItemList& row = *m_rows.back();
        // Selected and the caption font stay as they were: a template row
        // reused after Clear keeps them.
        row.m_caption = strCaption;
        row.m_subCaption = strSubCaption;
        row.m_description = strDescription;
        row.m_checked = blnChecked;
        row.m_tag = strTag;
        row.m_icon = picMain;
        row.setKey(strKey.isEmpty() ? newKey() : strKey);
        m_quiet = true; // the arrangement below repaints once
        row.Redraw();
        m_quiet = false;
        m_empty = false;
        adjustScrollBar();
        arrangeRows();
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

QString ListMultipleModel::newKey() const {
    // Counts from the number of rows, the template included, and skips keys
    // in use, the template's old key after a Clear too.
    qint32 n = static_cast<qint32>(m_rows.size());
    for (;;) {
        const QString key = QStringLiteral("LSI") + QString::number(n);
        if (!m_keys.contains(key))
            return key;
        ++n;
    }
}

void ListMultipleModel::Clear() {
    m_empty = true;
    for (std::size_t i = m_rows.size(); i-- > 1;)
        m_rows[i]->m_owner = nullptr;
    m_rows.resize(1);
    m_keys.clear();
    indexKey(0, m_rows[0]->m_key);
    // The hidden template keeps its fields, a caption colour set on it too.
    const bool templateColourSet = m_captionSet.contains(0);
    m_captionSet.clear();
    if (templateColourSet)
        m_captionSet.insert(0);
    adjustScrollBar();
    repaint();
}

qint32 ListMultipleModel::Count() const {
    return m_empty ? -1 : static_cast<qint32>(m_rows.size()) - 1;
}

ItemList* ListMultipleModel::Item(qint32 lngIndex) const {
    if (lngIndex < 0 || lngIndex >= static_cast<qint32>(m_rows.size()))
        return nullptr;
    return m_rows[static_cast<std::size_t>(lngIndex)].get();
}

ItemList* ListMultipleModel::rowByKey(const QString& key) const {
    if (m_empty || key.isEmpty())
        return nullptr;
    const auto it = m_keys.constFind(key);
    if (it == m_keys.constEnd())
        return nullptr;
    return m_rows[static_cast<std::size_t>(it->last)].get();
}

void ListMultipleModel::indexKey(qint32 index, const QString& key) {
    if (key.isEmpty())
        return;
    KeyRows& rows = m_keys[key];
    ++rows.count;
    rows.last = std::max(rows.last, index);
}

void ListMultipleModel::unindexKey(qint32 index, const QString& key) {
    const auto it = m_keys.find(key);
    if (it == m_keys.end())
        return;
    if (--it->count <= 0) {
        m_keys.erase(it);
        return;
    }
    if (it->last != index)
        return;
    // The latest of several rows with one key lost it: find the one before.
    // Only a caller rewriting keys gets here.
    it->last = -1;
    for (qint32 i = index; i-- > 0;)
        if (m_rows[static_cast<std::size_t>(i)]->m_key == key) {
            it->last = i;
            break;
        }
}

void ListMultipleModel::rowKeyChanged(ItemList& row, const QString& oldKey) {
    unindexKey(row.m_index, oldKey);
    indexKey(row.m_index, row.m_key);
}

void ListMultipleModel::rowChanged(ItemList& row) {
    if (m_quiet)
        return;
    // Only a row on screen needs the window repainted.
    const auto [first, last] = rowsInView();
    if (!m_empty && row.m_index >= first && row.m_index < last)
        repaint();
}

void ListMultipleModel::captionColourSet(ItemList& row) {
    m_captionSet.insert(row.m_index);
}

bool ListMultipleModel::Selected(const QString& key) const {
    const ItemList* row = rowByKey(key);
    return row && row->Selected();
}

void ListMultipleModel::setSelected(const QString& key, bool selected) {
    if (ItemList* row = rowByKey(key))
        row->setSelected(selected);
}

bool ListMultipleModel::Checked(const QString& key) const {
    const ItemList* row = rowByKey(key);
    return row && row->Checked();
}

void ListMultipleModel::setChecked(const QString& key, bool checked) {
    if (ItemList* row = rowByKey(key))
        row->setChecked(checked);
}

QString ListMultipleModel::Caption(const QString& key) const {
    const ItemList* row = rowByKey(key);
    return row ? row->Caption() : QString();
}

void ListMultipleModel::setCaption(const QString& key, const QString& caption) {
    if (ItemList* row = rowByKey(key))
        row->setCaption(caption);
}

QString ListMultipleModel::Description(const QString& key) const {
    const ItemList* row = rowByKey(key);
    return row ? row->Description() : QString();
}

void ListMultipleModel::setDescription(const QString& key, const QString& description) {
    if (ItemList* row = rowByKey(key))
        row->setDescription(description);
}

QString ListMultipleModel::Tag(const QString& key) const {
    const ItemList* row = rowByKey(key);
    return row ? row->Tag() : QString();
}

void ListMultipleModel::setTag(const QString& key, const QString& tag) {
    if (ItemList* row = rowByKey(key))
        row->setTag(tag);
}

QPixmap ListMultipleModel::Icon(const QString& key) const {
    const ItemList* row = rowByKey(key);
    return row ? row->IconMain() : QPixmap();
}

void ListMultipleModel::setIcon(const QString& key, const QPixmap& icon) {
    if (ItemList* row = rowByKey(key))
        row->setIconMain(icon);
}

std::optional<QFont> ListMultipleModel::FontCaption(const QString& key) const {
    if (const ItemList* row = rowByKey(key))
        return row->FontCaption();
    return std::nullopt;
}

void ListMultipleModel::setFontCaption(const QString& key, const QFont& font) {
    if (ItemList* row = rowByKey(key))
        row->setFontCaption(font);
}

quint32 ListMultipleModel::ForeColorCaptionItem(const QString& key) const {
    const ItemList* row = rowByKey(key);
    return row ? row->ForeColorCaption() : 0;
}

void ListMultipleModel::setForeColorCaptionItem(const QString& key, quint32 colour) {
    if (ItemList* row = rowByKey(key))
        row->setForeColorCaption(colour);
}

qint32 ListMultipleModel::SelectedIndex() const {
    if (m_empty)
        return -1;
    for (qint32 i = static_cast<qint32>(m_rows.size()); i-- > 0;)
        if (m_rows[static_cast<std::size_t>(i)]->m_selected)
            return i;
    return -1;
}

void ListMultipleModel::setSelectedIndex(qint32 index) {
    for (auto& row : m_rows)
        row->m_selected = row->m_index == index;
    arrangeRows();
}

void ListMultipleModel::setEnabled(bool on) {
    m_enabled = on;
    arrangeRows();
}

void ListMultipleModel::selectByKey(const QString& key) {
    if (!m_enabled)
        return;
    for (auto& row : m_rows) {
        if (row->m_key == key)
            row->m_selected = !row->m_selected;
        else if (!m_multiSelect)
            row->m_selected = false;
    }
    arrangeRows();
}

void ListMultipleModel::setScrollValue(qint32 value) {
    value = std::clamp(value, m_bar.Min, std::max(m_bar.Min, m_bar.Max));
    if (value == m_bar.Value)
        return;
    m_bar.Value = value;
    arrangeRows();
}

void ListMultipleModel::adjustScrollBar() {
    // Moving the bar back to the top shows the rows from the top at once.
    const bool moved = m_bar.Value != 0;
    m_bar.Value = 0;
    m_bar.Min = 0;
    m_bar.Max = static_cast<qint32>(m_rows.size()) - 1;
    m_bar.SmallChange = 1;
    // With no row height, or a list lower than one row, there is no page:
    // the bar keeps the page size it had.
    const qint32 fullRows = m_rowHeight > 0 ? m_innerHeight / m_rowHeight : 0;
    if (fullRows >= 1)
        m_bar.LargeChange = fullRows;
    // Shown as soon as a row does not fit whole.
    const qint32 rows = m_empty ? 0 : static_cast<qint32>(m_rows.size());
    m_bar.Visible = m_rowHeight > 0 && rows > fullRows;
    if (moved)
        arrangeRows();
}

void ListMultipleModel::arrangeRows() {
    m_arrangedValue = m_bar.Value;
    // Rows on screen take their state's colours; so do rows out of view whose
    // caption colour was set directly. The rest take theirs when they come
    // into view, which always goes through here.
    const auto [first, last] = rowsInView();
    m_quiet = true; // one repaint at the end
    for (qint32 i = first; i < last; ++i)
        m_rows[static_cast<std::size_t>(i)]->Redraw();
    if (!m_captionSet.isEmpty()) {
        const QSet<qint32> pending = std::exchange(m_captionSet, {});
        for (qint32 i : pending) {
            if (i >= m_arrangedValue && i < static_cast<qint32>(m_rows.size()))
                m_rows[static_cast<std::size_t>(i)]->Redraw();
            else if (i < static_cast<qint32>(m_rows.size()))
                m_captionSet.insert(i);
        }
    }
    m_quiet = false;
    repaint();
}

// Rows always stack from the top edge and leave the bar its room, whether
// they were added before or after the last resize.
void ListMultipleModel::Resize(qint32 innerWidth, qint32 innerHeight, qint32 scrollBarWidth) {
    m_innerWidth = std::max(0, innerWidth);
    m_innerHeight = std::max(0, innerHeight);
    m_scrollBarWidth = std::max(0, scrollBarWidth);
    adjustScrollBar();
    arrangeRows();
}

QRect ListMultipleModel::scrollBarRect() const {
    return QRect(m_innerWidth - m_scrollBarWidth, 0, m_scrollBarWidth, m_innerHeight);
}

void ListMultipleModel::setRowHeight(qint32 twips) {
    m_rowHeight = std::max(0, twips);
}

qint32 ListMultipleModel::rowWidth() const {
    return std::max(0, m_innerWidth - m_scrollBarWidth);
}

qint32 ListMultipleModel::rowTop(qint32 index) const {
    if (index < m_arrangedValue)
        return kOutOfSight;
    return (index - m_arrangedValue) * m_rowHeight;
}

std::pair<qint32, qint32> ListMultipleModel::rowsInView() const {
    if (m_empty || m_rowHeight <= 0)
        return {0, 0};
    const qint32 rows = static_cast<qint32>(m_rows.size());
    const qint32 first = std::min(m_arrangedValue, rows);
    const qint32 shown = (m_innerHeight + m_rowHeight - 1) / m_rowHeight;
    return {first, std::min(rows, first + shown)};
}

qint32 ListMultipleModel::rowAt(qint32 yTwips) const {
    if (yTwips < 0 || m_rowHeight <= 0 || m_empty)
        return -1;
    const qint32 index = m_arrangedValue + yTwips / m_rowHeight;
    const auto [first, last] = rowsInView();
    return index >= first && index < last ? index : -1;
}

void ListMultipleModel::repaint() {
    if (onRepaint)
        onRepaint();
}
