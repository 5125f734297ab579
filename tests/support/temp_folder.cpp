// Temporary folders made with mkdtemp.
#include "temp_folder.h"

#include <cstdlib>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

namespace test_support {

TempFolder::TempFolder(const std::string& prefix) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/" + prefix + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed for " + pattern);
    m_path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace test_support
