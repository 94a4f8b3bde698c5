#include "app/TLMDInfoLabel.h"

#include "engine/DateTimeFormat.h"
#include "platform/SystemInfo.h"

#include <QMouseEvent>
#include <QPainter>

namespace zl {

namespace {
constexpr int kTextFlags = Qt::AlignCenter | Qt::TextExpandTabs | Qt::TextSingleLine;
}

TLMDInfoType NextInfoKind(TLMDInfoType kind) {
    using T = TLMDInfoType;
    const int k = static_cast<int>(kind);
    if (kind == T::itUser)
        return T::itWinDir;
    if (kind == T::itWinDir)
        return T::itCurrentDir32;
    if (k >= static_cast<int>(T::itCurrentDir32) && k <= static_cast<int>(T::itFreeUserRes))
        return T::itComputerName32;
    if (k >= static_cast<int>(T::itComputerName32) && k <= static_cast<int>(T::itPlatformID32))
        return T::itPlatform32;
    if (k >= static_cast<int>(T::itPlatform32) && k <= static_cast<int>(T::itProgDescription))
        return T::itProgComments;
    if (kind == T::itProgComments)
        return T::itUser;
    return kind; // itCPUSpeed stays
}

std::string StandardCaption(TLMDInfoType kind) {
    switch (kind) {
    case TLMDInfoType::itUser:
        return "Username";
#ifdef _WIN32
    case TLMDInfoType::itWinDir:
        return "Windows directory";
#else
    case TLMDInfoType::itWinDir:
        return "System directory";
#endif
    case TLMDInfoType::itCurrentDir32:
        return "Current directory";
    case TLMDInfoType::itComputerName32:
        return "Computername";
    case TLMDInfoType::itPlatform32:
        return "Platform";
    case TLMDInfoType::itProgComments:
        return "Comments";
    case TLMDInfoType::itCurrentDateTime:
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

TLMDInfoLabel::TLMDInfoLabel(InfoSource source, QWidget* parent)
    : QWidget(parent), source_(std::move(source)) {
    timer_.setInterval(kRefreshMs);
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
}

void TLMDInfoLabel::Changed() {
    if (info_ == TLMDInfoType::itCurrentDateTime) {
        lastTickText_ = Text();
        timer_.start();
    } else {
        timer_.stop();
    }
    updateGeometry();
    update();
}

void TLMDInfoLabel::SetInfo(TLMDInfoType kind) {
    info_ = kind;
    Changed();
}
void TLMDInfoLabel::SetUseStandardCaption(bool value) {
    useStandardCaption_ = value;
    Changed();
}
void TLMDInfoLabel::SetCaption(const std::string& caption) {
    caption_ = caption;
    Changed();
}
void TLMDInfoLabel::SetInsertTabs(int tabs) {
    insertTabs_ = tabs < 0 ? 0 : tabs;
    Changed();
}
void TLMDInfoLabel::SetInsertColon(int position) {
    insertColon_ = position;
    Changed();
}
void TLMDInfoLabel::SetDateTimeFormat(const std::string& format) {
    dateTimeFormat_ = format;
    Changed();
}

std::string TLMDInfoLabel::Value() const {
    auto ask = [](const std::function<std::string()>& f) { return f ? f() : std::string(); };
    switch (info_) {
    case TLMDInfoType::itUser: {
        const std::string name = ask(source_.userName);
        return name.empty() ? "(Unknown)" : name;
    }
    case TLMDInfoType::itWinDir:
        return ask(source_.windowsDirectory);
    case TLMDInfoType::itCurrentDir32:
        return ask(source_.currentDirectory);
    case TLMDInfoType::itComputerName32:
        return ask(source_.computerName);
    case TLMDInfoType::itPlatform32:
        return ask(source_.platform);
    case TLMDInfoType::itProgComments:
        return ask(source_.comments);
    case TLMDInfoType::itCurrentDateTime:
        return source_.clock ? FormatDateTime(dateTimeFormat_, source_.clock->Now(), source_.names)
                             : std::string();
    default:
        return "";
    }
}

std::string TLMDInfoLabel::Text() const {
    std::string text = useStandardCaption_ ? StandardCaption(info_) : caption_;
    if (insertColon_ == 0)
        text += ':';
    for (int tab = 1; tab <= insertTabs_; ++tab) {
        text += '\t';
        if (insertColon_ == tab)
            text += ':';
    }
    if (insertTabs_ == 0 && !caption_.empty())
        text += ' ';
    return text + Value();
}

bool TLMDInfoLabel::Tick() {
    const std::string text = Text();
    if (text == lastTickText_)
        return false;
    lastTickText_ = text;
    updateGeometry();
    update();
    return true;
}

QSize TLMDInfoLabel::sizeHint() const {
    const QSize text = fontMetrics().size(kTextFlags, QString::fromStdString(Text()));
    return {text.width() + 8, text.height()};
}

void TLMDInfoLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Drawn as plain text: an ampersand is just an ampersand.
    painter.drawText(rect(), kTextFlags, QString::fromStdString(Text()));
}

void TLMDInfoLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit Clicked();
    QWidget::mousePressEvent(event);
}

} // namespace zl
