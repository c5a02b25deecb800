#include "controls/modListMultiple.h"

#include <QCoreApplication>

namespace modListMultiple {

Settings& shared() {
    static Settings settings;
    static const bool cleanUp = [] {
        // Pictures go with the application, not after it.
        qAddPostRoutine([] {
            settings.IconChecked = QPixmap();
            settings.IconUnChecked = QPixmap();
        });
        return true;
    }();
    Q_UNUSED(cleanUp);
    return settings;
}

namespace {

quint32 Settings::*colourMember(Key key) {
    switch (key) {
    case Key::BackColor:
        return &Settings::BackColor;
    case Key::BackColorOver:
        return &Settings::BackColorOver;
    case Key::BackColorSelected:
        return &Settings::BackColorSelected;
    case Key::ForeColor:
        return &Settings::ForeColor;
    case Key::ForeColorOver:
        return &Settings::ForeColorOver;
    case Key::ForeColorSelected:
        return &Settings::ForeColorSelected;
    case Key::ForeColorCaption:
        return &Settings::ForeColorCaption;
    case Key::ForeColorCaptionOver:
        return &Settings::ForeColorCaptionOver;
    case Key::ForeColorCaptionSelected:
        return &Settings::ForeColorCaptionSelected;
    default:
        return nullptr;
    }
}

QPixmap Settings::*pictureMember(Key key) {
    return key == Key::IconChecked ? &Settings::IconChecked : &Settings::IconUnChecked;
}

} // namespace

QString keyName(Key key) {
    switch (key) {
    case Key::BackColor:
        return QStringLiteral("BackColor");
    case Key::BackColorOver:
        return QStringLiteral("BackColorOver");
    case Key::BackColorSelected:
        return QStringLiteral("BackColorSelected");
    case Key::ForeColor:
        return QStringLiteral("ForeColor");
    case Key::ForeColorOver:
        return QStringLiteral("ForeColorOver");
    case Key::ForeColorSelected:
        return QStringLiteral("ForeColorSelected");
    case Key::ForeColorCaption:
        return QStringLiteral("ForeColorCaption");
    case Key::ForeColorCaptionOver:
        return QStringLiteral("ForeColorCaptionOver");
    case Key::ForeColorCaptionSelected:
        return QStringLiteral("ForeColorCaptionSelected");
    case Key::IconChecked:
        return QStringLiteral("IconChecked");
    case Key::IconUnChecked:
        return QStringLiteral("IconUnChecked");
    }
    return {};
}

QVariant value(const Settings& settings, Key key) {
    if (auto member = colourMember(key))
        return QVariant::fromValue(settings.*member);
    return QVariant::fromValue(settings.*pictureMember(key));
}

void setValue(Settings& settings, Key key, const QVariant& value) {
    if (auto member = colourMember(key))
        settings.*member = value.value<quint32>();
    else
        settings.*pictureMember(key) = value.value<QPixmap>();
}

bool isDefault(const Settings& settings, Key key) {
    static const Settings defaults;
    if (auto member = colourMember(key))
        return settings.*member == defaults.*member;
    return (settings.*pictureMember(key)).isNull();
}

} // namespace modListMultiple
