// Sets (or, given null, removes) an environment variable for the life of the object and puts
// the old value back.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace test {

class EnvVar {
public:
    EnvVar(const char* name, const std::string& value) : EnvVar(name, value.c_str()) {}
    EnvVar(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~EnvVar() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    EnvVar(const EnvVar&) = delete;
    EnvVar& operator=(const EnvVar&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace test
