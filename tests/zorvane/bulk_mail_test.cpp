// The bulk mail over customer files of different sizes, with the real
// reports, mail hooks and SendEmail, and a recording object standing in for
// the mail program: one mail per customer read, at most five.

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "demo/bulk_mail/bulk_mail.h"
#include "demo/dictionary/dictionary.h"
#include "demo/dictionary/records.h"
#include "demo/reports/report_run.h"
#include "demo_mails.h"
#include "engine/global_data.h"
#include "engine/mail/send_email_window.h"
#include "engine/zorvane/zorvane_globals.h"
#include "frame_fixture.h"
#include "framework/app/error_manager.h"
#include "framework/automation/recording_object.h"

namespace {

using namespace zorvane;
using fw::ui::drive::waitFor;
using zorvane::CUS;
using zorvane::CUSTOMER;

// Customers in record order; their names are not in alphabetical order, so
// a run in key order would show.
// clang-format off
const std::vector<std::pair<std::string, std::string>> allCustomers = {
    {"Wren Bakery", "wren@example.com"},     {"Alder Tools", "alder@example.org"},
    {"Moss Garden", "moss@example.net"},     {"Birch Books", "birch@example.com"},
    {"Kestrel Travel", "kestrel@example.org"}, {"Fern Florists", "fern@example.net"},
    {"Heron Hardware", "heron@example.com"},
};
// clang-format on

struct BulkRow {
    const char* name;
    std::size_t customers;
    std::uint8_t teachers;
    std::uint8_t classes;
};

void PrintTo(const BulkRow& row, std::ostream* out) { *out << row.name; }

class ZorvaneBulkMail : public test_support::TempFolderTest, public ::testing::WithParamInterface<BulkRow> {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        // The demonstration's files, then a customer file of the row's size.
        ASSERT_EQ(std::system((std::string(MAKE_DEMO_FOLDER) + " .").c_str()), 0);
        ASSERT_TRUE(CUSTOMER.create());
        ASSERT_TRUE(CUSTOMER.open());
        for (std::size_t i = 0; i < GetParam().customers; ++i) {
            CUSTOMER.clearBuffer();
            CUS.CUSID = static_cast<std::int32_t>(100 + i);
            CUS.NAME = allCustomers[i].first;
            CUS.EMAIL = allCustomers[i].second;
            CUS.PHONE = "555-" + std::to_string(i);
            CUS.SUBURB = "Suburb " + std::to_string(i);
            ASSERT_TRUE(CUSTOMER.add());
        }
        CUSTOMER.close();

        zorvanetest::startDemoMails();
    }
    void TearDown() override
    {
        zorvanetest::endDemoMails();
        TempFolderTest::TearDown();
    }

    // The lines of the recording that contain `part`.
    static std::vector<std::string> linesWith(const std::vector<std::string>& lines, const std::string& part)
    {
        std::vector<std::string> found;
        for (const std::string& line : lines)
            if (line.find(part) != std::string::npos)
                found.push_back(line);
        return found;
    }
};

TEST_P(ZorvaneBulkMail, MailsTheFirstFiveCustomersInRecordOrder)
{
    const BulkRow& row = GetParam();
    fw::automation::RecordingRegistration outlook("Outlook.Application");
    bool finished = false;
    const auto thread = fw::threads::start([&] {
        BulkEmail(row.teachers, row.classes);
        finished = true;
    });
    ASSERT_TRUE(waitFor([&] { return finished; }));
    fw::threads::waitForThread(thread);

    const std::size_t mailed = std::min<std::size_t>(row.customers, BulkEmailCustomers);
    std::vector<std::string> to;
    std::vector<std::string> subjects;
    for (std::size_t i = 0; i < mailed; ++i) {
        to.push_back("Recipients.Add(\"" + allCustomers[i].second + "\")");
        subjects.push_back(".Subject = \"ATTN: " + allCustomers[i].first + "\"");
    }
    auto tail = [](std::vector<std::string> lines, const std::string& from) {
        for (std::string& line : lines)
            line = line.substr(line.find(from));
        return lines;
    };
    const auto& lines = outlook.lines();
    EXPECT_EQ(linesWith(lines, "get CreateItem(0)").size(), mailed);
    EXPECT_EQ(linesWith(lines, ".Display").size(), mailed);
    // The customers' own addresses, in the order added; the Classes report
    // adds its fixed CC and BCC lists besides.
    std::vector<std::string> customersAdded;
    // The address reaches the mail item in its padded field; the item
    // trims it, so the blanks before the closing quote do not count here.
    for (std::string line : tail(linesWith(lines, "Recipients.Add("), "Recipients")) {
        const std::size_t close = line.rfind("\")");
        const std::size_t kept = line.find_last_not_of(' ', close - 1);
        line.erase(kept + 1, close - kept - 1);
        for (const auto& customer : allCustomers)
            if (line == "Recipients.Add(\"" + customer.second + "\")")
                customersAdded.push_back(line);
    }
    EXPECT_EQ(customersAdded, to);
    if (row.teachers != 0) {
        EXPECT_EQ(linesWith(lines, "Recipients.Add(").size(), mailed)
            << "the Teachers report goes to the customer alone";
    }
    EXPECT_EQ(tail(linesWith(lines, ".Subject ="), ".Subject"), subjects);
    if (row.classes != 0 && mailed > 0) {
        // The Classes report begins its body with the subject and ":".
        const auto bodies = linesWith(lines, ".HTMLBody =");
        ASSERT_EQ(bodies.size(), mailed);
        for (std::size_t i = 0; i < mailed; ++i)
            EXPECT_NE(bodies[i].find("ATTN: " + allCustomers[i].first + ":"), std::string::npos) << bodies[i];
    }

    EXPECT_EQ(engine::BMKG.Mode, mailed > 0 ? 2 : 1);
    if (mailed > 0) {
        EXPECT_EQ(recipients.clipped(), allCustomers[mailed - 1].second) << "the last customer's stay";
        EXPECT_EQ(subject.clipped(), "ATTN: " + allCustomers[mailed - 1].first);
    } else {
        EXPECT_EQ(recipients.clipped(), DemonstrationRecipients);
    }
    EXPECT_EQ(zorvane::Access_CUSTOMER->useCount(), 0) << "the customer file is closed again";
}

INSTANTIATE_TEST_SUITE_P(Customers, ZorvaneBulkMail,
                         ::testing::Values(BulkRow{"TeachersToThree", 3, 1, 0}, BulkRow{"TeachersToNone", 0, 1, 0},
                                           BulkRow{"TeachersToSevenStopsAtFive", 7, 1, 0},
                                           BulkRow{"ClassesToThree", 3, 0, 1},
                                           BulkRow{"ClassesToSevenStopsAtFive", 7, 0, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
