#pragma once
// The stock file opener of a program that works without file managers.
//
// On return the file is open, or the program has been ended: a missing file
// is created empty (when allowed) and opened; a file locked by another user
// is waited for ("Recover=10") and opened again; a file whose keys are
// damaged leads to the question whether to rebuild them; any other failure
// shows a warning and ends the program with the halt text "Disk Error".
// Only when the halt has been replaced for a test does the call return, with
// the error.

#include <string_view>

#include "framework/app/file_options.h"
#include "framework/core/error.h"
#include "framework/data/data_file.h"

namespace fw::app {

inline constexpr int kStockLockRecover = 10;

[[nodiscard]] fw::core::Expected<void> openDataFile(fw::data::DataFile& file, std::string_view displayName,
                                                    CreateWhenMissing create = CreateWhenMissing::Yes,
                                                    fw::data::Access access = fw::data::Access::ReadWrite);

} // namespace fw::app
