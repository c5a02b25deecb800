// The drawn button's persisted settings: one bag of named values, read with
// the defaults of a setting that was never stored, written without them.

#include "controls/ButtonXP.h"

#include <QApplication>

namespace {

constexpr quint32 kSystemFace = 0x8000000F;
constexpr quint32 kSystemText = 0x80000012;
constexpr quint32 kForeOverDefault = 0xC00000;
constexpr quint32 kMaskDefault = 0xC0C0C0;

// Keys compare without regard to letter case.
class Bag {
public:
    explicit Bag(const QVariantMap& bag) {
        for (auto it = bag.begin(); it != bag.end(); ++it)
            m_values.insert(it.key().toLower(), it.value());
    }
    QVariant value(const char* key) const {
        return m_values.value(QString::fromLatin1(key).toLower());
    }
    bool has(const char* key) const {
        return m_values.contains(QString::fromLatin1(key).toLower());
    }
    quint32 colour(const char* key, quint32 fallback) const {
        return has(key) ? quint32(value(key).toLongLong()) : fallback;
    }
    qint16 number(const char* key, qint16 fallback) const {
        return has(key) ? qint16(value(key).toInt()) : fallback;
    }
    bool flag(const char* key, bool fallback) const {
        return has(key) ? value(key).toBool() : fallback;
    }
    QPixmap picture(const char* key) const {
        return has(key) ? value(key).value<QPixmap>() : QPixmap();
    }

private:
    QVariantMap m_values;
};

// The container's font: what a setting without font keys falls back to.
QFont containerFont(const QWidget* button) {
    return button->parentWidget() ? button->parentWidget()->font() : QApplication::font();
}

// A stored font may be a font value or a name (or a font's text form).
QString fontName(const QVariant& stored) {
    if (stored.canConvert<QFont>() && stored.typeId() == QMetaType::QFont)
        return stored.value<QFont>().family();
    const QString text = stored.toString();
    QFont parsed;
    if (text.contains(QLatin1Char(',')) && parsed.fromString(text))
        return parsed.family();
    return text;
}

} // namespace

void ButtonXP::ReadProperties(const QVariantMap& stored) {
    const Bag bag(stored);
    m_backColor = bag.colour("BackColor", kSystemFace);
    m_backOver = bag.colour("BackOver", kSystemFace);
    m_foreColor = bag.colour("ForeColor", kSystemText);
    m_foreOver = bag.colour("ForeOver", kForeOverDefault);
    m_maskColor = bag.colour("MaskColor", kMaskDefault);
    const qint16 type = bag.number("ButtonType", 2);
    m_buttonType = type >= 1 && type <= 14 ? type : 2;
    setCaption(bag.has("Caption") ? bag.value("Caption").toString() : QString());
    setEnabled(bag.flag("Enabled", true));

    // Only the name of a stored font counts; the separate keys refine it.
    const QFont current = containerFont(this);
    QFont f = current;
    if (bag.has("Font"))
        f.setFamily(fontName(bag.value("Font")));
    if (bag.has("FontName"))
        f.setFamily(bag.value("FontName").toString());
    const qint16 size = bag.number("FontSize", qint16(qRound(current.pointSizeF())));
    if (size > 0)
        f.setPointSize(size);
    f.setBold(bag.flag("FontBold", false));
    f.setItalic(bag.flag("FontItalic", false));
    setFont(f);

    m_colorScheme = bag.number("ColorScheme", 1);
    m_showFocusRectangle = bag.flag("ShowFocusRectangle", true);
    m_softBevel = bag.flag("SoftBevel", false);
    m_pictureNormal = bag.picture("PictureNormal");
    m_pictureOver = bag.picture("PictureOver");
    m_picturePosition = bag.number("PicturePosition", 0);
    m_useMaskColor = bag.flag("UseMaskColor", true);
    m_useGreyscale = bag.flag("UseGreyScale", false);
    m_specialEffect = bag.number("SpecialEffect", 0);
    m_checkBoxBehaviour = bag.flag("CheckBoxBehaviour", false);
    m_value = bag.flag("Value", false);
    m_mousePointer = bag.number("MousePointer", 0);
    m_mouseIcon = bag.picture("MouseIcon");
    m_handPointer = bag.flag("HandPointer", false);
    applyCursor();
    reshape();
    copyBackground();
    redraw();
}

QVariantMap ButtonXP::WriteProperties() const {
    QVariantMap bag;
    const auto put = [&bag](const char* key, const QVariant& value, const QVariant& fallback) {
        if (value != fallback)
            bag.insert(QString::fromLatin1(key), value);
    };
    const auto colour = [](quint32 c) { return QVariant(qint64(c)); };
    put("BackColor", colour(m_backColor), colour(kSystemFace));
    put("BackOver", colour(m_backOver), colour(kSystemFace));
    put("ForeColor", colour(m_foreColor), colour(kSystemText));
    put("ForeOver", colour(m_foreOver), colour(kForeOverDefault));
    put("MaskColor", colour(m_maskColor), colour(kMaskDefault));
    put("ButtonType", int(m_buttonType), 2);
    put("Caption", text(), QString());
    put("Enabled", Enabled(), true);
    const QFont current = containerFont(this);
    const QFont f = font();
    put("Font", f.family(), current.family());
    put("FontBold", f.bold(), false);
    put("FontItalic", f.italic(), false);
    put("FontSize", int(FontSize()), int(qRound(current.pointSizeF())));
    put("FontName", f.family(), current.family());
    put("ColorScheme", int(m_colorScheme), 1);
    put("ShowFocusRectangle", m_showFocusRectangle, true);
    put("MousePointer", int(m_mousePointer), 0);
    if (!m_mouseIcon.isNull())
        bag.insert(QStringLiteral("MouseIcon"), m_mouseIcon);
    put("HandPointer", m_handPointer, false);
    put("SoftBevel", m_softBevel, false);
    if (!m_pictureNormal.isNull())
        bag.insert(QStringLiteral("PictureNormal"), m_pictureNormal);
    if (!m_pictureOver.isNull())
        bag.insert(QStringLiteral("PictureOver"), m_pictureOver);
    put("PicturePosition", int(m_picturePosition), 0);
    put("UseMaskColor", m_useMaskColor, true);
    put("UseGreyScale", m_useGreyscale, false);
    put("SpecialEffect", int(m_specialEffect), 0);
    put("CheckBoxBehaviour", m_checkBoxBehaviour, false);
    put("Value", m_value, false);
    return bag;
}
