#pragma once

// The drawn button's rules that need no window: access keys, the inner
// rectangle, the window shape of each type, and where caption and picture go.

#include <QChar>
#include <QRect>
#include <QRegion>
#include <QString>

namespace buttonXPRules {

// The character after the first "&", in lower case. When that "&" is
// doubled the character after the next "&" counts instead, and a second
// doubled one leaves no key. A caption shorter than two characters, or one
// ending in the "&" that would mark the key, has none (a null QChar).
QChar accessKey(const QString& caption);

// The client area shrunk by 3 pixels on each side for types 7 to 13, by 5
// and moved 1 pixel right and down for type 14, by 4 for the others.
QRect innerRect(qint16 buttonType, QSize size);

// The pixels the button's window keeps: rounded corners for types 3 and 4,
// the four corner pixels cut for types 1 and 14, two opposite corners cut
// for type 5, an ellipse for type 13, the whole rectangle otherwise.
QRegion windowRegion(qint16 buttonType, QSize size);

enum PicturePosition : qint16 { Left = 0, Right = 1, Above = 2, Below = 3, Behind = 4 };

struct CaptionLayout {
    QRect caption;  // where the caption is drawn, centred with word wrap
    QPoint picture; // top-left corner of the picture (when there is one)
};

// Places a caption of the measured size and a picture of the given size
// (empty: none) in the inner rectangle. The picture goes 4 pixels left or
// right of the caption, 2 pixels above or below it centred across, or centred
// on the button (position 4, or a blank caption). Pressed moves both one
// pixel right and down.
CaptionLayout layoutCaption(const QRect& inner, QSize captionSize, QSize pictureSize,
                            qint16 position, bool captionBlank, bool pressed);

// The room the caption may wrap in, once the picture has taken its part.
QRect captionRoom(const QRect& inner, QSize pictureSize, qint16 position, bool captionBlank);

} // namespace buttonXPRules
