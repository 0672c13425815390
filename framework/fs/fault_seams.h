#pragma once
// Fault injection for the framework's file writes.
//
// Every place that can lose data on its way to disk asks here first: a write
// of a work file, the byte transfer of a copy, the write of a mail draft, the
// close of a file that was written and the rename that puts a finished file
// in place. A test arms one kind with n > 0 and the n-th such call from then
// on fails as the disk would (a write with "no space left", a close or a
// rename with an I/O error); 0 turns it off again. Each kind counts on its
// own, so a test can walk every write, close or rename of a run in turn.

namespace fw::fs {

void failNthWriteForTesting(int n);
void failNthCloseForTesting(int n);
void failNthRenameForTesting(int n);

namespace detail {

// True for the call that a test wants to fail; each call counts one.
bool writeFails();
bool closeFails();
bool renameFails();

} // namespace detail

} // namespace fw::fs
