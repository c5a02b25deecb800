#include "controls/ItemList.h"

#include "controls/ListMultipleModel.h"
#include "controls/modListMultiple.h"

RowParts layoutRow(const RowPartSizes& s) {
    RowParts p;
    const QSize icon = s.icon.isEmpty() ? QSize(315, 200) : s.icon;
    p.imgMain = QRect(50, 50, icon.width(), icon.height());
    p.imgChecked = QRect(s.innerWidth - 315 - 50, p.imgMain.top(), 315, 285);
    const int captionLeft = p.imgMain.left() + p.imgMain.width() + 50;
    const int captionTop = p.imgMain.top() + (p.imgMain.height() - s.captionHeight) / 2;
    const int captionWidth =
        s.innerWidth - p.imgMain.width() - p.imgChecked.width() - s.subCaptionWidth - 100;
    p.lblCaption = QRect(captionLeft, captionTop, std::max(0, captionWidth), s.captionHeight);
    p.lblSubCaption = QRect(s.innerWidth - s.subCaptionWidth - p.imgChecked.width() - 100,
                            captionTop, s.subCaptionWidth, s.subCaptionHeight);
    const int descriptionTop = p.imgMain.top() + p.imgMain.height();
    p.lblDescription =
        QRect(captionLeft, descriptionTop, std::max(0, s.innerWidth - captionLeft - 60),
              std::max(0, s.innerHeight - descriptionTop - 30));
    return p;
}

RowHit rowPartAt(const RowParts& parts, const QSize& rowSize, const QPoint& twips) {
    if (!QRect(QPoint(0, 0), rowSize).contains(twips))
        return {};
    // Topmost first: the check picture sits over the caption's right end.
    const std::pair<const QRect*, RowPart> order[] = {
        {&parts.imgChecked, RowPart::Check},
        {&parts.imgMain, RowPart::Icon},
        {&parts.lblCaption, RowPart::Caption},
        {&parts.lblDescription, RowPart::Description},
    };
    for (const auto& [rect, part] : order)
        if (rect->contains(twips))
            return {part, twips - rect->topLeft()};
    return {RowPart::Background, twips};
}

QFont ItemList::defaultCaptionFont() {
    // Made once: rows share it until one of them changes its own.
    static const QFont font = [] {
        QFont f;
        f.setPointSize(9);
        return f;
    }();
    return font;
}

void ItemList::setKey(const QString& key) {
    if (key == m_key)
        return;
    const QString old = m_key;
    m_key = key;
    if (m_owner)
        m_owner->rowKeyChanged(*this, old);
}

void ItemList::setChecked(bool checked) {
    m_checked = checked;
    Redraw();
}

void ItemList::setIconMain(const QPixmap& icon) {
    m_icon = icon;
    Redraw();
}

void ItemList::setIsOver(bool over) {
    m_isOver = over;
    Redraw();
}

void ItemList::setFontCaption(const QFont& font) {
    m_fontCaption = font;
    changed();
}

void ItemList::setForeColorCaption(quint32 colour) {
    m_captionColour = colour;
    if (!m_captionColourSet && m_owner)
        m_owner->captionColourSet(*this);
    m_captionColourSet = true;
    changed();
}

void ItemList::Redraw() {
    if (m_owner)
        ++m_owner->m_redraws;
    const modListMultiple::Settings& s = modListMultiple::shared();
    m_look.background = m_selected ? s.BackColorSelected : m_isOver ? s.BackColorOver : s.BackColor;
    m_look.checkedPicture = m_checked;
    m_captionColour = m_selected ? s.ForeColorCaptionSelected
                      : m_isOver ? s.ForeColorCaptionOver
                                 : s.ForeColorCaption;
    m_captionColourSet = false;
    m_look.description = m_selected ? s.ForeColorSelected
                         : m_isOver ? s.ForeColorOver
                                    : s.ForeColor;
    changed();
}

void ItemList::changed() {
    if (m_owner)
        m_owner->rowChanged(*this);
}
