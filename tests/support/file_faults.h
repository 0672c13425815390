#pragma once
// What the fault tests of the file-writing layers share: the way every
// writer of the system starts a work file, and turning the fault seams off
// again after a test.

#include <string>

#include "framework/fs/fault_seams.h"
#include "framework/fs/work_file.h"

namespace test_support {

// remove, create, open: how every writer of the system starts a file.
inline int startWriting(fw::fs::WorkFile& file, const std::string& name)
{
    file.name = name;
    if (const int rc = file.remove(); rc != 0)
        return rc;
    if (const int rc = file.create(); rc != 0)
        return rc;
    return file.open(fw::fs::OpenMode::ReadWriteDenyWrite);
}

// Every seam off: for the tear-down of a test that armed one.
inline void disarmFileFaults()
{
    fw::fs::failNthWriteForTesting(0);
    fw::fs::failNthCloseForTesting(0);
    fw::fs::failNthRenameForTesting(0);
}

} // namespace test_support
