#include "controls/ListMultiple.h"

#include "controls/EventCodes.h"
#include "controls/modGradient.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QStyleHints>

namespace {

constexpr int T = ListMultiple::kTwipsPerPixel;

QRect toPx(const QRect& twips) {
    return QRect(twips.x() / T, twips.y() / T, twips.width() / T, twips.height() / T);
}

// The sub-caption is never bold; most rows share one caption font, so the
// last one made is kept.
const QFont& subCaptionFont(const QFont& caption) {
    static QFont lastCaption;
    static QFont font;
    static bool made = false;
    if (!made || !(caption == lastCaption)) {
        lastCaption = caption;
        font = caption;
        font.setBold(false);
        made = true;
    }
    return font;
}

const QFont& descriptionFont() {
    static const QFont font = [] {
        QFont f;
        f.setPointSize(9);
        return f;
    }();
    return font;
}

} // namespace

ListMultiple::ListMultiple(QWidget* parent) : QWidget(parent), m_bar(new QScrollBar(this)) {
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_bar->setOrientation(Qt::Vertical);
    // The rows follow the thumb when it is let go, not while it is dragged.
    m_bar->setTracking(false);
    m_bar->hide();
    connect(m_bar, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_syncing)
            m_model.setScrollValue(value);
    });
    // Nothing synced yet: the first sync sets every value of the bar.
    m_synced.Max = m_synced.Min = m_synced.LargeChange = m_synced.SmallChange = -1;
    m_model.onRepaint = [this] { modelChanged(); };
    m_model.Resize(width() * T, height() * T, m_bar->sizeHint().width() * T);
    syncScrollBar();
}

ListMultiple::~ListMultiple() {
    m_model.onRepaint = nullptr;
}

bool ListMultiple::Add(const QString& strCaption, const QString& strSubCaption,
                       const QString& strDescription, bool blnChecked, const QString& strTag,
                       const QPixmap& picMain, const QString& strKey) {
    return m_model.Add(strCaption, strSubCaption, strDescription, blnChecked, strTag, picMain,
                       strKey);
}

void ListMultiple::Clear() {
    m_focusRow = -1;
    m_captured = false;
    m_model.Clear();
}

void ListMultiple::adjustScrollBar() {
    m_model.adjustScrollBar();
    syncScrollBar();
}

void ListMultiple::Resize() {
    const int barWidth = m_bar->sizeHint().width();
    m_model.Resize(width() * T, height() * T, barWidth * T);
    m_bar->setGeometry(toPx(m_model.scrollBarRect()));
    syncScrollBar();
}

void ListMultiple::setRowHeight(qint32 twips) {
    m_model.setRowHeight(twips);
    Resize();
}

void ListMultiple::setMultiSelect(bool on) {
    m_model.setMultiSelect(on);
    emit propertyChanged(QStringLiteral("MultiSelect"));
}

void ListMultiple::setListEnabled(bool on) {
    m_model.setEnabled(on);
    emit propertyChanged(QStringLiteral("Enabled"));
}

void ListMultiple::setSetting(modListMultiple::Key key, const QVariant& value) {
    modListMultiple::setValue(modListMultiple::shared(), key, value);
    m_model.arrangeRows();
    emit propertyChanged(modListMultiple::keyName(key));
}

void ListMultiple::ReadProperties(const QVariantMap& bag) {
    const auto has = [&](const QString& name) { return bag.contains(name); };
    setListEnabled(has(QStringLiteral("Enabled")) ? bag.value(QStringLiteral("Enabled")).toBool()
                                                  : true);
    setMultiSelect(has(QStringLiteral("MultiSelect"))
                       ? bag.value(QStringLiteral("MultiSelect")).toBool()
                       : false);
    const modListMultiple::Settings defaults;
    for (const modListMultiple::Key key : modListMultiple::kAllKeys) {
        const QString name = modListMultiple::keyName(key);
        setSetting(key, has(name) ? bag.value(name) : modListMultiple::value(defaults, key));
    }
}

QVariantMap ListMultiple::WriteProperties() const {
    QVariantMap bag;
    if (!ListEnabled())
        bag.insert(QStringLiteral("Enabled"), false);
    if (MultiSelect())
        bag.insert(QStringLiteral("MultiSelect"), true);
    const modListMultiple::Settings& settings = modListMultiple::shared();
    for (const modListMultiple::Key key : modListMultiple::kAllKeys)
        if (!modListMultiple::isDefault(settings, key))
            bag.insert(modListMultiple::keyName(key), modListMultiple::value(settings, key));
    return bag;
}

bool ListMultiple::setCaptionFont(const QString& key, bool bold, int size) {
    std::optional<QFont> font = m_model.FontCaption(key);
    if (!font)
        return false;
    font->setBold(bold);
    font->setPointSize(size);
    m_model.setFontCaption(key, *font);
    return true;
}

