#pragma once

// The program's own drawn button: fourteen looks, four colour schemes, an
// optional picture beside the caption, a hot look while the pointer is over
// it, optional check-box behaviour and a shaped window. `clicked` is its
// Click event; the other events carry the old button's arguments (mouse
// button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt; positions
// in pixels on the button).

#include "controls/ButtonXPPainter.h"

#include <QPixmap>
#include <QPushButton>
#include <QVariantMap>

class ButtonXP : public QPushButton {
    Q_OBJECT
public:
    explicit ButtonXP(const QString& caption, QWidget* parent = nullptr);

    // The look every dialog of the program gives its buttons: a drawn type (3,
    // or 5 for the settings dialog's side buttons), black text when hot and
    // the arrow pointer.
    void setDialogLook(qint16 type = 3);

    // Colours are 0x00BBGGRR; 0x80000000 + n names system colour n.
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 colour) { write(m_backColor, colour, "BackColor"); }
    quint32 BackOver() const { return m_backOver; }
    void setBackOver(quint32 colour) { write(m_backOver, colour, "BackOver"); }
    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 colour) { write(m_foreColor, colour, "ForeColor"); }
    quint32 ForeOver() const { return m_foreOver; }
    void setForeOver(quint32 colour) { write(m_foreOver, colour, "ForeOver"); }
    quint32 MaskColor() const { return m_maskColor; }
    void setMaskColor(quint32 colour) { write(m_maskColor, colour, "MaskColor"); }
    qint16 ButtonType() const { return m_buttonType; }
    void setButtonType(qint16 type); // 1 to 14; others are refused
    qint16 ColorScheme() const { return m_colorScheme; }
    void setColorScheme(qint16 scheme) { write(m_colorScheme, scheme, "ColorScheme"); }
    bool SoftBevel() const { return m_softBevel; }
    void setSoftBevel(bool on) { write(m_softBevel, on, "SoftBevel"); }

    // "&" marks the access key (Alt + key clicks the button).
    QString Caption() const { return text(); }
    void setCaption(const QString& caption);
    QChar accessKey() const;

    bool FontBold() const { return font().bold(); }
    void setFontBold(bool on);
    bool FontItalic() const { return font().italic(); }
    void setFontItalic(bool on);
    bool FontUnderline() const { return font().underline(); }
    void setFontUnderline(bool on);
    qint16 FontSize() const;
    void setFontSize(qint16 points);
    QString FontName() const { return font().family(); }
    void setFontName(const QString& name);

    bool ShowFocusRectangle() const { return m_showFocusRectangle; }
    void setShowFocusRectangle(bool on) { write(m_showFocusRectangle, on, "ShowFocusRectangle"); }
    // Pointer shapes: 0 default, 1 arrow, 2 cross, 3 I-beam, 5 and 15 move,
    // 6 to 9 sizing, 10 up arrow, 11 hourglass, 12 no drop, 13 busy,
    // 14 what's this, 99 custom (MouseIcon).
    qint16 MousePointer() const { return m_mousePointer; }
    void setMousePointer(qint16 shape);
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);
    bool HandPointer() const { return m_handPointer; }
    void setHandPointer(bool on);

    QPixmap PictureNormal() const { return m_pictureNormal; }
    void setPictureNormal(const QPixmap& picture) {
        write(m_pictureNormal, picture, "PictureNormal");
    }
    QPixmap PictureOver() const { return m_pictureOver; }
    void setPictureOver(const QPixmap& picture);
    qint16 PicturePosition() const { return m_picturePosition; }
    void setPicturePosition(qint16 position) {
        write(m_picturePosition, position, "PicturePosition");
    }
    bool UseMaskColor() const { return m_useMaskColor; }
    void setUseMaskColor(bool on);
    bool UseGreyscale() const { return m_useGreyscale; }
    void setUseGreyscale(bool on);
    qint16 SpecialEffect() const { return m_specialEffect; }
    void setSpecialEffect(qint16 effect) { write(m_specialEffect, effect, "SpecialEffect"); }

    // With check-box behaviour every click flips Value, and the button stays
    // drawn pressed while Value is true.
    bool CheckBoxBehaviour() const { return m_checkBoxBehaviour; }
    void setCheckBoxBehaviour(bool on);
    bool Value() const { return m_value; }
    void setValue(bool on);

    bool Enabled() const;

    // Recompute colours and layout, allow painting and redraw.
    void Refresh();
    // Stop painting until Refresh or the next showing.
    void DisableRefresh();
    bool paintingAllowed() const { return m_paintAllowed; }

    // Is the pointer-over look on.
    bool isHot() const { return m_hot; }
    // Everything the next drawing uses.
    buttonXPPainter::ButtonLook look() const;

    // The persisted settings. Reading matches keys without regard to case and
    // gives a missing key its default; writing leaves out values equal to it.
    void ReadProperties(const QVariantMap& bag);
    QVariantMap WriteProperties() const;

signals:
    void MouseDown(qint16 Button, qint16 Shift, float X, float Y);
    void MouseMove(qint16 Button, qint16 Shift, float X, float Y);
    void MouseUp(qint16 Button, qint16 Shift, float X, float Y);
    void KeyPress(qint16 KeyAscii);
    void KeyDown(qint16 KeyCode, qint16 Shift);
    void KeyUp(qint16 KeyCode, qint16 Shift);
    void MouseOver();
    void MouseOut();
    void propertyChanged(const QString& name);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    void changed(const char* name);
    // A property write: store, tell the host, redraw.
    template <typename T> void write(T& member, const T& value, const char* name) {
        member = value;
        changed(name);
    }
    void redraw();
    void pointerAt(const QPoint& pos, Qt::MouseButtons buttons);
    void pointerLeft();
    void applyCursor();
    void reshape();
    void copyBackground();
    void takeBackground();
    void onClicked();

    quint32 m_backColor = 0x8000000F;
    quint32 m_backOver = 0x8000000F;
    quint32 m_foreColor = 0x80000012;
    quint32 m_foreOver = 0x80000012;
    quint32 m_maskColor = 0xC0C0C0;
    qint16 m_buttonType = 2;
    qint16 m_colorScheme = 1;
    bool m_softBevel = false;
    bool m_showFocusRectangle = true;
    qint16 m_mousePointer = 0;
    QPixmap m_mouseIcon;
    bool m_handPointer = false;
    QPixmap m_pictureNormal;
    QPixmap m_pictureOver;
    qint16 m_picturePosition = 0;
    bool m_useMaskColor = true;
    bool m_useGreyscale = false;
    qint16 m_specialEffect = 0;
    bool m_checkBoxBehaviour = false;
    bool m_value = false;

    bool m_hot = false;
    bool m_inside = false;    // the pointer was last seen over the button
    bool m_otherDown = false; // pressed with the middle button: drawn pressed, never clicks
    bool m_paintAllowed = false;
    QPixmap m_surface;    // the last drawing, shown while painting is stopped
    QPixmap m_background; // type 11: the container's pixels behind the button
    bool m_backgroundPending = false;
    bool m_copyingBackground = false;
};
