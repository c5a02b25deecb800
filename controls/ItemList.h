#pragma once

// One row of the news list: icon, caption, sub-caption, description and check
// picture. Rows are not windows: the list draws them, so a row keeps what it
// shows (its look, fixed at its last Redraw) apart from what it holds.

#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>

class ListMultipleModel;

// Where a row's parts go, in twips from the row's top-left corner.
struct RowParts {
    QRect imgMain;
    QRect imgChecked;
    QRect lblCaption;
    QRect lblSubCaption;
    QRect lblDescription;
};

// What the row's own size and contents give the layout, in twips.
struct RowPartSizes {
    int innerWidth = 4155;
    int innerHeight = 825;
    QSize icon; // the main icon's natural size; empty when there is none
    int captionHeight = 225;
    int subCaptionWidth = 810; // follows the sub-caption's text
    int subCaptionHeight = 195;
};

RowParts layoutRow(const RowPartSizes& sizes);

// The part under a point of the row; the sub-caption takes no mouse input.
enum class RowPart { None, Background, Icon, Check, Caption, Description };
struct RowHit {
    RowPart part = RowPart::None;
    QPoint at; // twips from the part's top-left corner
};
RowHit rowPartAt(const RowParts& parts, const QSize& rowSize, const QPoint& twips);

// The colours a row was last drawn in (0x00BBGGRR).
struct RowLook {
    quint32 background = 0xFFFFFF;
    quint32 description = 0;
    bool checkedPicture = false;
};

class ItemList {
public:
    ItemList() = default;
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;

    const QString& Key() const { return m_key; }
    void setKey(const QString& key);
    const QString& Tag() const { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }
    const QString& Caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }
    const QString& SubCaption() const { return m_subCaption; }
    void setSubCaption(const QString& text) { m_subCaption = text; }
    const QString& Description() const { return m_description; }
    void setDescription(const QString& text) { m_description = text; }
    bool Checked() const { return m_checked; }
    void setChecked(bool checked); // redraws
    bool Selected() const { return m_selected; }
    void setSelected(bool selected) { m_selected = selected; } // shown at the next redraw
    const QPixmap& IconMain() const { return m_icon; }
    void setIconMain(const QPixmap& icon); // redraws
    bool IsOver() const { return m_isOver; }
    void setIsOver(bool over); // redraws

    // The caption part's font and colour; both act on the caption at once,
    // and the next Redraw replaces the colour.
    const QFont& FontCaption() const { return m_fontCaption; }
    void setFontCaption(const QFont& font);
    quint32 ForeColorCaption() const { return m_captionColour; }
    void setForeColorCaption(quint32 colour);

    // Takes the colours of the row's state from the shared settings.
    void Redraw();
    const RowLook& look() const { return m_look; }

    qint32 index() const { return m_index; }
    // True when the caption colour was set directly since the last Redraw.
    bool hasCaptionColourSet() const { return m_captionColourSet; }

    static QFont defaultCaptionFont();

private:
    friend class ListMultipleModel;
    void changed();

    ListMultipleModel* m_owner = nullptr;
    qint32 m_index = 0;
    QString m_key;
    QString m_tag;
    QString m_caption;
    QString m_subCaption;
    QString m_description;
    bool m_checked = false;
    bool m_selected = false;
    bool m_isOver = false;
    QPixmap m_icon;
    QFont m_fontCaption = defaultCaptionFont();
    quint32 m_captionColour = 0xFF0000;
    bool m_captionColourSet = false;
    RowLook m_look;
};
