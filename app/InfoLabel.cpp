#include "app/InfoLabel.h"

#include "engine/DateTimeFormat.h"
#include "platform/SystemInfo.h"

#include <QPainter>

#include <algorithm>

namespace zl {

namespace {
constexpr int kTextFlags = Qt::AlignCenter | Qt::TextExpandTabs | Qt::TextSingleLine;
}

InfoKind NextInfoKind(InfoKind kind) {
    using T = InfoKind;
    const int k = static_cast<int>(kind);
    if (kind == T::User)
        return T::WindowsDir;
    if (kind == T::WindowsDir)
        return T::CurrentDir;
    if (k >= static_cast<int>(T::CurrentDir) && k <= static_cast<int>(T::FreeUserRes))
        return T::ComputerName;
    if (k >= static_cast<int>(T::ComputerName) && k <= static_cast<int>(T::PlatformId))
        return T::Platform;
    if (k >= static_cast<int>(T::Platform) && k <= static_cast<int>(T::ProgramDescription))
        return T::ProgramComments;
    if (kind == T::ProgramComments)
        return T::User;
    return kind; // itCPUSpeed stays
}

std::string StandardCaption(InfoKind kind) {
    switch (kind) {
    case InfoKind::User:
        return "Username";
#ifdef _WIN32
    case InfoKind::WindowsDir:
        return "Windows directory";
#else
    case InfoKind::WindowsDir:
        return "System directory";
#endif
    case InfoKind::CurrentDir:
        return "Current directory";
    case InfoKind::ComputerName:
        return "Computername";
    case InfoKind::Platform:
        return "Platform";
    case InfoKind::ProgramComments:
        return "Comments";
    case InfoKind::CurrentDateTime:
        return "Date and time";
    default:
        return "";
    }
}

InfoSource InfoSource::System(std::function<std::string()> comments) {
    InfoSource source;
    source.userName = LoginName;
    source.windowsDirectory = SystemDirectory;
    source.currentDirectory = CurrentDirectory;
    source.computerName = ComputerName;
    source.platform = PlatformName;
    source.comments = std::move(comments);
    static const SystemClock clock;
    source.clock = &clock;
    source.names = SystemLocaleNames();
    return source;
}

InfoLabel::InfoLabel(InfoSource source, QWidget* parent)
    : QWidget(parent), source_(std::move(source)) {
    timer_.setInterval(kRefreshMs);
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
}

void InfoLabel::Changed() {
    if (info_ == InfoKind::CurrentDateTime) {
        lastTickText_ = Text();
        timer_.start();
    } else {
        timer_.stop();
    }
    updateGeometry();
    update();
}

void InfoLabel::SetInfo(InfoKind kind) {
    info_ = kind;
    Changed();
}

void InfoLabel::SetStyle(const InfoTextStyle& style) {
    style_ = style;
    style_.insertTabs = std::max(style_.insertTabs, 0);
    Changed();
}

std::string InfoLabel::Value() const {
    auto ask = [](const std::function<std::string()>& f) { return f ? f() : std::string(); };
    switch (info_) {
    case InfoKind::User: {
        const std::string name = ask(source_.userName);
        return name.empty() ? "(Unknown)" : name;
    }
    case InfoKind::WindowsDir:
        return ask(source_.windowsDirectory);
    case InfoKind::CurrentDir:
        return ask(source_.currentDirectory);
    case InfoKind::ComputerName:
        return ask(source_.computerName);
    case InfoKind::Platform:
        return ask(source_.platform);
    case InfoKind::ProgramComments:
        return ask(source_.comments);
    case InfoKind::CurrentDateTime:
        return source_.clock
                   ? FormatDateTime(style_.dateTimeFormat, source_.clock->Now(), source_.names)
                   : std::string();
    default:
        return "";
    }
}

std::string InfoLabel::Text() const {
    std::string text = style_.useStandardCaption ? StandardCaption(info_) : style_.caption;
    if (style_.insertColon == 0)
        text += ':';
    for (int tab = 1; tab <= style_.insertTabs; ++tab) {
        text += '\t';
        if (style_.insertColon == tab)
            text += ':';
    }
    if (style_.insertTabs == 0 && !style_.caption.empty())
        text += ' ';
    return text + Value();
}

bool InfoLabel::Tick() {
    const std::string text = Text();
    if (text == lastTickText_)
        return false;
    lastTickText_ = text;
    updateGeometry();
    update();
    return true;
}

QSize InfoLabel::sizeHint() const {
    const QSize text = fontMetrics().size(kTextFlags, QString::fromStdString(Text()));
    return {text.width() + 8, text.height()};
}

void InfoLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Drawn as plain text: an ampersand is just an ampersand.
    painter.drawText(rect(), kTextFlags, QString::fromStdString(Text()));
}

} // namespace zl
