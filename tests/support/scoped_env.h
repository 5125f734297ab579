// Sets (or, with nullopt, unsets) an environment variable for the life of the scope.
#pragma once

#include <optional>
#include <string>

namespace test_support {

class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_previous;
};

} // namespace test_support
