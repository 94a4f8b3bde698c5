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

class InfoLabel : public QWidget {
    Q_OBJECT

public:
    static constexpr int kNoColon = -1;
    static constexpr int kRefreshMs = 1000;

    InfoLabel(InfoSource source, QWidget* parent = nullptr);

    InfoKind Info() const { return info_; }
    void SetInfo(InfoKind kind);
    bool UseStandardCaption() const { return useStandardCaption_; }
    void SetUseStandardCaption(bool value);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    int InsertTabs() const { return insertTabs_; }
    void SetInsertTabs(int tabs);
    // Where a colon goes: 0 right after the caption, k after the k-th tab,
    // kNoColon nowhere.
    int InsertColon() const { return insertColon_; }
    void SetInsertColon(int position);
    const std::string& DateTimeFormat() const { return dateTimeFormat_; }
    void SetDateTimeFormat(const std::string& format);

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

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Changed();

    InfoSource source_;
    InfoKind info_ = InfoKind::User;
    bool useStandardCaption_ = true;
    std::string caption_;
    int insertTabs_ = 1;
    int insertColon_ = kNoColon;
    std::string dateTimeFormat_;
    std::string lastTickText_;
    QTimer timer_;
};

} // namespace zl
