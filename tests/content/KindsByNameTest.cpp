// The pack's kinds by the stage's names: each name makes its own kind, above
// the field at the stage's column; the delivered stage names only kinds there
// are. How each kind fights and dies is the play field's tests' to judge.
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "media/MediaFiles.h"
#include "script/StageCheck.h"
#include "support/GameContent.h"
#include "support/WorldFixture.h"
#include "world/Boss.h"
#include "world/Field.h"
#include "world/KindEnemy.h"

TEST_F(WorldFixture, EveryKindIsMadeByItsNameAboveTheFieldAtTheStagesColumn) {
    const ContentBook& book = GameContent();
    EXPECT_TRUE(book.Findings().empty()) << book.Findings().front();
    std::set<std::string> hashNames;
    for (const std::string& name : book.KindNames()) {
        SCOPED_TRACE(name);
        world.Clear();
        Enemy* e = SpawnKind(world, GameKind(name), 7.5f);
        ASSERT_NE(e, nullptr);
        EXPECT_TRUE(hashNames.insert(e->HashName()).second || !dynamic_cast<KindEnemy*>(e))
            << "two kinds the field's hash cannot tell apart";
        EXPECT_EQ(e->x, 7.5f);
        EXPECT_LT(e->y, -field::kHalf);  // out of sight until it flies in
    }
    EXPECT_EQ(book.Kind("obj7"), nullptr);
    EXPECT_EQ(book.Kind("OBJ1"), nullptr);  // names are the stage's, letter for letter
    // A part comes only with its head.
    EXPECT_EQ(SpawnKind(world, GameKind("chain_link"), 0.0f), nullptr);
}

// Every kind the delivered stage sends in is one there is, and each one there
// is comes in somewhere in it.
TEST(KindsByName, TheDeliveredStageNamesEveryKindAndNoOther) {
    StageCheck check = CheckStage((media_files::Dir() / "script_easy.txt").string(),
                                  media_files::Dir().string() + "/");
    EXPECT_TRUE(check.findings.empty()) << check.findings.front();
    std::set<std::string> named;
    for (const auto& [name, count] : check.kinds) {
        EXPECT_GT(count, 0) << name;
        named.insert(name);
    }
    std::vector<std::string> kinds = GameContent().KindNames();
    std::set<std::string> all(kinds.begin(), kinds.end());
    all.insert("boss");
    EXPECT_EQ(named, all);
}

// Whoever writes a kind or a boss finds every key the reader knows, every
// movement and every fire rule in the README, each as it is written.
TEST(KindsByName, TheReadmeDocumentsEveryKeyTheReaderKnows) {
    std::ifstream file(VELMORA_README);
    const std::string readme((std::istreambuf_iterator<char>(file)), {});
    ASSERT_FALSE(readme.empty());
    std::vector<std::string> words = KnownContentKeys();
    for (const char* word : {"dive", "weave", "drift", "chain", "arms", "ring", "chain_link",
                             "arm_satellite", "ring_satellite", "fan", "aimed", "split", "none",
                             "rings", "teki KIND X", "boss NAME X", "clear [PIECE]"})
        words.emplace_back(word);
    for (const std::string& word : words)
        EXPECT_NE(readme.find("`" + word), std::string::npos) << word << " is not in the README";
}
