// The bridge's rules for the native encoder's arguments: which become host
// paths, which pass as texts, and how per cent signs survive the name pattern.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "native_arguments.h"

namespace {

using Args = std::vector<std::string>;

// Host paths of the Windows paths the fake host knows; every look-up is kept.
struct FakeHost {
    std::map<std::string, std::string> paths;
    std::vector<std::string> asked;

    bridge::PathMapper Mapper() {
        return [this](const std::string& path) {
            asked.push_back(path);
            auto found = paths.find(path);
            return found == paths.end() ? std::string() : found->second;
        };
    }
};

TEST(OggencBridge, WendlesJobBecomesHostPathsAndUtf8Texts) {
    FakeHost host;
    host.paths["C:\\Wave\\take1.wav"] = "/home/u/wave/take1.wav";
    host.paths["100% take.ogg"] = "/home/u/out/100% take.ogg";
    const Args native =
        bridge::NativeArguments({"-b192", "-tMorning \"Song\"", "-aC:\\Wave", "-lDemo",
                                 "-cCOMMENT=x", "-n100%% take.ogg", "C:\\Wave\\take1.wav"},
                                host.Mapper());
    EXPECT_EQ((Args{"--utf8", "-b192", "-tMorning \"Song\"", "-aC:\\Wave", "-lDemo", "-cCOMMENT=x",
                    "-n/home/u/out/100%% take.ogg", "/home/u/wave/take1.wav"}),
              native);
    // Texts are never looked up, even when they look like paths.
    EXPECT_EQ((Args{"100% take.ogg", "C:\\Wave\\take1.wav"}), host.asked);
}

TEST(OggencBridge, PerCentSignsOfTheHostFolderStayLiteral) {
    FakeHost host;
    host.paths["a.ogg"] = "/srv/50%/a.ogg";
    EXPECT_EQ((Args{"--utf8", "-n/srv/50%%/a.ogg"}),
              bridge::NativeArguments({"-na.ogg"}, host.Mapper()));
}

TEST(OggencBridge, APatternWithSubstitutionsStaysRelativeToTheFolder) {
    FakeHost host;
    for (const std::string pattern : {"%a - %t.ogg", "sub\\%t.ogg", "take%"}) {
        SCOPED_TRACE(pattern);
        std::string expected = pattern;
        if (pattern == "sub\\%t.ogg") expected = "sub/%t.ogg";
        EXPECT_EQ((Args{"--utf8", "-n" + expected}),
                  bridge::NativeArguments({"-n" + pattern}, host.Mapper()));
    }
    EXPECT_TRUE(host.asked.empty());
}

TEST(OggencBridge, AValueMayFollowInTheNextArgumentOrAfterGroupedFlags) {
    FakeHost host;
    host.paths["out.ogg"] = "/o/out.ogg";
    host.paths["in.wav"] = "/i/in.wav";
    // As the encoder's option parser does: "-t" takes "-o" as its title.
    EXPECT_EQ((Args{"--utf8", "-t", "-o", "-Qr", "-Qo", "/o/out.ogg", "-QnC", "/i/in.wav"}),
              bridge::NativeArguments({"-t", "-o", "-Qr", "-Qo", "out.ogg", "-QnC", "in.wav"},
                                      host.Mapper()));
    // A value missing at the end is left for the encoder to reject.
    EXPECT_EQ((Args{"--utf8", "-n"}), bridge::NativeArguments({"-n"}, host.Mapper()));
}

TEST(OggencBridge, LongOptionsWithTheirValuesJoinedOrNext) {
    FakeHost host;
    host.paths["C:\\x.ogg"] = "/x.ogg";
    host.paths["y%.ogg"] = "/y%.ogg";
    host.paths["in.wav"] = "/in.wav";
    EXPECT_EQ((Args{"--utf8", "--output=/x.ogg", "--names", "/y%%.ogg", "--title=C:\\x.ogg",
                    "--quiet", "/in.wav"}),
              bridge::NativeArguments({"--output=C:\\x.ogg", "--names", "y%%.ogg",
                                       "--title=C:\\x.ogg", "--quiet", "in.wav"},
                                      host.Mapper()));
}

TEST(OggencBridge, UnknownPathsStandardInputAndOperandsAfterTheEnd) {
    FakeHost host;
    host.paths["-b128"] = "/w/-b128";
    EXPECT_EQ((Args{"--utf8", "D:/gone/a.wav", "-", "--", "/w/-b128"}),
              bridge::NativeArguments({"D:\\gone\\a.wav", "-", "--", "-b128"}, host.Mapper()));
}

}  // namespace
