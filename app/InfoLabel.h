// A status label that shows one kind of information about the system or the
// program, with a caption in front: the user's name, the current directory,
// the date and time kept current by a one-second timer, and so on.
#pragma once

#include "platform/Clock.h"
#include "platform/LocaleNames.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>

namespace zl {

enum class InfoKind {
    User,
    WindowsDir,
    CurrentDir,
    CurrentDiskFree,
    CurrentDiskSize,
    SystemDir,
    RegisteredOwner,
    RegisteredCompany,
    Version,
    ColorDepth,
    ScreenSaverDelay,
    MemSize,
    FreeSysRes,
    FreeGdiRes,
    FreeUserRes,
    ComputerName,
    MajorVerNumber,
    BuildNumber,
    MemLoaded,
    MemFree,
    MemPageFree,
    MemPageTotal,
    MemVirtFree,
    MemVirtTotal,
    PlatformId,
    Platform,
    ProcessorCount,
    Processor,
    TempPath,
    DosVersion,
    NumLock,
    CapsLock,
    Scroll,
    CurrentDateTime,
    ProgramCompany,
    ProgramName,
    ProgramVersion,
    ProgramCopyright,
    ProgramTrademark,
    ProgramDescription,
    ProgramComments,
    CpuSpeed
};

// The kind a click on the window's information label moves on to.
InfoKind NextInfoKind(InfoKind kind);
// The standard caption of a kind ("Username"); empty for kinds this program
// does not show.
std::string StandardCaption(InfoKind kind);

// Where the values come from: the program answers from the system, tests
// from their own.
struct InfoSource {
    std::function<std::string()> userName, windowsDirectory, currentDirectory, computerName,
        platform, comments;
    const Clock* clock = nullptr;
    LocaleNames names;

    // The system's answers; `comments` gives the program's own comments.
    static InfoSource System(std::function<std::string()> comments);
};

// How a label writes its text: its caption (the kind's standard one, else
// its own), a colon and tabs after it, and the format of the date and time.
struct InfoTextStyle {
    static constexpr int kNoColon = -1;

    bool useStandardCaption = true;
    std::string caption;
    int insertTabs = 1; // below 0 counts as 0
    // Where a colon goes: 0 right after the caption, k after the k-th tab,
    // kNoColon nowhere.
    int insertColon = kNoColon;
    std::string dateTimeFormat;
};

class InfoLabel : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRefreshMs = 1000;

    InfoLabel(InfoSource source, QWidget* parent = nullptr);

    InfoKind Info() const { return info_; }
    void SetInfo(InfoKind kind);
    const InfoTextStyle& Style() const { return style_; }
    void SetStyle(const InfoTextStyle& style);

    // The text as it is drawn now: caption, colon and tabs, then the value.
    std::string Text() const;
    // The value of the kind, computed afresh.
    std::string Value() const;

    // The timer's tick of the date-and-time kind: redraws only when the text
    // has changed. Returns whether it did.
    bool Tick();
    bool TimerRunning() const { return timer_.isActive(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Changed();

    InfoSource source_;
    InfoKind info_ = InfoKind::User;
    InfoTextStyle style_;
    std::string lastTickText_;
    QTimer timer_;
};

} // namespace zl
