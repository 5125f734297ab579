// A fresh folder under $TMPDIR (or /tmp), removed with everything in it.
#pragma once

#include <filesystem>
#include <string>

namespace test_support {

class TempFolder {
public:
    // Throws std::runtime_error when the folder cannot be made.
    explicit TempFolder(const std::string& prefix = "zelt-test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace test_support
