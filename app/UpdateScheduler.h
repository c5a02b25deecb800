#pragma once

// The rules of automatic updates, without widgets: the interval counter, the
// walk over all channels or over the custom list (one channel per tick), the
// single update of the selected channel, the stop and resume of the header
// button, and the stored setting text. The main window turns its three
// timers on and off as `counterOn`, `mergeOn` and `singleOn` say and calls
// the ticks; tests call them directly.

#include <QString>

#include <memory>

class clsItem;

class UpdateScheduler {
public:
    // The three mode options of the settings dialog.
    enum class Mode { AllChannels, CustomList, Stopped };

    static constexpr qint32 kPositions = 16;   // "5 分钟" to "20 分钟"
    static constexpr qint32 kFirstMinutes = 5; // minutes of position 0

    // What the scheduler asks of the window. `merge` and `setStatus` may let
    // window events run, so any other call may come in while they wait.
    class Host {
    public:
        virtual ~Host() = default;
        // Rows of a walk, 1-based: the tree view's nodes in order, or the
        // custom list's rows. A position out of range yields an empty key.
        virtual qint32 walkCount(bool customList) = 0;
        virtual QString walkKey(bool customList, qint32 position) = 0;
        // The entry a key names, or null (nodes without an entry, deleted ones).
        virtual std::shared_ptr<clsItem> findEntry(const QString& key) = 0;
        virtual QString selectedKey() = 0;
        virtual void setStatus(const QString& text) = 0;
        virtual bool merge(clsItem& entry) = 0;
        virtual void announce(const QString& title) = 0;
        virtual void showEntry(const QString& key) = 0;
        // Timers, mode or stop state changed: the window mirrors them.
        virtual void stateChanged() = 0;
    };

    // One channel's stored setting, read back: the interval position and the mode.
    struct Setting {
        bool valid = false; // a mode word was found
        qint32 position = 0;
        Mode mode = Mode::AllChannels;
    };
    static Setting parseSetting(const QString& newstime);
    static QString settingText(qint32 position, Mode mode);
    static qint32 minutesAt(qint32 position) { return position + kFirstMinutes; }

    void setHost(Host* host) { m_host = host; }

    // Settings. With nothing stored the first interval (5 minutes) applies.
    qint32 timenew = kFirstMinutes;
    bool upnew = true;
    Mode mode = Mode::AllChannels;
    qint32 position = 0; // of the interval in the dialog's list

    // Timers as they should run, and the interval counter in seconds.
    bool counterOn = false;
    bool mergeOn = false;
    bool singleOn = false;
    qint32 counter = 0;

    // The walk: whether one is under way and the position of the row it
    // updated last (0 before its first channel).
    bool blnWalking = false;
    // The start-up arming tick has run: from then on the merge timer runs
    // only while a walk is under way.
    bool blnArmed = false;
    qint32 lngWalkNode = 0;
    qint32 lngWalkRow = 0;
    // A walk step is inside its fetch; a single update is merging; the
    // single-update tick is running.
    bool blnWalkStepBusy = false;
    bool blnUpdatingSelected = false;
    bool blnSelectedTickBusy = false;

    // Applies one channel's stored setting at start-up; settings of later
    // channels override earlier ones.
    void restore(const QString& newstime);
    // The dialog's OK: the chosen mode and interval take effect.
    void apply(Mode chosen, qint32 chosenPosition);
    // The header button "停止更新全部频道" pressed or released.
    void stopPressed();
    void stopReleased();

    // The main window's helper: the merge timer on or off, only while
    // automatic updates are allowed.
    void enableMergeTimer(bool on);

    // Ticks of the window's timers.
    void counterTick();
    void mergeTick();
    void singleTick();
    // The commands "更新选定频道" and "更新频道信息".
    void requestSingleUpdate();

private:
    void mergeStep();
    void endWalk();
    void changed();

    Host* m_host = nullptr;
};
