// The uptime counts from the last time the computer was switched on, which
// the System log's start records tell where the counters went on from an
// earlier start (Fast Startup).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/sim_test.h"
#include "tests/uptime/boot_record_xml.h"
#include "uptime/uptime.h"

namespace {

using boot_record_xml::Edited;
using boot_record_xml::Record;

// UTC 2026-12-09 09:00:00, an hour behind the local time.
const std::u16string kFullStartFourDaysAgo = Record(u"2026-12-05T09:00:00.0000000Z", u"0x0");
const std::u16string kHybridStartTwoHoursAgo = Record(u"2026-12-09T07:00:00.0000000Z", u"0x1");
const std::u16string kHibernationResumeAt8h30 = Record(u"2026-12-09T08:30:00.0000000Z", u"0x2");

class SwitchOnTest : public SimTest {
  protected:
    // The counters at four days; local time 10:00 at UTC+1.
    static void SetUpMachine(std::optional<std::vector<std::u16string>> log,
                             platform::OsVersion version = {10, 0, 19045, 2}) {
        sim::SetOsVersion(version);
        sim::SetPerformanceCounter(true, 4LL * 86400 * 10'000'000, 10'000'000);
        sim::SetLocalTime({2026, 12, 9, 10, 0, 0});
        sim::SetUtcOffsetMinutes(60);
        sim::SetBootRecords(std::move(log));
    }
    // What the tray tooltip says right after start-up.
    static std::string StartedTip(std::optional<std::vector<std::u16string>> log,
                                  platform::OsVersion version = {10, 0, 19045, 2}) {
        DestroyForms();
        sim::Reset();
        ResetGlobals();
        SetUpMachine(std::move(log), version);
        frmSysTray::Instance().Load();
        return sim::TrayIcons().at(0).tip;
    }
};

TEST_F(SwitchOnTest, HybridStartTwoHoursAgoWithCountersAtFourDays) {
    EXPECT_EQ(StartedTip({{kFullStartFourDaysAgo, kHybridStartTwoHoursAgo}}),
              "SIMPC up for 0 days, 2:00:00");
    EXPECT_EQ(gStartTime, "09-Dec-26 8:00:00 am");
    EXPECT_EQ(sim::BootRecordsRead(), 1);

    // The moment is held against the counters: setting the clock moves nothing.
    sim::SetLocalTime({2026, 12, 9, 3, 0, 0});
    sim::AdvanceTime(1000);
    EXPECT_EQ(sim::TrayIcons().at(0).tip, "SIMPC up for 0 days, 2:00:01");
    EXPECT_EQ(GetStartTime(), "09-Dec-26 8:00:00 am");
}

TEST_F(SwitchOnTest, FullStartReadsTheCounters) {
    // Whatever its time says, and whatever hybrid start came before it.
    EXPECT_EQ(
        StartedTip({{kHybridStartTwoHoursAgo, Record(u"2026-12-09T08:00:00.0000000Z", u"0x0")}}),
        "SIMPC up for 4 days, 0:00:00");
    EXPECT_EQ(gStartTime, "05-Dec-26 10:00:00 am");
}

TEST_F(SwitchOnTest, UsersHibernationAfterAHybridStartCountsFromTheHybridStart) {
    EXPECT_EQ(
        StartedTip({{kFullStartFourDaysAgo, kHybridStartTwoHoursAgo, kHibernationResumeAt8h30}}),
        "SIMPC up for 0 days, 2:00:00");
    EXPECT_EQ(sim::BootRecordsRead(), 2);  // the full start before it is not read

    // Only a handful of records are read; beyond them the counters stand.
    std::vector<std::u16string> resumes(20, kHibernationResumeAt8h30);
    resumes.insert(resumes.begin(), kHybridStartTwoHoursAgo);
    EXPECT_EQ(StartedTip(resumes), "SIMPC up for 4 days, 0:00:00");
    EXPECT_EQ(sim::BootRecordsRead(), 8);
}

TEST_F(SwitchOnTest, UnreadableOrEmptyLogReadsTheCounters) {
    EXPECT_EQ(StartedTip(std::nullopt), "SIMPC up for 4 days, 0:00:00");
    EXPECT_EQ(StartedTip(std::vector<std::u16string>{}), "SIMPC up for 4 days, 0:00:00");
}

TEST_F(SwitchOnTest, DamagedOrUnknownNewestRecordReadsTheCounters) {
    const std::u16string damaged[] = {
        kHibernationResumeAt8h30.substr(0, kHibernationResumeAt8h30.size() / 2),
        Edited(kHibernationResumeAt8h30,
               u"<TimeCreated SystemTime='2026-12-09T08:30:00.0000000Z'/>"),
        Edited(kHibernationResumeAt8h30, u"<Data Name='BootType'>0x2</Data>"),
        Record(u"2026-12-09T08:30:00.0000000Z", u"0x3"),
    };
    for (const std::u16string& newest : damaged) {
        EXPECT_EQ(StartedTip({{kHybridStartTwoHoursAgo, newest}}), "SIMPC up for 4 days, 0:00:00")
            << std::string(newest.begin(), newest.end());
    }
}

TEST_F(SwitchOnTest, HybridStartTheCountersCannotHaveMissedReadsTheCounters) {
    // Older than the counters' zero (a full start came after it unlogged) or
    // in the future (the clock was wrong).
    const std::u16string tooOld = Record(u"2026-12-01T09:00:00Z", u"1");
    const std::u16string future = Record(u"2026-12-09T09:00:01Z", u"1");
    EXPECT_EQ(StartedTip({{tooOld}}), "SIMPC up for 4 days, 0:00:00");
    EXPECT_EQ(StartedTip({{future}}), "SIMPC up for 4 days, 0:00:00");
    sim::AdvanceTime(2000);
    EXPECT_EQ(sim::TrayIcons().at(0).tip, "SIMPC up for 4 days, 0:00:02");
}

// Before Windows 8 no start record exists: the log is not even asked.
TEST_F(SwitchOnTest, WindowsSevenReadsTheCounters) {
    EXPECT_EQ(StartedTip({{kHybridStartTwoHoursAgo}}, {6, 1, 7601, 2}),
              "SIMPC up for 4 days, 0:00:00");
    EXPECT_EQ(sim::BootRecordsRead(), 0);
}

}  // namespace
