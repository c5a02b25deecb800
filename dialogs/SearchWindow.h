#pragma once

// The two search windows of the main window: Form1 ("检索") walks the
// channel tree's nodes in the order they were added, RSSCHA ("RSS频道检索")
// walks the rows of the headline list. Each search finds the next match
// after the previous one, selects it and paints it red, and the hit blinks
// until the next search or until the window closes. Both are one window on
// the shared TextSearch; they differ in what they walk, how a hit gets its
// colour back, and what closing leaves selected.
//
// The window never owns the view it searches, and the view can change under
// it (Form1 is not modal): the hit is remembered by its place in the view's
// model, so a node deleted or a tree reloaded is noticed and dropped.

#include "dialogs/TextSearch.h"

#include <QDialog>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTimer>

class ButtonXP;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

class SearchWindow : public QDialog {
    Q_OBJECT
public:
    QGroupBox* fraProperties;
    QLabel* lblName;
    QLineEdit* txtName;
    QRadioButton* Option1; // "模糊查询"
    QRadioButton* Option2; // "精确查询"
    ButtonXP* ButtonXP1;   // "查  找  "
    ButtonXP* ButtonXP2;   // "取  消  "
    QTimer Timer1;         // the hit blinks

    ~SearchWindow() override;

    // "查  找  ": the next match after the previous one.
    void find();
    // One tick of Timer1: the hit's selection switched to its opposite.
    void blink();

    qint32 lngCursor() const { return m_search.lngCursor; }
    qint32 lngHit() const { return m_search.lngHit; }
    // The item last found, while it still exists in the view.
    QTreeWidgetItem* hitItem() const;

    static const QColor kHitColour;

protected:
    struct Layout {
        QString caption;
        int widthTwips, heightTwips;
        int frameTop;
        int option1Top, option2Top;
        int buttonTop;
    };
    SearchWindow(QTreeWidget* view, const Layout& layout, QWidget* parent);

    // The items searched, 1-based in the order the search walks them.
    virtual QList<QTreeWidgetItem*> walk() const = 0;
    // The last hit's normal colour given back; before a search (not on
    // closing) the window may also take its selection away.
    virtual void giveColourBack(QTreeWidgetItem* item, bool beforeSearch) = 0;
    // After the colour is given back on closing.
    virtual void afterClosing(QTreeWidgetItem* /*lastHit*/) {}

    QTreeWidget* view() const { return m_view; }

    void showEvent(QShowEvent* event) override;

private:
    void done(int result) override;
    void restoreHit(bool beforeSearch);
    // Re-finds the remembered hit; drops it when it no longer exists.
    void relocateHit(const QList<QTreeWidgetItem*>& items);
    void rememberHit(QTreeWidgetItem* item);

    QPointer<QTreeWidget> m_view;
    TextSearch m_search;
    QPersistentModelIndex m_hitIndex;
    bool m_closed = false;
};

// "检索": the channel tree's nodes; not modal, top-most, centred on the screen.
class Form1 : public SearchWindow {
    Q_OBJECT
public:
    explicit Form1(QTreeWidget* tree, QWidget* parent = nullptr);

protected:
    QList<QTreeWidgetItem*> walk() const override;
    // Blue for a top-level node, black for any deeper one; before a search
    // also deselected (closing leaves the selection as the blinking left it).
    void giveColourBack(QTreeWidgetItem* item, bool beforeSearch) override;
};

// "RSS频道检索": the headline list's rows; shown modal by its owner.
class RSSCHA : public SearchWindow {
    Q_OBJECT
public:
    explicit RSSCHA(QTreeWidget* list, QWidget* parent = nullptr);

protected:
    QList<QTreeWidgetItem*> walk() const override;
    // Black; the selection is not touched.
    void giveColourBack(QTreeWidgetItem* item, bool beforeSearch) override;
    // The headline found stays selected in the list.
    void afterClosing(QTreeWidgetItem* lastHit) override;
};
