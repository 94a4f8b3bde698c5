// An environment variable set for the life of the object, then put back as
// it was; the time zone is read again both times.
#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

namespace zl::test {

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        old_ = old ? old : "";
        Set(name, value.c_str());
    }
    ~ScopedEnv() { Set(name_, had_ ? old_.c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    // `value` null removes the variable.
    static void Set(const char* name, const char* value) {
#ifdef _WIN32
        // Windows has no setenv; an empty value removes the variable.
        _putenv_s(name, value ? value : "");
        _tzset();
#else
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
        tzset();
#endif
    }

    const char* name_;
    bool had_ = false;
    std::string old_;
};

} // namespace zl::test
