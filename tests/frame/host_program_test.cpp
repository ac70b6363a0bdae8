// tolvane-host start, as a person runs it.
#include "tests/support/plugin_fixture.h"
#include "tests/support/run_program.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testing_support::ProgramRun;
using testing_support::shellQuoted;

ProgramRun runHost(const std::string& arguments) {
    return testing_support::runProgram(std::string(TOLVANE_HOST_PROGRAM) + " " + arguments);
}

TEST(HostProgram, StartPrintsTheBannerAndEveryRegistration) {
    testing_support::PluginFolder folder;
    const ProgramRun run = runHost("--plugin " + shellQuoted(folder.path()) + " start");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, testing::HasSubstr("._.-. For more information go to: "));
    EXPECT_THAT(run.output, testing::HasSubstr("\ntag 1020892 Zarvex Light Tag\n"));
    EXPECT_THAT(run.output, testing::HasSubstr("\nrender effect 1020896 Zarvex Render Settings\n"));
    EXPECT_THAT(run.output, testing::EndsWith("\nshader 1023863 Zarvex ZSL Shader\n"));
}

TEST(HostProgram, StartFailsWhenThePlugInDoesNotStart) {
    testing_support::PluginFolder folder;
    std::filesystem::remove(folder.file("res/About.tif"));
    const ProgramRun run = runHost("--plugin " + shellQuoted(folder.path()) + " start");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.output, testing::HasSubstr("command 1021741 Export and Run"));
    EXPECT_THAT(run.output, testing::Not(testing::HasSubstr("1020894")));

    const ProgramRun missing = runHost("--plugin /nonexistent start");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_THAT(missing.output, testing::HasSubstr("no plug-in module"));
}

TEST(HostProgram, HelpExplainsTheCommands) {
    const ProgramRun run = runHost("start --help");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_THAT(run.output, testing::HasSubstr("registration order"));
}

} // namespace
