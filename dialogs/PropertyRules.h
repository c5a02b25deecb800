#pragma once

// What the property dialogs accept, without any widget.

#include <QString>

namespace propertyRules {

enum class EntryKind { Folder, Channel, WebPage };

// The warning for the trimmed name and address, or an empty text when they
// are accepted.
QString validate(EntryKind kind, const QString& name, const QString& address);

// The address as stored: one that names a scheme ("http://", "https://",
// "file://", ...) in any letter case is kept as typed; one without a scheme
// gets "http://" in front.
QString storedAddress(const QString& address);

} // namespace propertyRules
