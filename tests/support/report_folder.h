#pragma once
// A test's own folder that is also $TMPDIR for the test's duration, so that
// the report folders a test makes land inside it.

#include <optional>
#include <string>

#include "tests/support/temp_folder.h"

namespace test_support {

class ReportFolderTest : public TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        m_tmpdir.emplace("TMPDIR", m_folder.string());
    }

    void TearDown() override
    {
        m_tmpdir.reset();
        TempFolderTest::TearDown();
    }

    std::string root() const { return m_folder.string(); }

private:
    std::optional<ScopedEnv> m_tmpdir;
};

} // namespace test_support
