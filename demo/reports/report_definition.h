#pragma once
// What tells the five report procedures apart: one row of values each, run
// by the one procedure body of report_run.h.
//
// Record buffer. Runs of reports may be under way at the same time, also two
// runs of one report, on different threads that interleave at their waits.
// Each run therefore reads its file into a record buffer of its own (a
// record of the file's layout made for the run), and its report fields and
// key field are bound to that buffer, never to the file's global one. The
// files' global buffers are left as they were.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "demo/hooks/mail_settings.h"
#include "framework/data/data_file.h"
#include "framework/data/field_binding.h"
#include "framework/report/report_layout.h"

namespace fw::app {
class RelationManager;
}

namespace zorvane {

// A record buffer of one run, with its fields bound by name.
class RunRecord {
public:
    virtual ~RunRecord() = default;
    virtual void* data() = 0;
    const std::vector<fw::data::FieldBinding>& fields() const { return m_fields; }

protected:
    std::vector<fw::data::FieldBinding> m_fields;
};

struct ReportDefinition {
    std::string_view procedureName; // the current procedure for the error manager
    std::string_view moduleKey;     // where its progress window and report layout are stored
    fw::data::DataFile* file;
    fw::app::RelationManager* const* relation; // the dictionary's reference, set while the managers exist
    std::string_view order;                    // a key of the file; empty: record order
    std::string_view stepField;                // the text key field the progress is estimated from; empty: none
    std::span<const std::string_view> fields;  // the report's fields, in binding order
    const fw::report::ReportLayout* layout;
    ReportId mail; // its row of the mail settings
    std::unique_ptr<RunRecord> (*makeRecord)();
};

const ReportDefinition& reportDefinition(ReportId report);
std::span<const ReportDefinition> reportDefinitions();

} // namespace zorvane
