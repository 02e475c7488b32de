// A pattern file with a fault is refused with every fault and its line; the
// game never uses it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "pattern/PatternReader.h"
#include "pattern/PatternText.h"
#include "support/TempDir.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(PatternReader, EachFaultIsFoundOnItsLine) {
    // Line 2 is the first line of the body.
    EXPECT_THAT(Findings("<action label=\"top\">\n<fire><bullet/></fire>\n<bogus/>\n</action>"),
                ElementsAre("test.xml:4: unknown element <bogus> in <action>"));
    EXPECT_THAT(Findings("<action label=\"top\">\n<changeSpeed><speed>1</speed></changeSpeed>\n"
                         "</action>"),
                ElementsAre("test.xml:3: <changeSpeed> has no <term>"));
    EXPECT_THAT(Findings("<action label=\"top\">\n<repeat><action/></repeat>\n</action>"),
                ElementsAre("test.xml:3: <repeat> has no <times>"));
    EXPECT_THAT(Findings("<action label=\"top\">\n\n<fire><speed>1</speed></fire>\n</action>"),
                ElementsAre("test.xml:4: <fire> has no <bullet> or <bulletRef>"));
    EXPECT_THAT(Findings("<action label=\"top\">\n<actionRef label=\"nowhere\"/>\n</action>"),
                ElementsAre("test.xml:3: <actionRef> to \"nowhere\", which no element of the "
                            "file is labelled"));
    EXPECT_THAT(Findings("<action label=\"top\">\n<wait>90 +*</wait>\n</action>"),
                ElementsAre("test.xml:3: <wait> \"90 +*\" does not parse: unexpected \"*\""));
    EXPECT_THAT(Findings("<action label=\"top\">\n<repeat><times>1/0</times>\n"
                         "<action><wait>1</wait></action></repeat>\n</action>"),
                ElementsAre("test.xml:3: <times> is not a finite number"));
    EXPECT_THAT(Findings("<action label=\"top\">\n<changeDirection><term>0/0</term>\n"
                         "<direction>1</direction></changeDirection>\n</action>"),
                ElementsAre("test.xml:3: <term> is not a finite number"));
    EXPECT_THAT(Findings("<action label=\"first\">\n<wait>1</wait>\n</action>"),
                ElementsAre("test.xml:1: no action is labelled top"));
    EXPECT_THAT(Findings("<action label=\"top\"><wait>1</wait></action>\n"
                         "<action label=\"top\"><wait>2</wait></action>"),
                ElementsAre("test.xml:3: a second <action> labelled \"top\""));
    EXPECT_THAT(Findings("<action label=\"top\">\n<fire><direction type=\"up\">0</direction>"
                         "<bullet/></fire>\n</action>"),
                ElementsAre("test.xml:3: type \"up\" is not aim, absolute, relative or sequence"));
}

TEST(PatternReader, EveryFaultOfAFileIsListed) {
    std::vector<std::string> found = Findings(
        "<action label=\"top\">\n"
        "<wait>(</wait>\n"
        "<fireRef label=\"gone\"/>\n"
        "<vanish><fire/></vanish>\n"
        "</action>");
    EXPECT_THAT(found,
                ElementsAre(HasSubstr("test.xml:3: <wait>"), HasSubstr("test.xml:4: <fireRef>"),
                            HasSubstr("test.xml:5: unknown element <fire> in <vanish>")));
}

TEST(PatternReader, ACallLoopWithoutAWaitIsRefusedOneWithAWaitPlays) {
    EXPECT_THAT(Findings("<action label=\"top\"><actionRef label=\"a\"/></action>\n"
                         "<action label=\"a\">\n<fire><bullet/></fire><wait>0</wait>\n"
                         "<actionRef label=\"b\"/></action>\n"
                         "<action label=\"b\"><actionRef label=\"a\"/></action>"),
                ElementsAre("test.xml:3: the action \"a\" can call itself again without a <wait>"));
    // Waiting first makes the same loop a pattern that goes on for good.
    std::vector<std::string> fires = Fires(
        "<action label=\"top\"><actionRef label=\"a\"/></action>\n"
        "<action label=\"a\"><fire><bullet/></fire><wait>10</wait><actionRef "
        "label=\"a\"/></action>",
        0.5, 600);
    EXPECT_EQ(fires.size(), 60u);
}

TEST(PatternReader, WhatIsNotAPatternFileIsRefusedWithALine) {
    auto refused = [](const std::string& text) {
        PatternRead read = ReadPatternText(text, "f.xml");
        EXPECT_FALSE(read.program);
        return read.findings.empty() ? std::string() : read.findings[0];
    };
    EXPECT_THAT(refused(""), HasSubstr("f.xml:1: not well-formed XML"));
    EXPECT_THAT(refused("<bulletml>\n<action label=\"top\">\n</bulletml>"),
                HasSubstr("f.xml:3: not well-formed XML"));
    EXPECT_EQ(refused("<stage/>"), "f.xml:1: the root element is <stage>, not <bulletml>");
    EXPECT_EQ(refused(std::string("\0\1\2garbage", 10)).substr(0, 8), "f.xml:1:");
    EXPECT_EQ(refused("<bulletml type=\"diagonal\"><action label=\"top\"/></bulletml>"),
              "f.xml:1: type \"diagonal\" is not vertical or horizontal");

    std::string deep = "<bulletml><action label=\"top\">";
    for (int i = 0; i < 100000; ++i)
        deep += "<action>";
    EXPECT_THAT(refused(deep + "</bulletml>"), HasSubstr("f.xml:1: not well-formed XML"));
    for (int i = 0; i < 100000; ++i)
        deep += "</action>";
    EXPECT_EQ(refused(deep + "</action></bulletml>"), "f.xml:1: actions nested deeper than 64");

    TempDir dir("pattern");
    PatternRead missing = ReadPattern(dir / "none.xml");
    ASSERT_EQ(missing.findings.size(), 1u);
    EXPECT_THAT(missing.findings[0], HasSubstr("none.xml:0: "));
}
