// What Qt logs as a warning (or worse) while the object lives: a test's way
// to show that something ran without warnings.
#pragma once

#include <QtGlobal>

#include <string>
#include <vector>

namespace zl::test {

class QtWarnings {
public:
    QtWarnings() {
        Logged().clear();
        previous_ = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type != QtDebugMsg && type != QtInfoMsg)
                    Logged().push_back(text.toStdString());
            });
    }
    ~QtWarnings() { qInstallMessageHandler(previous_); }
    QtWarnings(const QtWarnings&) = delete;
    QtWarnings& operator=(const QtWarnings&) = delete;

    // Whether there was none so far; the first, "" while there is none.
    bool None() const { return Logged().empty(); }
    std::string First() const { return None() ? std::string() : Logged().front(); }

private:
    static std::vector<std::string>& Logged() {
        static std::vector<std::string> logged;
        return logged;
    }

    QtMessageHandler previous_;
};

} // namespace zl::test
