#pragma once
// A test's own temporary folder, made under $TMPDIR and set as $TMPDIR for
// the test's duration, so that the report folders a test makes land inside
// it. Removed when the test passes, kept for a look when it fails.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>

class TempFolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        const char* env = std::getenv("TMPDIR");
        if (env)
            m_savedTmpdir = env;
        std::string pattern = std::string(env && *env ? env : "/tmp") + "/report-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        setenv("TMPDIR", m_root.c_str(), 1);
    }

    void TearDown() override
    {
        if (m_savedTmpdir)
            setenv("TMPDIR", m_savedTmpdir->c_str(), 1);
        else
            unsetenv("TMPDIR");
        if (HasFailure())
            std::cerr << "kept for a look: " << m_root << "\n";
        else
            std::filesystem::remove_all(m_root);
    }

    const std::string& root() const { return m_root; }

private:
    std::string m_root;
    std::optional<std::string> m_savedTmpdir;
};
