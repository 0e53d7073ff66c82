// The mapping file reader: what reaches SDL, and what a malformed line is told.
#include <gtest/gtest.h>

#include <string>

#include "gamepad_mappings.h"

namespace corvax {
namespace {

const std::string kGuid = "0300000000c0000001000000000a0000";

std::string Why(const std::string& line) {
  return CheckGamepadMapping(line);
}

TEST(GamepadMappings, WellFormedBindingsPass) {
  EXPECT_EQ(Why(kGuid + ",Pad,a:b0,b:b12,leftx:a0,lefty:a1~,lefttrigger:+a2,"
                        "righttrigger:-a5,dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h1.8,"
                        "+rightx:b7,-rightx:b8,touchpad:b20,platform:Linux,"),
            "");
  EXPECT_EQ(Why("xinput,XInput Pad,a:b0,crc:12ab,hint:SDL_X:=1"), "");
  EXPECT_EQ(Why(kGuid + ",Pad,a:b0"), "") << "the last comma is optional";
}

TEST(GamepadMappings, MalformedLinesSayWhatIsWrong) {
  EXPECT_EQ(Why("03000000,Pad,a:b0"), "the GUID \"03000000\" is not 32 hexadecimal digits");
  EXPECT_EQ(Why("0300000000c0000001000000000a000g,Pad,a:b0"),
            "the GUID \"0300000000c0000001000000000a000g\" is not 32 hexadecimal digits");
  EXPECT_EQ(Why(kGuid), "no name after the GUID");
  EXPECT_EQ(Why(kGuid + ",,a:b0"), "no name after the GUID");
  EXPECT_EQ(Why(kGuid + ",Pad,platform:Linux"), "no button or axis is mapped");
  EXPECT_EQ(Why(kGuid + ",Pad,a:b0,,b:b1"), "an empty field");
  EXPECT_EQ(Why(kGuid + ",Pad,a"), "\"a\" is not element:binding");
  EXPECT_EQ(Why(kGuid + ",Pad,jump:b0"), "unknown element \"jump\"");
  EXPECT_EQ(Why(kGuid + ",Pad,+a:b0"), "unknown element \"+a\"") << "only axes have halves";
  EXPECT_EQ(Why(kGuid + ",Pad,a:b0,platform:"), "\"platform\" has no value");
  const std::string binding =
      ": a binding is b<N>, a<N> (with an optional + or - before and ~ after) or h<N>.<1, 2, "
      "4 or 8>";
  for (const std::string bad :
       {"q0", "b", "bx", "b1234", "+b1", "b1~", "h0", "h0.3", "h.1", "a", "a1~~", ""}) {
    EXPECT_EQ(Why(kGuid + ",Pad,a:" + bad), "\"a\" has the binding \"" + bad + "\"" + binding);
  }
  EXPECT_EQ(Why(kGuid + ",Pad\n,a:b0"), "a control character in the mapping");
  EXPECT_EQ(Why(kGuid + std::string(",Pad,a:b0\0", 10)), "a control character in the mapping");
}

TEST(GamepadMappings, AFileGivesItsPlatformsLinesAndSkipsComments) {
  const std::string text = "# pads\r\n\n" + kGuid + ",One,a:b0,platform:Linux,\r\n" + kGuid +
                           ",Two,a:b1,platform:Windows,\n  " + kGuid + ",Three,a:b2  \n" + kGuid +
                           ",Four,a:b3,platform:Linux";
  const GamepadMappingFile file = ReadGamepadMappings(text, "Linux");
  EXPECT_EQ(file.error, "");
  ASSERT_EQ(file.mappings.size(), 3u);
  EXPECT_EQ(file.mappings[0], kGuid + ",One,a:b0,platform:Linux,");
  EXPECT_EQ(file.mappings[1], kGuid + ",Three,a:b2");
  EXPECT_EQ(file.mappings[2], kGuid + ",Four,a:b3,platform:Linux");
  EXPECT_EQ(ReadGamepadMappings(text, "Windows").mappings.size(), 2u);
}

TEST(GamepadMappings, OneMalformedLineRefusesTheWholeFile) {
  const std::string text =
      "# pads\n" + kGuid + ",One,a:b0\n\n" + kGuid + ",Two,a:b1,leftx:z9\n" + kGuid + ",Three";
  const GamepadMappingFile file = ReadGamepadMappings(text, "Linux");
  EXPECT_EQ(file.error,
            "line 4: \"leftx\" has the binding \"z9\": a binding is b<N>, a<N> (with an optional "
            "+ or - before and ~ after) or h<N>.<1, 2, 4 or 8>");
  EXPECT_TRUE(file.mappings.empty());
}

TEST(GamepadMappings, EmptyAndBinaryFiles) {
  EXPECT_TRUE(ReadGamepadMappings("", "Linux").mappings.empty());
  EXPECT_EQ(ReadGamepadMappings("", "Linux").error, "");
  EXPECT_EQ(ReadGamepadMappings("\x89PNG\r\n\x1a\n", "Linux").error,
            "line 1: the GUID \"\x89PNG\" is not 32 hexadecimal digits");
  EXPECT_EQ(ReadGamepadMappings(std::string("\0\0\0", 3), "Linux").error,
            "line 1: a control character in the mapping");
}

}  // namespace
}  // namespace corvax
