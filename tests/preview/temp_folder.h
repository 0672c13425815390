#pragma once
// A fresh folder under $TMPDIR for one test. It is removed when the test
// passed and kept (its path printed) when the test failed, for a look.

#include <cstdlib>
#include <iostream>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace fw::preview::test {

class TempFolder {
public:
    TempFolder()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/preview-test-XXXXXX";
        if (!mkdtemp(pattern.data()))
            ADD_FAILURE() << "cannot create a temporary folder from " << pattern;
        m_path = pattern;
    }
    ~TempFolder()
    {
        if (::testing::Test::HasFailure()) {
            std::cerr << "temporary folder kept: " << m_path << "\n";
            return;
        }
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace fw::preview::test
