// Each command and type of the format against small files, with the fires the
// format's reference gives for them; and the bounds that keep a pattern finite.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "pattern/PatternMotion.h"
#include "pattern/PatternText.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(PatternRunner, WaitsTruncateAndSequencesCountFromTheLastFire) {
    EXPECT_THAT(
        Fires(R"(<action label="top">
        <fire><direction type="absolute">10</direction><bullet/></fire>
        <wait>1</wait>
        <fire><direction type="absolute">20</direction><bullet/></fire>
        <wait>2.7</wait>
        <fire><direction type="absolute">30</direction><speed>2</speed><bullet/></fire>
        <wait>0</wait>
        <fire><direction type="sequence">5</direction><speed type="sequence">0.5</speed><bullet/></fire>
        </action>)"),
        ElementsAre("0 0 10.00 1.000", "1 0 20.00 1.000", "3 0 30.00 2.000", "3 0 35.00 2.500"));
}

TEST(PatternRunner, TheFirstOfASequenceAimsAtSpeedOneAndRelativeCountsFromTheEmitter) {
    // The emitter faces down (180) and rests (speed 0); the ship is straight below.
    EXPECT_THAT(Fires(R"(<action label="top">
        <fire><direction type="sequence">30</direction><speed type="sequence">3</speed><bullet/></fire>
        <fire><direction type="relative">30</direction><speed type="relative">3</speed><bullet/></fire>
        <fire><direction>-20</direction><bullet><direction type="absolute">-400</direction></bullet></fire>
        </action>)"),
                ElementsAre("0 0 180.00 1.000", "0 0 210.00 3.000", "0 0 320.00 1.000"));
}

TEST(PatternRunner, ChangesRampOverTheirTermAndMoveTheEmitter) {
    EXPECT_THAT(
        Fires(R"(<action label="top">
        <changeDirection><direction type="absolute">90</direction><term>4</term></changeDirection>
        <repeat><times>6</times><action>
          <fire><direction type="relative">0</direction><bullet/></fire><wait>1</wait>
        </action></repeat>
        <changeSpeed><speed>4</speed><term>2</term></changeSpeed>
        <repeat><times>3</times><action>
          <fire><speed type="relative">0</speed><bullet/></fire><wait>1</wait>
        </action></repeat>
        <changeDirection><direction type="sequence">10</direction><term>2</term></changeDirection>
        <changeSpeed><speed type="sequence">-1</speed><term>2</term></changeSpeed>
        <wait>2</wait>
        <fire><direction type="relative">0</direction><speed type="relative">0</speed><bullet/></fire>
        </action>)"),
        ElementsAre("0 0 180.00 1.000", "1 0 157.50 1.000", "2 0 135.00 1.000", "3 0 112.50 1.000",
                    "4 0 90.00 1.000", "5 0 90.00 1.000", "6 0 180.00 0.000", "7 0 180.00 2.000",
                    "8 0 180.00 4.000", "11 0 110.00 2.000"));
}

TEST(PatternRunner, RepeatsTruncateTheirTimesAndFewerThanOnePlaysNothing) {
    EXPECT_THAT(Fires(R"(<action label="top">
        <repeat><times>0</times><action><fire><bullet/></fire></action></repeat>
        <repeat><times>$rank*2</times><action><fire><bullet/></fire></action></repeat>
        <repeat><times>2.9</times><action>
          <fire><direction type="absolute">7</direction><bullet/></fire><wait>1</wait>
          <repeat><times>2</times><action><fire><direction type="sequence">1</direction><bullet/></fire></action></repeat>
        </action></repeat>
        </action>)",
                      0.4),
                ElementsAre("0 0 7.00 1.000", "1 0 8.00 1.000", "1 0 9.00 1.000", "1 0 7.00 1.000",
                            "2 0 8.00 1.000", "2 0 9.00 1.000"));
}

TEST(PatternRunner, ReferencesPassParametersAndAMissingOneReadsOne) {
    EXPECT_THAT(Fires(R"(<action label="top">
        <actionRef label="a"><param>3</param></actionRef>
        <fire><direction type="absolute">$1</direction><bullet/></fire>
        <fireRef label="f"><param>30</param></fireRef>
        </action>
        <action label="a"><fire><direction type="absolute">$1*10</direction><speed>$2</speed><bullet/></fire></action>
        <fire label="f"><direction type="absolute">$1</direction><bulletRef label="b"><param>$1+1</param></bulletRef></fire>
        <bullet label="b"><speed>$1</speed></bullet>)"),
                ElementsAre("0 0 30.00 1.000", "0 0 1.00 1.000", "0 0 30.00 31.000"));
}

TEST(PatternRunner, EveryTopActionPlaysToItsOwnEnd) {
    EXPECT_THAT(Fires(R"(<action label="top1"><fire><bullet/></fire></action>
        <action label="top2"><wait>3</wait><fire><direction type="absolute">1</direction><bullet/></fire></action>
        <action label="topshot"><wait>5</wait><fire><direction type="absolute">2</direction><bullet/></fire></action>
        <action label="other"><fire><bullet/></fire></action>)"),
                ElementsAre("0 0 180.00 1.000", "3 0 1.00 1.000", "5 0 2.00 1.000"));
}