bool ListMultiple::setCaption(const QString& key, bool bold, quint32 colour) {
    std::optional<QFont> font = m_model.FontCaption(key);
    if (!font)
        return false;
    font->setBold(bold);
    m_model.setFontCaption(key, *font);
    m_model.setForeColorCaptionItem(key, colour);
    return true;
}

RowParts ListMultiple::rowParts(const ItemList& row) const {
    RowPartSizes sizes;
    sizes.innerWidth = m_model.rowWidth();
    sizes.innerHeight = m_model.rowHeight();
    if (!row.IconMain().isNull())
        sizes.icon = (row.IconMain().deviceIndependentSize() * T).toSize();
    sizes.subCaptionWidth =
        QFontMetrics(subCaptionFont(row.FontCaption())).horizontalAdvance(row.SubCaption()) * T;
    return layoutRow(sizes);
}

QRect ListMultiple::rowRect(qint32 index) const {
    const auto [first, last] = m_model.rowsInView();
    if (index < first || index >= last)
        return {};
    return toPx(QRect(0, m_model.rowTop(index), m_model.rowWidth(), m_model.rowHeight()));
}

RowParts ListMultiple::rowPartsPx(qint32 index) const {
    const ItemList* row = m_model.Item(index);
    const QRect rect = rowRect(index);
    if (!row || rect.isEmpty())
        return {};
    RowParts parts = rowParts(*row);
    for (QRect* r : {&parts.imgMain, &parts.imgChecked, &parts.lblCaption, &parts.lblSubCaption,
                     &parts.lblDescription})
        *r = toPx(*r).translated(rect.topLeft());
    return parts;
}

void ListMultiple::paintEvent(QPaintEvent* event) {
    syncScrollBar();
    QPainter p(this);
    const modListMultiple::Settings& s = modListMultiple::shared();
    const auto [first, last] = m_model.rowsInView();
    // One fill for the list and every row in its colour; rows of another
    // colour (selected, under the pointer) on top.
    p.fillRect(event->rect(), modGradient::toQColor(s.BackColor));
    for (qint32 i = first; i < last; ++i) {
        const ItemList& row = *m_model.Item(i);
        const QRect rect = rowRect(i);
        if (!rect.intersects(event->rect()))
            continue;
        const RowLook& look = row.look();
        if (look.background != s.BackColor)
            p.fillRect(rect, modGradient::toQColor(look.background));
        p.save();
        p.setClipRect(rect);
        p.translate(rect.topLeft());
        const RowParts parts = rowParts(row);
        if (!row.IconMain().isNull())
            p.drawPixmap(toPx(parts.imgMain).topLeft(), row.IconMain());
        const QPixmap& check = look.checkedPicture ? s.IconChecked : s.IconUnChecked;
        if (!check.isNull())
            p.drawPixmap(toPx(parts.imgChecked), check);
        const QColor captionColour = modGradient::toQColor(row.ForeColorCaption());
        p.setPen(captionColour);
        p.setFont(row.FontCaption());
        p.drawText(toPx(parts.lblCaption), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   row.Caption());
        if (!row.SubCaption().isEmpty()) {
            p.setFont(subCaptionFont(row.FontCaption()));
            const QRect sub = toPx(parts.lblSubCaption);
            p.drawText(sub.adjusted(0, 0, 1, 0),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                       row.SubCaption());
        }
        p.setPen(modGradient::toQColor(look.description));
        p.setFont(descriptionFont());
        const QRect description = toPx(parts.lblDescription);
        p.setClipRect(description, Qt::IntersectClip);
        p.drawText(description, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, row.Description());
        p.restore();
    }
}

void ListMultiple::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Resize();
}

ListMultiple::Hit ListMultiple::hitAt(const QPointF& pos) const {
    Hit hit;
    const QPoint twips(qRound(pos.x() * T), qRound(pos.y() * T));
    const qint32 index = m_model.rowAt(twips.y());
    const ItemList* row = m_model.Item(index);
    if (!row || twips.x() >= m_model.rowWidth())
        return hit;
    const QPoint rowOrigin(0, m_model.rowTop(index));
    const RowParts parts = rowParts(*row);
    const RowHit inRow =
        rowPartAt(parts, QSize(m_model.rowWidth(), m_model.rowHeight()), twips - rowOrigin);
    if (inRow.part == RowPart::None)
        return hit;
    hit.row = index;
    hit.key = row->Key();
    hit.part = inRow.part;
    hit.at = inRow.at;
    hit.partOrigin = twips - inRow.at;
    return hit;
}

