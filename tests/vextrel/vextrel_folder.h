#pragma once
// A fresh folder under $TMPDIR for one test, entered as the current
// directory, and the files a vextrel run works on: the GOODS data file and
// the page files of a job. The folder is removed when the test passed and
// kept for a look when it failed.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

class VextrelFolderTest : public test_support::TempFolderTest {
protected:
    // A GOODS file of `records` records (customer n, goods "Item n"), closed.
    static void writeGoods(int records);
    // Pages 1 to `pages` of `job`, printed by the report engine, in folder.
    static std::vector<std::filesystem::path> writePages(std::uint8_t job, int pages, const std::string& folder);

    // The names of the files in a folder, sorted; empty when it is missing.
    static std::vector<std::string> fileNames(const std::filesystem::path& folder);
    // Upper-case hexadecimal digits of a run of bytes, as the RTF embeds them.
    static std::string hex(std::string_view bytes);
};
