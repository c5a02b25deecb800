#pragma once

// The drawn news list: rows with icon, caption, sub-caption, description and
// check picture, addressed by key, scrolled by whole rows. It draws only the
// rows in view from its model and relays presses, moves, releases, double
// clicks and keys with the row's key first.

#include "controls/ListMultipleModel.h"
#include "controls/modListMultiple.h"
#include "core/feed/NewsLists.h"

#include <QVariantMap>
#include <QWidget>

class QScrollBar;

class ListMultiple : public QWidget, public DrawnNewsList {
    Q_OBJECT
public:
    static constexpr int kTwipsPerPixel = 15;

    explicit ListMultiple(QWidget* parent = nullptr);
    ~ListMultiple() override;

    bool Add(const QString& strCaption, const QString& strSubCaption, const QString& strDescription,
             bool blnChecked, const QString& strTag, const QPixmap& picMain, const QString& strKey);
    void Clear();
    qint32 Count() const { return m_model.Count(); }
    ItemList* Item(qint32 lngIndex) const { return m_model.Item(lngIndex); }
    void adjustScrollBar();
    // Lays the rows and the bar out for the current size.
    void Resize();
    // Every row is as high as the template row (825 twips unless changed).
    qint32 rowHeight() const { return m_model.rowHeight(); }
    void setRowHeight(qint32 twips);

    // Keyed properties; a key no row has reads empty and ignores writes.
    bool Selected(const QString& key) const { return m_model.Selected(key); }
    void setSelected(const QString& key, bool on) { m_model.setSelected(key, on); }
    bool Checked(const QString& key) const { return m_model.Checked(key); }
    void setChecked(const QString& key, bool on) { m_model.setChecked(key, on); }
    QString Caption(const QString& key) const { return m_model.Caption(key); }
    void setCaption(const QString& key, const QString& text) { m_model.setCaption(key, text); }
    QString Description(const QString& key) const { return m_model.Description(key); }
    void setDescription(const QString& key, const QString& text) {
        m_model.setDescription(key, text);
    }
    QString Tag(const QString& key) const { return m_model.Tag(key); }
    void setTag(const QString& key, const QString& tag) { m_model.setTag(key, tag); }
    QPixmap Icon(const QString& key) const { return m_model.Icon(key); }
    void setIcon(const QString& key, const QPixmap& icon) { m_model.setIcon(key, icon); }
    std::optional<QFont> FontCaption(const QString& key) const { return m_model.FontCaption(key); }
    void setFontCaption(const QString& key, const QFont& font) {
        m_model.setFontCaption(key, font);
    }
    quint32 ForeColorCaptionItem(const QString& key) const {
        return m_model.ForeColorCaptionItem(key);
    }
    void setForeColorCaptionItem(const QString& key, quint32 colour) {
        m_model.setForeColorCaptionItem(key, colour);
    }

    qint32 SelectedIndex() const { return m_model.SelectedIndex(); }
    void setSelectedIndex(qint32 index) { m_model.setSelectedIndex(index); }
    bool MultiSelect() const { return m_model.MultiSelect(); }
    void setMultiSelect(bool on);
    // The list's own Enabled: a disabled list still reports presses but keeps
    // its selection (the window itself stays enabled).
    bool ListEnabled() const { return m_model.Enabled(); }
    void setListEnabled(bool on);

