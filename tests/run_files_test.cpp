// A run's files as the console and the Python module plan, render and write
// them: the plan's names and order, a plan whose two names are one file, the
// texts written, and a failure's message.
#include "run_files.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tables_csv.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> names_of(const std::vector<PlannedFile>& plan)
{
    std::vector<std::string> names;
    for (const PlannedFile& file : plan)
        names.push_back(file.path);
    return names;
}

TEST(RunFiles, ThePlanNamesTheReportsFirstThenWhatIsAskedForInTheFolderGiven)
{
    EXPECT_EQ(names_of(plan_files("", false, false, false)), (std::vector<std::string>{"vdw_coex.dat", "clatente.dat"}));
    EXPECT_EQ(names_of(plan_files("out", true, true, true)),
              (std::vector<std::string>{"out/vdw_coex.dat", "out/clatente.dat", "out/vdw_coex.csv", "out/clatente.csv",
                                        "out/vdw_coex_si.csv", "out/clatente_si.csv", "out/vdwcoex.xlsx"}));
    // Another equation's tables each after the van der Waals ones they
    // parallel, its model-and-measured table in place of theirs.
    EXPECT_EQ(names_of(plan_files("", true, false, true, "argon", Eos::srk)),
              (std::vector<std::string>{"vdw_coex.dat", "clatente.dat", "vdw_coex.csv", "clatente.csv", "srk_coex.csv",
                                        "srk_clatente.csv", "vdw_coex_si.csv", "clatente_si.csv", "srk_coex_si.csv",
                                        "srk_clatente_si.csv", "nature_srk_argon.csv"}));
}

class RunFilesInAFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/vdwcoex-run-files-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string read(const std::string& name) const
    {
        std::ifstream in(dir + "/" + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::string dir;
    Messages say;
};

TEST_F(RunFilesInAFolder, WritesTheRunsTextsAndTheirCsvTogether)
{
    const std::vector<PlannedFile> plan = plan_files(dir, true, false, false);
    const RunResult run(2.5, std::nullopt, false);
    std::vector<ReportFile> files;
    std::string why;
    ASSERT_TRUE(names_apart(say, plan, why));
    ASSERT_TRUE(open_planned(say, plan, files, why)) << why;
    ASSERT_TRUE(write_planned(say, plan, run, files, "", why)) << why;
    for (ReportFile& file : files)
        discard_report(file);
    EXPECT_EQ(read("vdw_coex.dat"), run.out.coexistence);
    EXPECT_EQ(read("clatente.dat"), run.out.properties);
    EXPECT_EQ(read("vdw_coex.csv"), coexistence_csv(run.out.coexistence));
    EXPECT_EQ(read("clatente.csv"), property_csv(run.out.properties));
}

TEST_F(RunFilesInAFolder, TwoNamesOfOneFileAndAFileThatCannotBeMadeAreSaidAndNothingIsWritten)
{
    // The output folder named through a link to itself: its reports are
    // twice the same files.
    fs::create_directory_symlink(dir, dir + "/again");
    std::vector<PlannedFile> plan = plan_files(dir, false, false, false);
    const std::vector<PlannedFile> twice = plan_files(dir + "/again", false, false, false);
    std::ofstream(dir + "/vdw_coex.dat") << "earlier";
    plan.push_back(twice[0]);
    std::string why;
    EXPECT_FALSE(names_apart(say, plan, why));
    EXPECT_NE(why.find("vdw_coex.dat"), std::string::npos) << why;
    // A folder where a report should be: the message names it, the other
    // report keeps its text.
    fs::create_directory(dir + "/clatente.dat");
    plan = plan_files(dir, false, false, false);
    std::vector<ReportFile> files;
    why.clear();
    const bool written = open_planned(say, plan, files, why) &&
                         write_planned(say, plan, RunResult(1.5, std::nullopt, false), files, "", why);
    for (ReportFile& file : files)
        discard_report(file);
    EXPECT_FALSE(written);
    EXPECT_NE(why.find("clatente.dat"), std::string::npos) << why;
    EXPECT_EQ(read("vdw_coex.dat"), "earlier");
}

}  // namespace
