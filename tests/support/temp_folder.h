#pragma once
// Scratch space for tests: a fresh folder under $TMPDIR that is removed when
// the test passed and kept (its path on standard error) when it failed, an
// environment variable changed for one scope, and small file helpers.
// TempFolderTest is the fixture most tests use: it also enters the folder as
// the current directory, so relative names a test or the system writes land
// inside it.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace test_support {

// The base for a new folder: $TMPDIR when set and not empty, else /tmp.
inline std::string temporaryBase()
{
    const char* base = std::getenv("TMPDIR");
    return base && *base ? base : "/tmp";
}

// A fresh folder named `prefix` and six random characters; empty (and the
// test failed) when none can be made.
inline std::filesystem::path makeTempFolder(std::string_view prefix)
{
    std::string pattern = temporaryBase() + "/" + std::string(prefix) + "-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        ADD_FAILURE() << "cannot create a temporary folder from " << pattern;
        return {};
    }
    return pattern;
}

// Removes `folder` after a passing test; after a failing one it is kept and
// named for a look.
inline void removeUnlessFailed(const std::filesystem::path& folder)
{
    if (folder.empty())
        return;
    if (::testing::Test::HasFailure()) {
        std::cerr << "kept for a look: " << folder.string() << "\n";
        return;
    }
    std::error_code ignored;
    // A test may have taken rights away to provoke a failure.
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(folder, ignored);
}

inline std::string readFile(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::filesystem::path& p, const std::string& bytes)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The files in a folder, sorted; empty when it is missing.
inline std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec))
        files.push_back(e.path());
    std::ranges::sort(files);
    return files;
}

// The names of the files in a folder, sorted; empty when it is missing.
inline std::vector<std::string> fileNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& p : filesIn(folder))
        names.push_back(p.filename().string());
    std::ranges::sort(names);
    return names;
}

// `text` with every "@" replaced by `folder`: expected messages that name a
// test's own folder.
inline std::string withFolder(std::string text, const std::string& folder)
{
    for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at + folder.size()))
        text.replace(at, 1, folder);
    return text;
}

// `path` with every "/" turned into "\", as the system writes paths.
inline std::string backslashed(std::string path)
{
    std::ranges::replace(path, '/', '\\');
    return path;
}

// A fresh folder for the object's life.
class TempFolder {
public:
    explicit TempFolder(std::string_view prefix = "reportmail-test") : m_path(makeTempFolder(prefix)) {}
    ~TempFolder() { removeUnlessFailed(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The path of `name` inside the folder, as text.
    std::string file(const std::string& name) const { return m_path.string() + "/" + name; }

private:
    std::filesystem::path m_path;
};

// Sets (or, given no value, removes) an environment variable and puts the
// old state back when it goes.
class ScopedEnv {
public:
    ScopedEnv(std::string name, std::optional<std::string> value) : m_name(std::move(name))
    {
        if (const char* old = std::getenv(m_name.c_str()))
            m_old = old;
        if (value)
            ::setenv(m_name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(m_name.c_str());
    }
    ~ScopedEnv()
    {
        if (m_old)
            ::setenv(m_name.c_str(), m_old->c_str(), 1);
        else
            ::unsetenv(m_name.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

// A fresh folder for one test, entered as the current directory.
class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = makeTempFolder("reportmail-test");
        ASSERT_FALSE(m_folder.empty());
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_folder);
    }

    void TearDown() override
    {
        if (!m_previous.empty())
            std::filesystem::current_path(m_previous);
        removeUnlessFailed(m_folder);
    }

    // The folder in the system's own notation, ending with a backslash.
    std::string systemFolder() const { return backslashed(m_folder.string() + "/"); }

    std::filesystem::path at(const std::string& relative) const { return m_folder / relative; }

    static std::string contents(const std::filesystem::path& p) { return readFile(p); }
    static void write(const std::filesystem::path& p, const std::string& bytes) { writeFile(p, bytes); }

    std::filesystem::path m_folder;
    std::filesystem::path m_previous;
};

} // namespace test_support
