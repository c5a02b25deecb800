#include "app/UpdateScheduler.h"

#include "core/tree/clsItem.h"

namespace {

const QString kUpdating = QStringLiteral("正在更新此频道:");

// The number at the start of a text, as a basic "Val" reads it: blanks
// skipped, an optional sign, digits; 0 when there are none.
qint32 leadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    qint64 value = 0;
    for (; i < text.size() && text[i].isDigit() && value < 1000000; ++i)
        value = value * 10 + text[i].digitValue();
    return qint32(negative ? -value : value);
}

bool inRange(qint32 position) {
    return position >= 0 && position < UpdateScheduler::kPositions;
}

} // namespace

UpdateScheduler::Setting UpdateScheduler::parseSetting(const QString& newstime) {
    Setting setting;
    const QString word = newstime.right(4);
    if (word == QLatin1String("time"))
        setting.mode = Mode::CustomList;
    else if (word == QLatin1String("allc"))
        setting.mode = Mode::AllChannels;
    else if (word == QLatin1String("canc"))
        setting.mode = Mode::Stopped;
    else
        return setting;
    setting.valid = true;
    setting.position = leadingNumber(newstime.left(2));
    // A stop keeps its position as stored; the dialog ignores one out of range.
    if (setting.mode != Mode::Stopped && !inRange(setting.position))
        setting.position = 0;
    return setting;
}

QString UpdateScheduler::settingText(qint32 position, Mode mode) {
    const char* word = mode == Mode::CustomList ? "time" : mode == Mode::Stopped ? "canc" : "allc";
    return QString::number(position) + QLatin1Char(' ') + QLatin1String(word);
}

void UpdateScheduler::changed() {
    if (m_host)
        m_host->stateChanged();
}

void UpdateScheduler::restore(const QString& newstime) {
    const Setting setting = parseSetting(newstime);
    if (!setting.valid)
        return;
    mode = setting.mode;
    mergeOn = false;
    if (setting.mode == Mode::Stopped) {
        counterOn = false;
        upnew = false;
        if (inRange(setting.position)) {
            position = setting.position;
            timenew = minutesAt(position);
        }
    } else {
        position = setting.position;
        timenew = minutesAt(position);
        if (setting.mode == Mode::AllChannels)
            upnew = true;
        counterOn = true;
    }
    changed();
}

void UpdateScheduler::apply(Mode chosen, qint32 chosenPosition) {
    mode = chosen;
    if (inRange(chosenPosition)) {
        position = chosenPosition;
        timenew = minutesAt(position);
    }
    counter = 0;
    if (chosen == Mode::Stopped) {
        upnew = false;
        counterOn = false;
        mergeOn = false;
        blnWalking = false;
        lngWalkNode = lngWalkRow = 0;
    } else {
        upnew = true;
        counterOn = true;
    }
    changed();
}

void UpdateScheduler::stopPressed() {
    apply(Mode::Stopped, position);
}

void UpdateScheduler::stopReleased() {
    upnew = true;
    mode = Mode::AllChannels;
    enableMergeTimer(false);
    counter = 0;
    counterOn = true;
    changed();
}

void UpdateScheduler::enableMergeTimer(bool on) {
    if (!upnew)
        return;
    // A page load or a dialog resumes a paused walk; with none under way
    // there is nothing to resume (and a running merge timer would grey the
    // update commands for nothing).
    mergeOn = on && (blnWalking || !blnArmed);
    changed();
}

void UpdateScheduler::counterTick() {
    if (counter > timenew * 60) {
        counter = 0;
        upnew = true;
        if (!blnWalking) {
            blnWalking = true;
            lngWalkNode = lngWalkRow = 0;
        }
        enableMergeTimer(true);
    } else {
        ++counter;
    }
    changed();
}

void UpdateScheduler::mergeTick() {
    singleOn = false; // a pending single update gives way to the walk
    mergeStep();
    changed();
}

void UpdateScheduler::endWalk() {
    blnWalking = false;
    blnArmed = true;
    lngWalkNode = lngWalkRow = 0;
    mergeOn = false;
    counterOn = upnew;
    changed();
}

void UpdateScheduler::mergeStep() {
    // Never two fetches at once: a step waits while another step or the
    // single update is still inside its fetch.
    if (blnUpdatingSelected || blnWalkStepBusy || !m_host)
        return;
    if (!blnWalking) {
        endWalk(); // the arming tick, or a resume with no walk under way
        return;
    }
    enableMergeTimer(false);
    const bool custom = mode == Mode::CustomList;
    qint32& cursor = custom ? lngWalkRow : lngWalkNode;
    std::shared_ptr<clsItem> channel;
    const qint32 count = m_host->walkCount(custom);
    // The cursor names the row updated last, so every row is visited once,
    // the first and a list of one included.
    for (qint32 i = qMax(cursor, 0) + 1; i <= count; ++i) {
        std::shared_ptr<clsItem> entry = m_host->findEntry(m_host->walkKey(custom, i));
        if (entry && entry->intType == clsItem::RssChannel) {
            cursor = i;
            channel = std::move(entry);
            break;
        }
    }
    if (!channel) {
        endWalk();
        return;
    }
    blnWalkStepBusy = true;
    changed();
    m_host->setStatus(kUpdating + channel->strTitle);
    const bool news = m_host->merge(*channel);
    if (news && !channel->isRemoved())
        m_host->announce(channel->strTitle);
    blnWalkStepBusy = false;
    m_host->setStatus(QString());
    if (blnWalking)
        enableMergeTimer(true);
}

void UpdateScheduler::requestSingleUpdate() {
    if ((blnWalking && mergeOn) || singleOn)
        return;
    singleOn = true;
    changed();
}

void UpdateScheduler::singleTick() {
    // A walk step still fetching keeps the single update waiting: the
    // timer stays on and the next tick tries again.
    if (blnSelectedTickBusy || blnWalkStepBusy || !m_host)
        return;
    blnSelectedTickBusy = true;
    blnUpdatingSelected = true;
    const QString key = m_host->selectedKey();
    std::shared_ptr<clsItem> entry = m_host->findEntry(key);
    if (entry && entry->intType == clsItem::RssChannel) {
        m_host->setStatus(kUpdating + entry->strTitle);
        m_host->merge(*entry);
        m_host->setStatus(QString());
    } else {
        entry.reset(); // only channels are fetched
    }
    blnUpdatingSelected = false;
    // An entry deleted while it was fetched is neither shown nor announced.
    if (entry && !entry->isRemoved()) {
        m_host->showEntry(key);
        m_host->announce(entry->strTitle);
    }
    blnSelectedTickBusy = false;
    singleOn = false;
    changed();
}