    // The shared look (one set per process); writing re-arranges this list.
    quint32 BackColor() const { return modListMultiple::shared().BackColor; }
    void setBackColor(quint32 c) { setSetting(modListMultiple::Key::BackColor, c); }
    quint32 BackColorOver() const { return modListMultiple::shared().BackColorOver; }
    void setBackColorOver(quint32 c) { setSetting(modListMultiple::Key::BackColorOver, c); }
    quint32 BackColorSelected() const { return modListMultiple::shared().BackColorSelected; }
    void setBackColorSelected(quint32 c) { setSetting(modListMultiple::Key::BackColorSelected, c); }
    quint32 ForeColor() const { return modListMultiple::shared().ForeColor; }
    void setForeColor(quint32 c) { setSetting(modListMultiple::Key::ForeColor, c); }
    quint32 ForeColorOver() const { return modListMultiple::shared().ForeColorOver; }
    void setForeColorOver(quint32 c) { setSetting(modListMultiple::Key::ForeColorOver, c); }
    quint32 ForeColorSelected() const { return modListMultiple::shared().ForeColorSelected; }
    void setForeColorSelected(quint32 c) { setSetting(modListMultiple::Key::ForeColorSelected, c); }
    quint32 ForeColorCaption() const { return modListMultiple::shared().ForeColorCaption; }
    void setForeColorCaption(quint32 c) { setSetting(modListMultiple::Key::ForeColorCaption, c); }
    quint32 ForeColorCaptionOver() const { return modListMultiple::shared().ForeColorCaptionOver; }
    void setForeColorCaptionOver(quint32 c) {
        setSetting(modListMultiple::Key::ForeColorCaptionOver, c);
    }
    quint32 ForeColorCaptionSelected() const {
        return modListMultiple::shared().ForeColorCaptionSelected;
    }
    void setForeColorCaptionSelected(quint32 c) {
        setSetting(modListMultiple::Key::ForeColorCaptionSelected, c);
    }
    QPixmap IconChecked() const { return modListMultiple::shared().IconChecked; }
    void setIconChecked(const QPixmap& p) { setSetting(modListMultiple::Key::IconChecked, p); }
    QPixmap IconUnChecked() const { return modListMultiple::shared().IconUnChecked; }
    void setIconUnChecked(const QPixmap& p) { setSetting(modListMultiple::Key::IconUnChecked, p); }
    void setSetting(modListMultiple::Key key, const QVariant& value);

    // Stored settings: a missing key takes its default; saving leaves out
    // every value equal to its default.
    void ReadProperties(const QVariantMap& bag);
    QVariantMap WriteProperties() const;

    // The fill code's view of the list.
    void clear() override { Clear(); }
    bool setCaptionFont(const QString& key, bool bold, int size) override;
    bool setCaption(const QString& key, bool bold, quint32 colour) override;

    const ListMultipleModel& model() const { return m_model; }
    QScrollBar* scrollBar();
    // Where a row is drawn, in pixels of the list; empty when out of view.
    QRect rowRect(qint32 index) const;
    // Where a row's parts are drawn, in pixels of the list.
    RowParts rowPartsPx(qint32 index) const;

signals:
    void Check(const QString& strKey);
    void Click(const QString& strKey);
    void DblClick(const QString& strKey);
    void KeyDown(const QString& strKey, qint16 KeyCode, qint16 Shift);
    void MouseDown(const QString& strKey, qint16 Button, qint16 Shift, float X, float Y);
    void MouseMove(const QString& strKey, qint16 Button, qint16 Shift, float X, float Y);
    void MouseUp(const QString& strKey, qint16 Button, qint16 Shift, float X, float Y);
    void propertyChanged(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Hit {
        qint32 row = -1;
        QString key;
        RowPart part = RowPart::None;
        QPoint partOrigin; // twips in the list
        QPoint at;         // twips in the part
    };
    Hit hitAt(const QPointF& pos) const;
    RowParts rowParts(const ItemList& row) const;
    bool isSecondPress(const QMouseEvent* event);
    void modelChanged();
    void syncScrollBar();

    ListMultipleModel m_model;
    QScrollBar* m_bar;
    ListMultipleModel::ScrollBar m_synced;
    bool m_syncing = false;
    bool m_flushPending = false;
    // The part that took the last press gets the moves and the release.
    Hit m_capture;
    bool m_captured = false;
    struct LastPress {
        quint64 time = 0;
        Qt::MouseButton button = Qt::NoButton;
        QPointF pos;
    };
    LastPress m_lastPress;
    // The row last pressed has the keyboard focus; -1 for none.
    qint32 m_focusRow = -1;
};
