#pragma once
// A fresh folder under $TMPDIR for one test, entered as the current
// directory. It is removed when the test passed and kept for a look when it
// failed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/reportmail-fs-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_folder);
    }

    void TearDown() override
    {
        std::filesystem::current_path(m_previous);
        if (HasFailure()) {
            std::cerr << "keeping " << m_folder << " for a look\n";
            return;
        }
        std::error_code ignored;
        std::filesystem::permissions(m_folder, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(m_folder, ignored);
    }

    // The folder in the system's own notation, ending with a backslash.
    std::string systemFolder() const
    {
        std::string s = m_folder.string() + "/";
        for (char& c : s)
            if (c == '/')
                c = '\\';
        return s;
    }

    std::filesystem::path at(const std::string& relative) const { return m_folder / relative; }

    static std::string contents(const std::filesystem::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    static void write(const std::filesystem::path& p, const std::string& bytes)
    {
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    std::filesystem::path m_folder;
    std::filesystem::path m_previous;
};