TEST(PatternRunner, AHorizontalFileTurnsAbsoluteDirectionsAQuarter) {
    PatternRead read = ReadPatternText(R"(<bulletml type="horizontal"><action label="top">
        <fire><direction type="absolute">90</direction><bullet/></fire>
        <fire><direction type="absolute">0</direction><bullet/></fire>
        </action></bulletml>)",
                                       "h.xml");
    ASSERT_TRUE(read.program);
    std::vector<PatternFired> fired = TracePattern(*read.program, 0.5, 2);
    ASSERT_EQ(fired.size(), 2u);
    EXPECT_EQ(DescribeFire(fired[0]), "0 0 0.00 1.000");
    EXPECT_EQ(DescribeFire(fired[1]), "0 0 270.00 1.000");
}

TEST(PatternRunner, BulletsPlayTheirOwnActionsAndFireOneDepthFurther) {
    // The emitter's bullet moves first on the step after it was fired.
    EXPECT_THAT(Fires(R"(<action label="top"><fire><bullet>
          <action><wait>2</wait>
            <fire><direction type="relative">10</direction><speed type="relative">1</speed><bullet/></fire>
            <vanish/>
            <fire><bullet/></fire></action>
          <actionRef label="later"/>
        </bullet></fire></action>
        <action label="later"><fire><direction type="absolute">5</direction><bullet/></fire></action>)",
                      0.5, 20),
                // A vanish ends the bullet with its step: the fire after it in the
                // same step still goes, the next action never comes.
                ElementsAre("0 0 180.00 1.000", "3 1 190.00 2.000", "3 1 180.00 1.000"));
}

TEST(PatternRunner, ABulletMovesByItsDirectionSpeedAndAccelAndAimsFromWhereItIs) {
    PatternRead read = ReadBody(R"(<action label="top">
        <fire><speed>0</speed><bullet><action>
          <accel><horizontal>4</horizontal><term>1</term></accel>
          <wait>21</wait>
          <fire><bullet/></fire>
        </action></bullet></fire></action>)");
    ASSERT_TRUE(read.program);
    std::vector<PatternFired> fired = TracePattern(*read.program, 0.5, 40);
    ASSERT_EQ(fired.size(), 2u);
    // Accelerated to 4 units across from its second step: 20 steps of 4 units.
    const double x = 20 * 4 * kPatternSpeedUnit;
    EXPECT_EQ(fired[1].step, 22);
    EXPECT_NEAR(fired[1].direction,
                PatternAim(x, PatternTrace::kEmitterY, PatternTrace::kShipX, PatternTrace::kShipY),
                1e-9);
    EXPECT_EQ(DescribeFire(fired[1]).substr(0, 9), "22 1 194.");
}

TEST(PatternRunner, TheSameFileTracesTheSameTwiceRandomnessIncluded) {
    const std::string body = R"(<action label="top"><repeat><times>50</times><action>
        <fire><direction>$rand*360</direction><speed>1+$rand</speed>
          <bullet><action><wait>$rand*20</wait><fire><bullet/></fire></action></bullet></fire>
        <wait>3</wait></action></repeat></action>)";
    std::vector<std::string> first = Fires(body, 0.5, 300);
    EXPECT_EQ(first, Fires(body, 0.5, 300));
    EXPECT_GT(first.size(), 90u);
    EXPECT_NE(first, Fires(body, 0.9, 1));
}

TEST(PatternRunner, PathologicalPatternsStopAtTheirBoundsAndSayWhich) {
    auto bounds = [](const std::string& body, int steps) {
        PatternRead read = ReadBody(body);
        EXPECT_TRUE(read.program);
        uint8_t reached = 0;
        if (read.program) TracePattern(*read.program, 0.5, steps, &reached);
        return reached;
    };
    const auto bit = [](PatternBound b) { return static_cast<uint8_t>(b); };
    // A billion fires in one step: the repeat ends, the runner's step ends, the field fills.
    EXPECT_EQ(bounds(R"(<action label="top"><repeat><times>1000000000</times>
        <action><fire><bullet/></fire></action></repeat></action>)",
                     3),
              bit(PatternBound::Repeat) | bit(PatternBound::Commands) | bit(PatternBound::Pool));
    // A call that waits but never returns nests deeper each time.
    EXPECT_EQ(bounds(R"(<action label="top"><actionRef label="a"/></action>
        <action label="a"><wait>1</wait><actionRef label="a"/><fire><bullet/></fire></action>)",
                     100),
              bit(PatternBound::Depth));
    EXPECT_EQ(bounds(R"(<action label="top"><repeat><times>100</times><action>
        <fire><bullet/></fire><wait>1</wait></action></repeat></action>)",
                     200),
              0);
    // A runner stopped by a bound plays none of its bullet's later actions.
    EXPECT_THAT(Fires(R"(<action label="top"><fire><bullet>
        <action><repeat><times>20000</times><action><wait>0</wait></action></repeat></action>
        <action><fire><bullet/></fire></action>
        </bullet></fire></action>)"),
                ElementsAre("0 0 180.00 1.000"));
    // A wait of a step whose number is not finite waits no step.
    EXPECT_THAT(
        Fires(R"(<action label="top"><wait>$rank/0-$rank/0</wait><fire><bullet/></fire></action>)"),
        ElementsAre("0 0 180.00 1.000"));
    EXPECT_THAT(Fires(R"(<action label="top"><wait>$rank/0</wait><fire><bullet/></fire></action>)",
                      0.5, 600),
                IsEmpty());
}
