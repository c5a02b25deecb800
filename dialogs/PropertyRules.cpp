#include "dialogs/PropertyRules.h"

#include <QRegularExpression>

namespace propertyRules {

QString validate(EntryKind kind, const QString& name, const QString& address) {
    switch (kind) {
    case EntryKind::Folder:
        return name.isEmpty() ? QStringLiteral("请输入频道名称!") : QString();
    case EntryKind::Channel:
        if (name.isEmpty())
            return QStringLiteral("请输入RSS频道名称!");
        return address.isEmpty() ? QStringLiteral("请输入RSS频道地址!") : QString();
    case EntryKind::WebPage:
        if (name.isEmpty())
            return QStringLiteral("请输入WEB名称!");
        return address.isEmpty() ? QStringLiteral("请输入WEB地址!") : QString();
    }
    return QString();
}

QString storedAddress(const QString& address) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    if (scheme.match(address).hasMatch())
        return address;
    return QStringLiteral("http://") + address;
}

} // namespace propertyRules
