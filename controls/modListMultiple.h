#pragma once

// The news list's look, one set per process: every list and every row reads
// the same colours and check pictures. Colours are 0x00BBGGRR.

#include <QPixmap>
#include <QString>
#include <QVariantMap>

namespace modListMultiple {

struct Settings {
    quint32 BackColor = 0xFFFFFF;
    quint32 BackColorOver = 0xFFC0C0;
    quint32 BackColorSelected = 0xFF0000;
    quint32 ForeColor = 0;
    quint32 ForeColorOver = 255;
    quint32 ForeColorSelected = 0xFFFFFF;
    // Blue, so that a list that never set it shows the rows' usual blue captions.
    quint32 ForeColorCaption = 0xFF0000;
    quint32 ForeColorCaptionOver = 255;
    quint32 ForeColorCaptionSelected = 0xFFFFFF;
    QPixmap IconChecked;
    QPixmap IconUnChecked;
};

// The process's one set.
Settings& shared();

// Persisted keys of the shared settings, in their stored order.
enum class Key {
    BackColor,
    BackColorOver,
    BackColorSelected,
    ForeColor,
    ForeColorOver,
    ForeColorSelected,
    ForeColorCaption,
    ForeColorCaptionOver,
    ForeColorCaptionSelected,
    IconChecked,
    IconUnChecked,
};
inline constexpr Key kAllKeys[] = {
    Key::BackColor,        Key::BackColorOver,        Key::BackColorSelected,
    Key::ForeColor,        Key::ForeColorOver,        Key::ForeColorSelected,
    Key::ForeColorCaption, Key::ForeColorCaptionOver, Key::ForeColorCaptionSelected,
    Key::IconChecked,      Key::IconUnChecked,
};

QString keyName(Key key);
// The setting as stored: a colour as quint32, a picture as QPixmap.
QVariant value(const Settings& settings, Key key);
void setValue(Settings& settings, Key key, const QVariant& value);
// True when the value equals the setting's default (and is left out when saved).
bool isDefault(const Settings& settings, Key key);

} // namespace modListMultiple