bool ListMultiple::isSecondPress(const QMouseEvent* event) {
    // The window system sends the second press of a double click as a press
    // and then a double click; the list reports the double click alone, as
    // the same test the window system makes tells them apart.
    const QStyleHints* hints = QGuiApplication::styleHints();
    const bool second =
        m_lastPress.button == event->button() &&
        event->timestamp() - m_lastPress.time < quint64(hints->mouseDoubleClickInterval()) &&
        (event->position() - m_lastPress.pos).manhattanLength() <=
            hints->mouseDoubleClickDistance();
    // A third press starts over.
    m_lastPress =
        second ? LastPress{} : LastPress{event->timestamp(), event->button(), event->position()};
    return second;
}

void ListMultiple::mousePressEvent(QMouseEvent* event) {
    const bool second = isSecondPress(event);
    const Hit hit = hitAt(event->position());
    if (hit.row < 0)
        return;
    m_capture = hit;
    m_captured = true;
    m_focusRow = hit.row;
    if (second)
        return;
    if (hit.part == RowPart::Check) {
        // The check picture takes the press itself: no MouseDown, no selection.
        if (ItemList* row = m_model.Item(hit.row)) {
            row->setChecked(!row->Checked());
            row->Redraw();
        }
        update();
        emit Check(hit.key);
        return;
    }
    m_model.selectByKey(hit.key);
    // A handler may close the window that holds the list.
    const QPointer<ListMultiple> alive(this);
    emit MouseDown(hit.key, eventCodes::mouseButtons(event->button()),
                   eventCodes::shiftState(event->modifiers()), float(hit.at.x()),
                   float(hit.at.y()));
    if (alive)
        emit Click(hit.key);
}

void ListMultiple::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click raises DblClick alone.
    const Hit hit = hitAt(event->position());
    if (hit.row < 0)
        return;
    m_capture = hit;
    m_captured = true;
    m_focusRow = hit.row;
    emit DblClick(hit.key);
}

void ListMultiple::mouseMoveEvent(QMouseEvent* event) {
    const qint16 shift = eventCodes::shiftState(event->modifiers());
    const qint16 buttons = eventCodes::mouseButtons(event->buttons());
    if (m_captured && event->buttons() != Qt::NoButton) {
        const QPoint at =
            QPoint(qRound(event->position().x() * T), qRound(event->position().y() * T)) -
            m_capture.partOrigin;
        emit MouseMove(m_capture.key, buttons, shift, float(at.x()), float(at.y()));
        return;
    }
    const Hit hit = hitAt(event->position());
    if (hit.row >= 0)
        emit MouseMove(hit.key, buttons, shift, float(hit.at.x()), float(hit.at.y()));
}

void ListMultiple::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_captured)
        return;
    const Hit capture = m_capture;
    if (event->buttons() == Qt::NoButton)
        m_captured = false;
    if (capture.part == RowPart::Check)
        return;
    const QPoint at = QPoint(qRound(event->position().x() * T), qRound(event->position().y() * T)) -
                      capture.partOrigin;
    emit MouseUp(capture.key, eventCodes::mouseButtons(event->button()),
                 eventCodes::shiftState(event->modifiers()), float(at.x()), float(at.y()));
}

void ListMultiple::keyPressEvent(QKeyEvent* event) {
    const ItemList* row = m_model.isEmpty() ? nullptr : m_model.Item(m_focusRow);
    if (!row) {
        QWidget::keyPressEvent(event);
        return;
    }
    emit KeyDown(row->Key(), eventCodes::keyCode(event->key()),
                 eventCodes::shiftState(event->modifiers()));
}

void ListMultiple::modelChanged() {
    // Scrolling with the bar: the bar is where the model is already.
    ListMultipleModel::ScrollBar moved = m_synced;
    moved.Value = m_model.scrollBar().Value;
    if (!m_flushPending && moved == m_model.scrollBar() && moved.Value == m_bar->value()) {
        m_synced = moved;
        update();
        return;
    }
    // Adding thousands of rows in one go moves the bar and repaints once,
    // when the caller is done; anything that reads the bar syncs it first.
    if (m_flushPending)
        return;
    m_flushPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            syncScrollBar();
            update();
        },
        Qt::QueuedConnection);
}

QScrollBar* ListMultiple::scrollBar() {
    syncScrollBar();
    return m_bar;
}

void ListMultiple::syncScrollBar() {
    m_flushPending = false;
    const ListMultipleModel::ScrollBar& bar = m_model.scrollBar();
    if (bar == m_synced)
        return;
    m_syncing = true;
    if (bar.Max != m_synced.Max || bar.Min != m_synced.Min)
        m_bar->setRange(bar.Min, bar.Max);
    if (bar.SmallChange != m_synced.SmallChange)
        m_bar->setSingleStep(bar.SmallChange);
    if (bar.LargeChange != m_synced.LargeChange)
        m_bar->setPageStep(bar.LargeChange);
    m_bar->setValue(bar.Value);
    if (bar.Visible != m_synced.Visible)
        m_bar->setVisible(bar.Visible);
    m_syncing = false;
    m_synced = bar;
}
