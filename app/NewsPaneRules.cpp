#include "app/NewsPaneRules.h"

#include "core/tree/modTypes.h"

#include <algorithm>

namespace newsRules {

int clampRow(int row, int count) {
    if (count <= 0)
        return 0;
    return std::clamp(row, 1, count);
}

int previousRow(int selected, int count) {
    return count > 0 && selected >= 2 && selected <= count ? selected - 1 : 0;
}

int nextRow(int selected, int count) {
    return selected >= 1 && selected < count ? selected + 1 : 0;
}

bool isEntryRow(const QString& key) {
    return key.startsWith(QLatin1String("RSS"), Qt::CaseInsensitive);
}

int historyPosition(const QStringList& titles, const QString& title) {
    return int(titles.indexOf(title));
}

QString summaryText(const QString& description) {
    return QStringLiteral("\r\n") + description;
}

HoverTip hoverTip(const QString& description) {
    HoverTip tip{QStringLiteral("摘要提示:"), QString()};
    QString head = modTypes::trimSpaces(description).left(kTipHeadLength);
    // Never end on half of a character outside the basic plane.
    if (!head.isEmpty() && head.back().isHighSurrogate())
        head.chop(1);
    // A description of blanks only has nothing to show either.
    if (head.isEmpty() || head.startsWith(QLatin1Char('<')))
        tip.text = QStringLiteral("此信息无摘要提示!");
    else
        tip.text = head + QStringLiteral("\r\n...");
    return tip;
}

QUrl feedAddressUrl(const QString& address) {
    const QUrl url = QUrl::fromUserInput(address);
    if (!url.isValid())
        return {};
    const QString scheme = url.scheme(); // QUrl keeps schemes in lower case
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("ftp") || scheme == QLatin1String("file"))
        return url;
    return {};
}

bool opensFromFeed(const QString& address) {
    return !feedAddressUrl(address).isEmpty();
}

QUrl typedAddressUrl(const QString& text) {
    return QUrl::fromUserInput(text);
}

ToggleEffect paneToggle(PaneToggle which, bool pressed) {
    ToggleEffect effect;
    switch (which) {
    case PaneToggle::Tree:
        effect.spliterLeft = pressed ? 0 : kTreeWidth;
        break;
    case PaneToggle::List:
        effect.spliterTop = pressed ? 0 : kListHeight;
        effect.raiseToolbar = pressed;
        break;
    case PaneToggle::FullScreen:
        effect.spliterLeft = pressed ? 0 : kTreeWidth;
        effect.spliterTop = pressed ? 0 : kListHeight;
        effect.treeButton = pressed;
        effect.listButton = pressed;
        effect.raiseToolbar = pressed;
        break;
    }
    return effect;
}

} // namespace newsRules
