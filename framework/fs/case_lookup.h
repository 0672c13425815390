#pragma once
// Finding a name in a folder without regard to case, as resolve() does for
// every component that does not exist as written.
//
// Without help each such look-up lists the whole folder. A run of look-ups
// in one folder (the RTF document reads its pages "12N.WMF" from a work
// folder where they were copied as "12N.wmf", with several hundred other
// files beside them) then lists the folder once per name, which grows with
// the square of the folder's size. A FolderSnapshot on the stack makes the
// look-ups of its thread list each folder once and answer from that list
// while it lives.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace fw::fs {

// Lists each folder once for the look-ups of this thread while it lives.
// Only for a stretch of work that adds, removes and renames no entries in
// the folders it looks in, which is what it is for (reading pages that were
// all written before); what changes meanwhile is not seen. A snapshot made
// while another lives on the thread adds nothing: the outer one answers.
class FolderSnapshot {
public:
    FolderSnapshot();
    ~FolderSnapshot();
    FolderSnapshot(const FolderSnapshot&) = delete;
    FolderSnapshot& operator=(const FolderSnapshot&) = delete;

private:
    friend std::optional<std::string> findIgnoringCase(const std::string& folder, std::string_view component);

    // Per folder: each name in ASCII lower case, to the first entry of that
    // name in byte order.
    using CaseIndex = std::unordered_map<std::string, std::string>;
    std::unordered_map<std::string, CaseIndex> folders_;
    bool active_ = false;
};

// The entry of `folder` that equals `component` without regard to ASCII case;
// the first in byte order when several do, so that the choice does not
// depend on the order in which the file system lists them. std::nullopt
// when none does or the folder cannot be listed.
[[nodiscard]] std::optional<std::string> findIgnoringCase(const std::string& folder, std::string_view component);

} // namespace fw::fs
