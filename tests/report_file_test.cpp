// Replacing a run's files: together or not at all, keeping links.
#include "report_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class ReportFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/vdwcoex-files-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string at(const std::string& name) const { return dir + "/" + name; }
    void write(const std::string& name, const std::string& text) const { std::ofstream(at(name)) << text; }
    std::string read(const std::string& name) const
    {
        std::ifstream in(at(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<std::string> listing() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    // Opens and writes every file, ready to commit.
    void prepare(const std::vector<std::string>& names, const std::vector<std::string>& texts)
    {
        files.resize(names.size());
        for (size_t i = 0; i < names.size(); ++i) {
            ASSERT_TRUE(open_report(files[i], at(names[i]), failure)) << names[i];
            ASSERT_TRUE(write_report(files[i], texts[i], failure)) << names[i];
        }
    }

    std::string dir;
    std::vector<ReportFile> files;
    FileError failure;
};

TEST_F(ReportFiles, ReplaceEveryFileKeepingHardLinksAndSymbolicLinks)
{
    write("a", "earlier a");
    write("b", "earlier b");
    ASSERT_EQ(link(at("a").c_str(), at("a-too").c_str()), 0);
    ASSERT_EQ(symlink("target", at("c").c_str()), 0);  // leads nowhere yet
    const std::vector<std::string> texts = {"new a", "new b", "new c"};
    prepare({"a", "b", "c"}, texts);
    EXPECT_EQ(files[0].way, ReportFile::Way::in_place);
    EXPECT_EQ(files[1].way, ReportFile::Way::rename);
    ASSERT_TRUE(commit_reports(files, texts, "", failure));
    EXPECT_EQ(read("a"), "new a");
    EXPECT_EQ(read("a-too"), "new a");
    EXPECT_EQ(read("b"), "new b");
    EXPECT_EQ(read("target"), "new c");
    EXPECT_TRUE(fs::is_symlink(at("c")));
    EXPECT_EQ(listing(), (std::vector<std::string>{"a", "a-too", "b", "c", "target"}));
}

TEST_F(ReportFiles, AFileThatCannotBeWrittenPutsTheOthersBack)
{
    write("a", "earlier a");
    write("b", "earlier b");
    ASSERT_EQ(link(at("b").c_str(), at("b-too").c_str()), 0);  // b is written in place
    const std::vector<std::string> texts = {"new a", "new file", "new b"};
    prepare({"a", "new", "b"}, texts);
    // b's file can no longer be written when its turn comes.
    const int read_only = open(at("b").c_str(), O_RDONLY);
    ASSERT_EQ(dup2(read_only, files[2].fd), files[2].fd);
    close(read_only);
    EXPECT_FALSE(commit_reports(files, texts, "", failure));
    EXPECT_EQ(failure.kind, FileError::Kind::write);
    EXPECT_EQ(failure.file, at("b"));
    EXPECT_EQ(failure.error, EBADF);
    EXPECT_EQ(read("a"), "earlier a");
    EXPECT_EQ(read("b"), "earlier b");
    EXPECT_EQ(listing(), (std::vector<std::string>{"a", "b", "b-too"}));
}

// As over a bind-mounted report, or another user's in a sticky folder.
TEST_F(ReportFiles, AFileThatCannotBeRenamedOverIsWrittenInPlace)
{
    write("a", "earlier a, longer than the new text");
    const std::vector<std::string> texts = {"new a"};
    prepare({"a"}, texts);
    ASSERT_EQ(files[0].way, ReportFile::Way::rename);
    fs::remove(files[0].temporary);  // the rename cannot happen now
    ASSERT_TRUE(commit_reports(files, texts, "", failure));
    EXPECT_EQ(files[0].way, ReportFile::Way::in_place);
    EXPECT_EQ(read("a"), "new a");
    EXPECT_EQ(listing(), std::vector<std::string>{"a"});
}

// Between a run's opening its files and its taking the folder's lock,
// another run may replace a report it opened in place, or give a second
// name to one it would rename over: the commit writes what the names are now.
TEST_F(ReportFiles, WhatChangedBeforeTheLockIsWrittenAsItIsNow)
{
    write("a", "earlier a");
    ASSERT_EQ(link(at("a").c_str(), at("a-too").c_str()), 0);
    write("b", "earlier b");
    const std::vector<std::string> texts = {"new a", "new b"};
    prepare({"a", "b"}, texts);
    ASSERT_EQ(files[0].way, ReportFile::Way::in_place);
    write("other", "another run's a");
    fs::rename(at("other"), at("a"));
    fs::remove(at("a-too"));
    ASSERT_EQ(link(at("b").c_str(), at("b-too").c_str()), 0);
    ASSERT_TRUE(commit_reports(files, texts, "", failure));
    EXPECT_EQ(read("a"), "new a");
    EXPECT_EQ(read("b"), "new b");
    EXPECT_EQ(read("b-too"), "new b");
    EXPECT_EQ(listing(), (std::vector<std::string>{"a", "b", "b-too"}));
}

// Names a run would give its backups, taken by files of someone else's.
TEST_F(ReportFiles, AFileUnderABackupNameIsNeverTakenNorRemoved)
{
    const std::string pid = std::to_string(getpid());
    write("a", "earlier a");
    write("b", "earlier b");
    ASSERT_EQ(link(at("b").c_str(), at("b-too").c_str()), 0);  // b is written in place
    for (const std::string& name : {"a." + pid + ".old", "b." + pid + ".old", "b." + pid + ".tmp"})
        write(name, "precious");
    const std::vector<std::string> texts = {"new a", "new b"};
    prepare({"a", "b"}, texts);
    ASSERT_TRUE(commit_reports(files, texts, "", failure));
    EXPECT_EQ(read("a"), "new a");
    EXPECT_EQ(read("b-too"), "new b");
    for (const std::string& name : {"a." + pid + ".old", "b." + pid + ".old", "b." + pid + ".tmp"})
        EXPECT_EQ(read(name), "precious") << name;
    EXPECT_EQ(listing().size(), 6u);
}

TEST_F(ReportFiles, AFolderThatTakesNoNewFileIsNamed)
{
    ReportFile file;
    EXPECT_FALSE(open_report(file, at("missing/report.dat"), failure));
    EXPECT_EQ(failure.kind, FileError::Kind::folder);
    EXPECT_EQ(failure.folder, at("missing"));
    EXPECT_EQ(failure.error, ENOENT);
}

}  // namespace
